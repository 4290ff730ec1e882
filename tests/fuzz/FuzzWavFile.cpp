// libFuzzer target: WAVE files read from disk by path, as the game reads its sound effects, and
// the same bytes from memory. The path reader seeks and reads in pieces where the memory reader
// indexes, so both must agree on whether the file opens, on its format and on every sample byte.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "audio/WaveFile.h"

namespace {

std::vector<std::uint8_t> ReadAll(WaveFile& wave) {
  std::vector<std::uint8_t> samples;
  std::uint8_t piece[613];
  while (std::size_t got = wave.Read(sizeof piece, piece))
    samples.insert(samples.end(), piece, piece + got);
  return samples;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // One scratch file per fuzzing process, rewritten for each input.
  static const std::string path = [] {
    char pattern[] = "/tmp/qs-fuzz-wav-XXXXXX";
    const int fd = ::mkstemp(pattern);
    if (fd < 0) std::abort();
    ::close(fd);
    return std::string(pattern);
  }();
  if (!std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), long(size)))
    std::abort();

  WaveFile fromDisk, fromMemory;
  const int result = fromDisk.Open(path.c_str());
  if (result != fromMemory.Open(std::vector<std::uint8_t>(data, data + size))) __builtin_trap();
  if (result != kWaveOk) return 0;
  const WaveFormat& a = fromDisk.Format();
  const WaveFormat& b = fromMemory.Format();
  if (a.formatTag != b.formatTag || a.channels != b.channels || a.blockAlign != b.blockAlign ||
      a.bitsPerSample != b.bitsPerSample || a.samplesPerSec != b.samplesPerSec ||
      a.extra != b.extra || fromDisk.DataSize() != fromMemory.DataSize())
    __builtin_trap();
  const std::vector<std::uint8_t> samples = ReadAll(fromDisk);
  if (samples.size() != fromDisk.DataSize() || samples != ReadAll(fromMemory)) __builtin_trap();
  fromDisk.Rewind();
  if (ReadAll(fromDisk) != samples) __builtin_trap();
  return 0;
}

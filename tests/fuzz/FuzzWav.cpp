// libFuzzer target: WAVE files from memory through the reader and, when they play, through the
// effect stream's ring to the end of their samples.
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/SoundStream.h"
#include "audio/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto wave = std::make_unique<WaveFile>();
  if (wave->Open(std::vector<std::uint8_t>(data, data + size)) != kWaveOk) return 0;
  std::uint8_t piece[777];  // odd pieces, so a piece can end inside a frame
  std::size_t total = 0;
  while (std::size_t got = wave->Read(sizeof piece, piece)) total += got;
  if (total != wave->DataSize()) __builtin_trap();
  wave->Rewind();

  SoundStream stream;
  if (stream.Open(std::move(wave)) != kSfxOpened) return 0;
  stream.Play();
  std::vector<std::uint8_t> out(4093);
  std::uint64_t played = 0;
  while (!stream.Stopped()) {
    const std::size_t got = stream.Consume(out.data(), out.size());
    if (got == 0) __builtin_trap();  // the ring ran dry while the data lasted
    played += got;
    for (int events = stream.TakeChunkEvents(); events > 0; --events)
      if (!stream.Refill()) __builtin_trap();
  }
  if (played != stream.DataSize()) __builtin_trap();
  return 0;
}

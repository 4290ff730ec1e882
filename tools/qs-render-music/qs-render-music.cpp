// qs-render-music: plays a Standard MIDI File through the game's own music synthesizer set-up
// (same SoundFont search, settings and rendering blocks as the sound device) into a 16-bit
// stereo WAV file, so the songs can be listened to and measured without a sound device.
//
// Usage: qs-render-music [--rate HZ] [--seconds S] [--soundfont FILE] SONG.MID OUT.wav
// Renders until the song ends (at most --seconds, default 240) and prints the peak and RMS.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/fluidsynth/FluidMusic.h"
#include "audio/fluidsynth/SoundFontSearch.h"

namespace {

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

bool WriteWav(const std::string& path, const std::vector<std::int16_t>& samples, int rate) {
  std::vector<std::uint8_t> bytes;
  const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
  bytes.insert(bytes.end(), {'R', 'I', 'F', 'F'});
  PutLe(bytes, 36 + dataSize, 4);
  bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLe(bytes, 16, 4);
  PutLe(bytes, 1, 2);  // PCM
  PutLe(bytes, 2, 2);  // stereo
  PutLe(bytes, static_cast<std::uint32_t>(rate), 4);
  PutLe(bytes, static_cast<std::uint32_t>(rate * 4), 4);
  PutLe(bytes, 4, 2);
  PutLe(bytes, 16, 2);
  bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
  PutLe(bytes, dataSize, 4);
  for (std::int16_t s : samples) PutLe(bytes, static_cast<std::uint16_t>(s), 2);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

int Usage() {
  std::fprintf(stderr,
               "usage: qs-render-music [--rate HZ] [--seconds S] [--soundfont FILE] SONG.MID "
               "OUT.wav\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int rate = 22050;
  double maxSeconds = 240;
  std::string soundFont = FindSoundFont();
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--rate" && i + 1 < argc) {
      rate = std::atoi(argv[++i]);
    } else if (arg == "--seconds" && i + 1 < argc) {
      maxSeconds = std::atof(argv[++i]);
    } else if (arg == "--soundfont" && i + 1 < argc) {
      soundFont = argv[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage();
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2 || maxSeconds <= 0) return Usage();

  std::unique_ptr<FluidMusic> music = FluidMusic::Create(rate, soundFont);
  if (!music) {
    std::fprintf(stderr, "qs-render-music: no synthesizer (SoundFont \"%s\")\n", soundFont.c_str());
    return 1;
  }
  if (!music->PlayFile(files[0])) {
    std::fprintf(stderr, "qs-render-music: cannot play %s\n", files[0].c_str());
    return 1;
  }
  // The same block size a sound device typically asks for; the song advances with the blocks.
  constexpr int kBlock = 1024;
  const auto maxFrames = static_cast<std::size_t>(maxSeconds * rate);
  std::vector<std::int16_t> samples;
  while (!music->Ended() && samples.size() / 2 < maxFrames) {
    const std::size_t at = samples.size();
    samples.resize(at + kBlock * 2);
    music->Render(samples.data() + at, kBlock);
  }
  // Let the reverb ring out as it would before the next song starts.
  const std::size_t at = samples.size();
  samples.resize(at + static_cast<std::size_t>(rate) * 2);
  music->Stop();
  music->Render(samples.data() + at, rate);

  double sum = 0;
  int peak = 0;
  for (std::int16_t s : samples) {
    sum += static_cast<double>(s) * s;
    peak = std::max(peak, std::abs(static_cast<int>(s)));
  }
  const double rms = std::sqrt(sum / static_cast<double>(std::max<std::size_t>(1, samples.size())));
  std::printf("%s: %.1f s, peak %d (%.1f dBFS), RMS %.0f (%.1f dBFS), SoundFont %s\n",
              files[0].c_str(), static_cast<double>(samples.size()) / 2 / rate, peak,
              20 * std::log10(std::max(1, peak) / 32768.0), rms,
              20 * std::log10(std::max(1.0, rms) / 32768.0), soundFont.c_str());
  if (!WriteWav(files[1], samples, rate)) {
    std::fprintf(stderr, "qs-render-music: cannot write %s\n", files[1].c_str());
    return 1;
  }
  return 0;
}

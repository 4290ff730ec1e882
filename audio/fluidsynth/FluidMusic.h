// The music's synthesizer: a FluidSynth synth with one General MIDI SoundFont, and a Standard
// MIDI File player per song, rendered by whoever pulls samples (the sound device's callback, or a
// test or tool rendering into memory).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "audio/music/MidiPlayer.h"

class FluidMusic final : public MidiPlayer {
public:
  // Makes the synth at `sampleRate` frames a second and loads `soundFont` with dynamic sample
  // loading. Null when the synth cannot be made or the SoundFont does not load.
  static std::unique_ptr<FluidMusic> Create(int sampleRate, const std::string& soundFont);
  ~FluidMusic() override;
  FluidMusic(const FluidMusic&) = delete;
  FluidMusic& operator=(const FluidMusic&) = delete;

  // The media name goes through the data directory ("music\\SONG1.MID").
  bool Play(const std::string& mediaName) override;
  // The same for a path on disk.
  bool PlayFile(const std::string& path);
  void Stop() override;
  bool Ended() override;

  // Writes `frames` frames of 16-bit interleaved stereo, advancing the song by as much. Meant
  // for one rendering thread at a time; it never waits for the music thread (while a song is
  // being changed it writes silence).
  void Render(std::int16_t* interleavedStereo, int frames);

private:
  struct Impl;
  explicit FluidMusic(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

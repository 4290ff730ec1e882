// What the music thread needs from a synthesizer: start a song file, stop it, and say when it has
// played to its end. The real one is FluidSynth; tests hand the thread a recording fake.
#pragma once

#include <string>

class MidiPlayer {
public:
  virtual ~MidiPlayer() = default;

  // Starts the Standard MIDI File with this media name ("music\\MAIN.MID") from its beginning,
  // replacing whatever played. False when the file cannot be read or is no MIDI file.
  virtual bool Play(const std::string& mediaName) = 0;
  // Silences the song at once; a player with no song does nothing.
  virtual void Stop() = 0;
  // True once the song started last has played to its end.
  virtual bool Ended() = 0;
};

// Where the General MIDI SoundFont for the music comes from: the player's own choice first, then
// the SoundFonts Debian installs, best sounding first.
#pragma once

#include <functional>
#include <string>

// The first usable SoundFont: `environment` ($QUENBRY_SOUNDFONT) when set, not empty and an
// existing file, else the first existing one of the system's list. Empty when there is none.
std::string ChooseSoundFont(const char* environment,
                            const std::function<bool(const std::string&)>& isFile);

// The same with the real environment and file system.
std::string FindSoundFont();

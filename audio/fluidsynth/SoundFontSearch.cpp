// Finds the SoundFont the music thread loads.
#include "audio/fluidsynth/SoundFontSearch.h"

#include <sys/stat.h>

#include <cstdlib>

namespace {

// FluidR3 sounds best but is large; dynamic sample loading keeps it affordable. TimGM6mb is the
// small one the game installs; default-GM is whatever the system marks as its default.
const char* const kSystemSoundFonts[] = {
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string ChooseSoundFont(const char* environment,
                            const std::function<bool(const std::string&)>& isFile) {
  // A player's choice that does not exist falls back to the system's, rather than to silence.
  if (environment != nullptr && *environment != '\0' && isFile(environment)) return environment;
  for (const char* candidate : kSystemSoundFonts)
    if (isFile(candidate)) return candidate;
  return {};
}

std::string FindSoundFont() {
  return ChooseSoundFont(std::getenv("QUENBRY_SOUNDFONT"), IsRegularFile);
}

// The generator steps, one per family of media files, called in turn by main.
#pragma once

#include "Common.h"

namespace mk {

void makeDecks(Output& out);
void makeBacks(Output& out);
void makeThemes(Output& out);
void makeTitles(Output& out);
void makeScreens(Output& out);
void makeFonts(Output& out);
void makeSounds(Output& out);
void makeMusic(Output& out);
void writeContactSheet(const Output& out, const std::filesystem::path& png);

}  // namespace mk

// The generator steps, one per family of media files, called in turn by main.
#pragma once

#include "Common.h"

namespace mk {

void MakeDecks(Output& out);
void MakeBacks(Output& out);
void MakeThemes(Output& out);
void MakeTitles(Output& out);
void MakeScreens(Output& out);
void MakeFonts(Output& out);
void MakeSounds(Output& out);
void MakeMusic(Output& out);
void WriteContactSheet(const Output& out, const std::filesystem::path& png);

}  // namespace mk

// The music thread's view of the shared words.
#pragma once

#include "audio/music/MusicLoop.h"

// One relaxed read of every word a pass looks at.
MusicInputs ReadMusicInputs();

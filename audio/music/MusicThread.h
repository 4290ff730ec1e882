// The background music's thread and the words the window's thread shares with it. The window's
// thread only writes these words; the thread reads them at least every 100 ms and starts, stops
// and changes songs to match.
#pragma once

#include <cstdint>

// Starts the music thread and returns at once. The thread itself makes the synthesizer and loads
// the SoundFont, so start-up never waits for them; without a SoundFont it plays nothing.
void StartMusicThread();
// Raises the quit flag and waits for the thread, which ends within about 100 ms.
void StopMusicThread();

// Whether the program's window is the active one; music stops while it is not, and its track
// starts afresh when it is again.
void MusicSetAppActive(bool active);

// Copies the music preferences (MusicEnabled and the six "song%d" flags) to the thread's own
// words; the preference record itself belongs to the window's thread. Call after the
// preferences load and after the music options change.
void MusicSyncPreferences(std::int32_t musicEnabled, const std::int32_t songs[6]);

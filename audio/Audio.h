// The audio entry points the rest of the program calls: sound effects by file name and the track
// requests of the music. Until the sound device is up (AudioStart) every one of them is silent,
// and a game runs exactly the same with or without sound.
#pragma once

#include <functional>
#include <string_view>

// Plays "SFX/<name>" to its end when the sound device is up and the SoundEnabled preference is
// on; nothing for an empty name. Returns 0.
int PlaySfx(const char* name);

// Lets a caller hear which effect the program asked for, whether or not a device plays it: told
// each name that passes the empty-name and SoundEnabled checks. An empty function removes it.
using SfxListener = std::function<void(std::string_view name)>;
void SetSfxListener(SfxListener listener);

// The tracks the music thread is asked for.
enum class MusicTrack : int { kTitle = 0, kInGame = 1, kWin = 2, kLose = 3 };

// Track requests, made on the window's thread. Each sets the requested track and whether music
// may play now: all music only with MusicEnabled 1; the end-of-game tunes with 1 or 2.
void MusicTitle();
void MusicInGame();
void MusicGameOver(bool won);

// What was asked for last, as the music thread reads it.
MusicTrack RequestedTrack();
bool MusicAllowed();

// True once the sound device is up; every entry point above is silent before.
bool AudioReady();

// Opens the sound device (22,050 Hz, 16-bit stereo, or the rate the device insists on), starts
// the music thread and makes audio ready. -1, with the program silent, when there is no device,
// or when the environment variable QS_NO_AUDIO is set to anything but "0" (headless test runs:
// an effect would hold up the window's thread for its whole length). 0 when it is up.
int AudioStart();
// The same on a thread of its own, for the program's start-up: finding and opening a sound
// device can take a tenth of a second or more (longer on a machine without one), and the title
// screen must not wait for it. Effects and music are silent until it is done.
void AudioStartInBackground();
// Stops the music thread, then closes the device; silent from then on. Waits for a start still
// under way first. Safe to call twice.
void AudioStop();

// The one sound device of the program, shared by the sound effects and the music: its callback
// mixes the music's part and the playing effect into each buffer. The back end behind it lives
// in audio/sdl/; nothing here needs its headers.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "audio/SoundStream.h"
#include "audio/WaveFile.h"

// Writes `frames` interleaved 16-bit stereo frames at AudioDeviceRate(). Called on the device's
// callback thread, under the device's lock: it must not block, and must not take a lock that is
// held around SetMusicRenderer. Empty: the music adds nothing.
using MusicRenderer = std::function<void(std::int16_t* interleavedStereo, int frames)>;
// May be set or cleared at any time, from any thread; the old renderer is no longer running
// when this returns.
void SetMusicRenderer(MusicRenderer renderer);
// The device's sample rate: 22,050 when the device accepts it (also before it is open).
int AudioDeviceRate();

// Opens the audio subsystem and the device, 16-bit stereo, and starts it. False, with nothing
// left open, when there is no device.
bool AudioDeviceOpen();
// Stops and closes the device; nothing plays afterwards.
void AudioDeviceClose();

// Runs `work` on a thread of the sound back end, so that whatever the back end keeps per thread
// is released when it ends; one at a time. AudioDeviceWaitBackground waits for it (nothing when
// none runs).
void AudioDeviceRunInBackground(std::function<void()> work);
void AudioDeviceWaitBackground();
bool AudioDeviceIsOpen();

// Plays an opened WAVE file on the device to its end (see PlayToEnd), converting it to the
// device's format. Nothing happens (kPlayed at once) when the device is closed or gone, or the
// file is not a format the stream plays.
SfxEnd AudioDevicePlaySfx(std::unique_ptr<WaveFile> file);

// The SDL audio device behind AudioDevice.h: one device, one callback that writes the music and
// adds the playing effect, converted by an SDL_AudioStream from the file's format. The wait for
// an effect listens to a semaphore that the callback posts for the chunk and stop events.
#include "audio/sdl/SdlAudioDevice.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "audio/AudioDevice.h"

namespace {

constexpr int kPreferredRate = 22050;
// About 23 ms at 22,050 Hz: short enough that an effect starts with its click, long enough for
// a loaded machine not to underrun.
constexpr Uint16 kDeviceFrames = 512;
// The most file bytes converted in one piece; the callback asks for no more than it needs.
constexpr std::size_t kStagingBytes = 16384;

struct Device {
  SDL_AudioDeviceID id = 0;
  std::atomic<int> rate{kPreferredRate};
  SDL_sem* wake = nullptr;
  std::atomic<bool> lost{false};

  // Held by the callback for the whole of its run; everything below it is shared with it.
  std::mutex mutex;
  MusicRenderer renderer;
  SoundStream stream{[] {
    // Runs inside the callback, while the semaphore cannot be destroyed.
    if (device().wake != nullptr) SDL_SemPost(device().wake);
  }};
  SDL_AudioStream* converter = nullptr;
  bool sfxActive = false;
  bool flushed = false;
  std::atomic<bool> drained{true};
  std::vector<std::uint8_t> staging;
  std::vector<std::int16_t> effect;

  static Device& device();
};

Device& Device::device() {
  static Device instance;
  return instance;
}

Device& device() {
  return Device::device();
}

SDL_AudioFormat FileFormat(const WaveFormat& format) {
  return format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
}

std::int16_t SaturatingAdd(std::int16_t a, std::int16_t b) {
  const int sum = a + b;
  return static_cast<std::int16_t>(std::clamp(sum, -32768, 32767));
}

// Converts effect samples into `out` (16-bit stereo at the device rate); returns the bytes made.
// Pulls from the ring only what the conversion needs for this buffer, so the stream's count of
// bytes played stays close to what has really gone to the device.
int ConvertEffect(Device& d, std::uint8_t* out, int wanted) {
  const WaveFormat& format = d.stream.Format();
  const int deviceRate = d.rate.load(std::memory_order_relaxed);
  int got = 0;
  while (got < wanted) {
    const int available = SDL_AudioStreamAvailable(d.converter);
    if (available > 0) {
      const int n = SDL_AudioStreamGet(d.converter, out + got, std::min(available, wanted - got));
      if (n <= 0) break;
      got += n;
      continue;
    }
    if (d.flushed) break;
    const std::uint64_t framesOut = static_cast<std::uint64_t>(wanted - got) / 4;
    const std::uint64_t framesIn = framesOut * format.samplesPerSec / deviceRate + 1;
    const std::size_t ask = std::min<std::uint64_t>(framesIn * format.blockAlign, d.staging.size());
    const std::size_t taken = d.stream.Consume(d.staging.data(), ask);
    if (taken > 0) {
      if (SDL_AudioStreamPut(d.converter, d.staging.data(), static_cast<int>(taken)) != 0) break;
      continue;
    }
    if (!d.stream.Stopped()) break;  // the window's thread has not refilled yet
    SDL_AudioStreamFlush(d.converter);
    d.flushed = true;
  }
  return got;
}

void Mix(Device& d, std::uint8_t* bytes, int length) {
  auto* out = reinterpret_cast<std::int16_t*>(bytes);
  const int frames = length / 4;
  if (d.renderer) {
    d.renderer(out, frames);
  } else {
    std::memset(bytes, 0, static_cast<std::size_t>(length));
  }
  if (!d.sfxActive || d.converter == nullptr) return;
  int done = 0;
  while (done < frames) {
    const int piece = std::min<int>(frames - done, static_cast<int>(d.effect.size() / 2));
    const int made = ConvertEffect(d, reinterpret_cast<std::uint8_t*>(d.effect.data()), piece * 4);
    const int samples = made / 2;
    std::int16_t* target = out + static_cast<std::ptrdiff_t>(done) * 2;
    for (int i = 0; i < samples; ++i) target[i] = SaturatingAdd(target[i], d.effect[i]);
    if (made < piece * 4) break;
    done += piece;
  }
  if (d.flushed && SDL_AudioStreamAvailable(d.converter) == 0 &&
      !d.drained.load(std::memory_order_relaxed)) {
    d.drained.store(true, std::memory_order_release);
    if (d.wake != nullptr) SDL_SemPost(d.wake);
  }
}

void SDLCALL Callback(void*, Uint8* stream, int length) {
  Device& d = device();
  std::lock_guard<std::mutex> lock(d.mutex);
  Mix(d, stream, length);
}

// The wait of an effect, on the window's thread.
class SdlWaiter final : public SfxWaiter {
public:
  explicit SdlWaiter(Device& d) : d_(d) {}

  bool Wait(int timeoutMs) override {
    return SDL_SemWaitTimeout(d_.wake, static_cast<Uint32>(timeoutMs)) == 0;
  }

  bool DeviceGone() override {
    if (d_.lost.load(std::memory_order_relaxed)) return true;
    // SDL disables an unplugged device (its callback no longer runs) and announces it with an
    // event that the window's thread will not read while it waits here.
    bool gone = SDL_GetAudioDeviceStatus(d_.id) == SDL_AUDIO_STOPPED;
    SDL_Event events[8];
    const int count =
        SDL_PeepEvents(events, 8, SDL_PEEKEVENT, SDL_AUDIODEVICEREMOVED, SDL_AUDIODEVICEREMOVED);
    for (int i = 0; i < count; ++i) {
      if (events[i].adevice.iscapture == 0 && events[i].adevice.which == d_.id) gone = true;
    }
    if (gone) d_.lost.store(true, std::memory_order_relaxed);
    return gone;
  }

  bool OutputDrained() override { return d_.drained.load(std::memory_order_acquire); }

  std::uint64_t NowMs() override { return SDL_GetTicks64(); }

private:
  Device& d_;
};

void EndEffect(Device& d) {
  std::lock_guard<std::mutex> lock(d.mutex);
  d.sfxActive = false;
  if (d.converter != nullptr) SDL_FreeAudioStream(d.converter);
  d.converter = nullptr;
  d.stream.Close();
}

}  // namespace

void SetMusicRenderer(MusicRenderer renderer) {
  Device& d = device();
  {
    std::lock_guard<std::mutex> lock(d.mutex);
    std::swap(d.renderer, renderer);
  }
  // The old renderer (now in `renderer`) is destroyed here, outside the callback's lock.
}

int AudioDeviceRate() {
  return device().rate.load(std::memory_order_relaxed);
}

bool AudioDeviceOpen() {
  Device& d = device();
  if (d.id != 0) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = kPreferredRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kDeviceFrames;
  want.callback = Callback;
  SDL_AudioSpec have{};
  // A device that runs at another rate keeps it: the music renders at that rate, and the
  // effects are converted to it, instead of everything being resampled once more inside SDL.
  d.wake = SDL_CreateSemaphore(0);
  const SDL_AudioDeviceID id =
      d.wake == nullptr
          ? 0
          : SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (id == 0) {
    if (d.wake != nullptr) SDL_DestroySemaphore(d.wake);
    d.wake = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  {
    std::lock_guard<std::mutex> lock(d.mutex);
    d.id = id;
    d.rate.store(have.freq, std::memory_order_relaxed);
    d.staging.assign(kStagingBytes, 0);
    d.effect.assign(static_cast<std::size_t>(std::max<int>(have.samples, kDeviceFrames)) * 2, 0);
    d.lost.store(false, std::memory_order_relaxed);
  }
  SDL_PauseAudioDevice(id, 0);
  return true;
}

void AudioDeviceClose() {
  Device& d = device();
  if (d.id == 0) return;
  // Closing waits for the callback thread to end, so nothing below runs beside it.
  SDL_CloseAudioDevice(d.id);
  d.id = 0;
  EndEffect(d);
  {
    std::lock_guard<std::mutex> lock(d.mutex);
    d.renderer = nullptr;
  }
  SDL_DestroySemaphore(d.wake);
  d.wake = nullptr;
  d.rate.store(kPreferredRate, std::memory_order_relaxed);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioDeviceIsOpen() {
  return device().id != 0;
}

SfxEnd AudioDevicePlaySfx(std::unique_ptr<WaveFile> file) {
  Device& d = device();
  if (d.id == 0 || d.lost.load(std::memory_order_relaxed)) return SfxEnd::kDeviceGone;
  {
    std::lock_guard<std::mutex> lock(d.mutex);
    if (d.stream.Open(std::move(file)) != kSfxOpened) return SfxEnd::kPlayed;
    const WaveFormat& format = d.stream.Format();
    d.converter = SDL_NewAudioStream(FileFormat(format), static_cast<Uint8>(format.channels),
                                     static_cast<int>(format.samplesPerSec), AUDIO_S16SYS, 2,
                                     d.rate.load(std::memory_order_relaxed));
    if (d.converter == nullptr) {
      d.stream.Close();
      return SfxEnd::kPlayed;
    }
    d.flushed = false;
    d.drained.store(false, std::memory_order_relaxed);
    d.sfxActive = true;
  }
  // Posts left over from the last effect would only wake the first waits early.
  while (SDL_SemTryWait(d.wake) == 0) {
  }
  SdlWaiter waiter(d);
  const SfxEnd end = PlayToEnd(d.stream, waiter);
  EndEffect(d);
  return end;
}

std::uint32_t SdlAudioDeviceId() {
  return device().id;
}

void SdlAudioMixForTest(std::uint8_t* out, int bytes) {
  Device& d = device();
  std::lock_guard<std::mutex> lock(d.mutex);
  Mix(d, out, bytes);
}

namespace {

// An SDL thread rather than a standard one: SDL frees its per-thread state (the error text of a
// failed device probe, for one) only for threads it made itself.
SDL_Thread* backgroundThread = nullptr;
std::function<void()> backgroundWork;

int RunBackgroundWork(void*) {
  if (backgroundWork) backgroundWork();
  return 0;
}

}  // namespace

void AudioDeviceRunInBackground(std::function<void()> work) {
  AudioDeviceWaitBackground();
  backgroundWork = std::move(work);
  backgroundThread = SDL_CreateThread(RunBackgroundWork, "audio start", nullptr);
  // Without a thread the work is done here: slower, but never lost.
  if (backgroundThread == nullptr && backgroundWork) {
    backgroundWork();
    backgroundWork = nullptr;
  }
}

void AudioDeviceWaitBackground() {
  if (backgroundThread == nullptr) return;
  SDL_WaitThread(backgroundThread, nullptr);
  backgroundThread = nullptr;
  backgroundWork = nullptr;
}

// FluidSynth behind the music thread's player interface.
#include "audio/fluidsynth/FluidMusic.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <mutex>
#include <vector>

#include "audio/fluidsynth/SongPresets.h"
#include "platform/DataDir.h"
#include "platform/FileBytes.h"

namespace {

// Our songs are a few kilobytes; anything near this is not one of them.
constexpr std::size_t kMaxSongBytes = 1 << 20;

// The synth's master gain. The generated songs are levelled to one loudness; at this gain they
// play at about -23 dBFS RMS through TimGM6mb with their loudest peaks near -4.5 dBFS, so the
// sound effects mixed on top still fit below full scale.
constexpr double kSynthGain = 1.1;
// Our songs use five or six channels with short notes; 64 voices leave room for release tails
// and keep the worst-case rendering cost bounded.
constexpr int kPolyphony = 64;

void SilenceFluidLog() {
  // Failures stay silent towards the player; the library would otherwise print to stderr.
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
      fluid_set_log_function(level, nullptr, nullptr);
  });
}

// A SoundFont 2 file opens with a RIFF header of form "sfbk". Anything else is refused here,
// before the library's file-type probing prints its complaints.
bool LooksLikeSoundFont(const std::string& path) {
  char head[12] = {};
  std::ifstream file(path, std::ios::binary);
  if (!file.read(head, sizeof head)) return false;
  return std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "sfbk", 4) == 0;
}

}  // namespace

struct FluidMusic::Impl {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  // Held while a player is made or deleted: FluidSynth drives a player from inside the synth's
  // rendering, so the two must not overlap. The renderer only tries the lock.
  std::mutex playerMutex;
  fluid_player_t* player = nullptr;
  int soundFontId = -1;
  // The instruments of the song playing, held in memory while it plays (below).
  std::vector<SongPreset> pinned;

  ~Impl() {
    DeletePlayer();
    if (synth != nullptr) delete_fluid_synth(synth);
    if (settings != nullptr) delete_fluid_settings(settings);
  }

  void DeletePlayer() {
    std::lock_guard<std::mutex> lock(playerMutex);
    if (player == nullptr) return;
    fluid_player_stop(player);
    delete_fluid_player(player);
    player = nullptr;
    // Notes the song left sounding, and its controller settings, must not carry into the next;
    // only the reverb's short tail rings on. (A full system reset here brought back voices
    // that had just been silenced.)
    fluid_synth_all_sounds_off(synth, -1);
    for (int channel = 0; channel < 16; ++channel) fluid_synth_cc(synth, channel, 121, 0);
  }

  // With dynamic sample loading an instrument's samples are read from the SoundFont when a
  // program change selects it, and that happens inside the rendering, on the sound device's
  // thread: with a large SoundFont the first notes of a song then came late. The song's
  // instruments are loaded here instead, on the music thread, before the song starts, and stay
  // loaded while it plays. The renderer writes silence meanwhile rather than wait for the synth.
  void LoadInstruments(const std::vector<SongPreset>& presets) {
    std::lock_guard<std::mutex> lock(playerMutex);
    std::vector<SongPreset> held;
    for (const SongPreset& p : presets) {
      const bool already = std::find(pinned.begin(), pinned.end(), p) != pinned.end();
      // A preset the SoundFont lacks is not held (the synth falls back to another when the
      // song selects it), so only what was pinned is ever unpinned.
      if (already || fluid_synth_pin_preset(synth, soundFontId, p.bank, p.program) == FLUID_OK)
        held.push_back(p);
    }
    for (const SongPreset& p : pinned) {
      if (std::find(held.begin(), held.end(), p) == held.end())
        fluid_synth_unpin_preset(synth, soundFontId, p.bank, p.program);
    }
    pinned = std::move(held);
  }
};

FluidMusic::FluidMusic(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

FluidMusic::~FluidMusic() = default;

std::unique_ptr<FluidMusic> FluidMusic::Create(int sampleRate, const std::string& soundFont) {
  if (sampleRate < 8000 || sampleRate > 96000 || !LooksLikeSoundFont(soundFont)) return nullptr;
  SilenceFluidLog();
  auto impl = std::make_unique<Impl>();
  impl->settings = new_fluid_settings();
  if (impl->settings == nullptr) return nullptr;
  fluid_settings_setnum(impl->settings, "synth.sample-rate", sampleRate);
  // Only the presets a song selects are read from the SoundFont: a large SoundFont then costs
  // a few megabytes instead of all of its samples.
  fluid_settings_setint(impl->settings, "synth.dynamic-sample-loading", 1);
  fluid_settings_setint(impl->settings, "synth.polyphony", kPolyphony);
  fluid_settings_setnum(impl->settings, "synth.gain", kSynthGain);
  fluid_settings_setint(impl->settings, "synth.chorus.active", 0);
  // No audio driver of its own: the sound device's callback pulls the samples, and the players
  // advance with the samples rendered.
  fluid_settings_setstr(impl->settings, "player.timing-source", "sample");
  impl->synth = new_fluid_synth(impl->settings);
  if (impl->synth == nullptr) return nullptr;
  impl->soundFontId = fluid_synth_sfload(impl->synth, soundFont.c_str(), 1);
  if (impl->soundFontId == FLUID_FAILED) return nullptr;
  return std::unique_ptr<FluidMusic>(new FluidMusic(std::move(impl)));
}

bool FluidMusic::Play(const std::string& mediaName) {
  return PlayFile(MediaPath(mediaName));
}

bool FluidMusic::PlayFile(const std::string& path) {
  impl_->DeletePlayer();
  std::vector<std::uint8_t> bytes;
  if (ReadFileBytes(path.c_str(), kMaxSongBytes, bytes) != FileBytesStatus::kOk) return false;
  // The player parses the file later, on the rendering thread; reject what is plainly no
  // Standard MIDI File now, so that a wrong file is a failed start rather than an instant end.
  if (bytes.size() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0) return false;
  impl_->LoadInstruments(SongPresets(bytes.data(), bytes.size()));

  std::lock_guard<std::mutex> lock(impl_->playerMutex);
  fluid_player_t* player = new_fluid_player(impl_->synth);
  if (player == nullptr) return false;
  // The player copies the bytes, so the rendering thread never touches the disk.
  if (fluid_player_add_mem(player, bytes.data(), bytes.size()) != FLUID_OK ||
      fluid_player_play(player) != FLUID_OK) {
    delete_fluid_player(player);
    return false;
  }
  impl_->player = player;
  return true;
}

void FluidMusic::Stop() {
  impl_->DeletePlayer();
}

bool FluidMusic::Ended() {
  // Only this thread changes the player, so reading it needs no lock.
  fluid_player_t* player = impl_->player;
  if (player == nullptr || fluid_player_get_status(player) == FLUID_PLAYER_DONE) return true;
  // The player reports itself done only seconds after the file's last tick, once every voice
  // has died away; the title and end-of-game tunes are written to repeat seamlessly, so their
  // end is the end of the file.
  const int total = fluid_player_get_total_ticks(player);
  return total > 0 && fluid_player_get_current_tick(player) >= total;
}

void FluidMusic::Render(std::int16_t* interleavedStereo, int frames) {
  if (interleavedStereo == nullptr || frames <= 0) return;
  std::unique_lock<std::mutex> lock(impl_->playerMutex, std::try_to_lock);
  if (!lock.owns_lock()) {
    std::fill_n(interleavedStereo, static_cast<std::size_t>(frames) * 2, std::int16_t{0});
    return;
  }
  fluid_synth_write_s16(impl_->synth, frames, interleavedStereo, 0, 2, interleavedStereo, 1, 2);
}

// The music options: whether music plays always, only for the title and the end of a deal, or
// never, and which of the six songs take turns during play.
#pragma once

#include <array>
#include <optional>

#include "persist/Preferences.h"
#include "ui/UiDialog.h"

class CheckBox;
class RadioButton;
class RadioGroup;
class TextButton;

inline constexpr int kMusicDisabled = 0;
inline constexpr int kMusicEnabled = 1;
inline constexpr int kMusicEventsOnly = 2;

struct MusicChoice {
  int mode = kMusicEnabled;
  // "Fast 1", "Slow 1", "Fast 2", "Rock", "Slow 2", "Fast 3".
  std::array<bool, kSongCount> songs = {};

  bool operator==(const MusicChoice&) const = default;
};

// The mode and songs as the preferences hold them.
MusicChoice MusicChoiceFrom(const Preferences& prefs);
// Writes the choice into the preferences; saving them and restarting the music is the caller's.
void StoreMusicChoice(const MusicChoice& choice, Preferences& prefs);

class MusicChooser : public UiDialog {
public:
  // Opens on the player's music preferences.
  MusicChooser();
  explicit MusicChooser(const MusicChoice& initial);

  // Ticks the songs, selects the stored mode's radio button and shows the dialog with the focus on
  // that button.
  void Show() override;
  // OK reads the widgets (kDialogResultOk); Cancel: kDialogResultCancel. Escape does nothing.
  bool Poll() override;

  // What OK confirmed; the values opened with until then.
  const MusicChoice& GetChoice() const { return choice_; }

  RadioGroup* GetModeGroup() const { return modeGroup_; }
  // Indexed by mode: disabled, enabled, event music only.
  RadioButton* GetModeButton(int mode) const;
  CheckBox* GetSongBox(int song) const;
  TextButton* GetOkButton() const { return okButton_; }
  TextButton* GetCancelButton() const { return cancelButton_; }

private:
  void Accept();
  // Turns the song boxes off while the music is off and on again otherwise.
  void FollowMode(bool musicOff);

  MusicChoice choice_;
  RadioGroup* modeGroup_ = nullptr;
  std::array<RadioButton*, 3> modeButtons_ = {};
  std::array<CheckBox*, kSongCount> songBoxes_ = {};
  TextButton* okButton_ = nullptr;
  TextButton* cancelButton_ = nullptr;
};

// The chosen mode and songs, or nothing when cancelled. Stores nothing.
std::optional<MusicChoice> RunMusicChooser(const MusicChoice& current);

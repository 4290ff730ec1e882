// The music options dialog: its widgets and the rule that turns music without songs into event
// music.
#include "dialogs/choosers/MusicChooser.h"

#include "dialogs/DialogResults.h"
#include "dialogs/choosers/PictureChooser.h"
#include "ui/UiInput.h"
#include "ui/widgets/CheckBox.h"
#include "ui/widgets/CheckItem.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/RadioButton.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/TextButton.h"

namespace {

struct SongPlace {
  const char* caption;
  int x;
  int y;
};
constexpr SongPlace kSongs[kSongCount] = {
    {"Fast 1", 50, 100}, {"Slow 1", 50, 120},  {"Fast 2", 50, 140},
    {"Rock", 180, 100},  {"Slow 2", 180, 120}, {"Fast 3", 180, 140},
};

bool ValidMode(int mode) {
  return mode >= kMusicDisabled && mode <= kMusicEventsOnly;
}

}  // namespace

MusicChoice MusicChoiceFrom(const Preferences& prefs) {
  MusicChoice choice;
  // A value the store should never hold opens as music on, the first start's default.
  choice.mode = ValidMode(prefs.musicEnabled) ? prefs.musicEnabled : kMusicEnabled;
  for (int i = 0; i < kSongCount; ++i)
    choice.songs[static_cast<std::size_t>(i)] = prefs.songs[i] != 0;
  return choice;
}

void StoreMusicChoice(const MusicChoice& choice, Preferences& prefs) {
  prefs.musicEnabled = choice.mode;
  for (int i = 0; i < kSongCount; ++i)
    prefs.songs[i] = choice.songs[static_cast<std::size_t>(i)] ? 1 : 0;
}

MusicChooser::MusicChooser() : MusicChooser(MusicChoiceFrom(ThePreferences())) {}

MusicChooser::MusicChooser(const MusicChoice& initial)
    : UiDialog(230, 160, 340, 280, "Choose a music option"), choice_(initial) {
  if (!ValidMode(choice_.mode)) choice_.mode = kMusicEnabled;
  // The group is made first and so holds the focus: the arrow keys move the mode at once.
  modeGroup_ = MakeChild<RadioGroup>(10, 45);
  modeButtons_[kMusicEnabled] =
      modeGroup_->MakeChild<RadioButton>(10, 15, "Music Enabled", true, kUiNoWrap);
  modeButtons_[kMusicEventsOnly] =
      modeGroup_->MakeChild<RadioButton>(10, 135, "Event Music Only", true, kUiNoWrap);
  modeButtons_[kMusicDisabled] =
      modeGroup_->MakeChild<RadioButton>(10, 155, "Music Disabled", true, kUiNoWrap);
  MakeChild<GroupBox>(40, 85, 260, 80, "", kGroupBoxEtched);
  for (int i = 0; i < kSongCount; ++i) {
    songBoxes_[static_cast<std::size_t>(i)] =
        MakeChild<CheckBox>(kSongs[i].x, kSongs[i].y, kSongs[i].caption, true, kUiNoWrap);
  }
  MakeChooserButtons(*this, &okButton_, &cancelButton_);
}

RadioButton* MusicChooser::GetModeButton(int mode) const {
  return ValidMode(mode) ? modeButtons_[static_cast<std::size_t>(mode)] : nullptr;
}

CheckBox* MusicChooser::GetSongBox(int song) const {
  return song >= 0 && song < kSongCount ? songBoxes_[static_cast<std::size_t>(song)] : nullptr;
}

void MusicChooser::Show() {
  for (int i = 0; i < kSongCount; ++i) {
    songBoxes_[static_cast<std::size_t>(i)]->SetSelected(
        choice_.songs[static_cast<std::size_t>(i)]);
  }
  FollowMode(choice_.mode == kMusicDisabled);
  UiDialog::Show();
  modeGroup_->SelectChild(modeButtons_[static_cast<std::size_t>(choice_.mode)]);
  // The focus the group took belongs on the stored mode, where the arrow keys start from.
  if (modeGroup_->GetFocus() != kUiNoFocus) modeGroup_->SetFocus(modeGroup_->GetFocus());
}

void MusicChooser::FollowMode(bool musicOff) {
  // Songs mean nothing while the music is off; their ticks stay for when it comes back.
  for (CheckBox* box : songBoxes_) {
    if (box->IsDisabled() == musicOff) continue;
    box->SetDisabled(musicOff);
    if (box->IsShown()) box->Draw();
  }
}

void MusicChooser::Accept() {
  MusicChoice confirmed;
  if (modeButtons_[kMusicDisabled]->IsSelected()) {
    confirmed.mode = kMusicDisabled;
  } else if (modeButtons_[kMusicEnabled]->IsSelected()) {
    confirmed.mode = kMusicEnabled;
  } else {
    confirmed.mode = kMusicEventsOnly;
  }
  bool anySong = false;
  for (int i = 0; i < kSongCount; ++i) {
    const bool ticked = songBoxes_[static_cast<std::size_t>(i)]->IsSelected();
    confirmed.songs[static_cast<std::size_t>(i)] = ticked;
    anySong = anySong || ticked;
  }
  // Music during play with nothing to play is music at the title and the end of a deal only.
  if (confirmed.mode == kMusicEnabled && !anySong) confirmed.mode = kMusicEventsOnly;
  choice_ = confirmed;
  result = kDialogResultOk;
}

bool MusicChooser::Poll() {
  PollWidgets();
  FollowMode(modeButtons_[kMusicDisabled]->IsSelected());
  if (UiInput.event == EV_CLICKED) {
    if (okButton_ != nullptr && UiInput.subject == okButton_->GetId()) {
      Accept();
    } else if (cancelButton_ != nullptr && UiInput.subject == cancelButton_->GetId()) {
      result = kDialogResultCancel;
    }
  }
  return result != 0;
}

std::optional<MusicChoice> RunMusicChooser(const MusicChoice& current) {
  MusicChooser chooser(current);
  if (chooser.DoModal() != kDialogResultOk) return std::nullopt;
  return chooser.GetChoice();
}

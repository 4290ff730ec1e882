// The four settings dialogs run through their modal loop with recorded clicks and keys against a
// scratch settings store: what they read, show and write back, how they close, and how they look
// in a dark and a light theme.
#include <gtest/gtest.h>

#include <string>

#include "games/RuleSettingsDialog.h"
#include "games/auldlangsyne/AuldLangSyneSettings.h"
#include "games/gate/GateSettings.h"
#include "games/klondike/KlondikeSettings.h"
#include "games/quadrille/QuadrilleSettings.h"
#include "tests/support/RequireMedia.h"
#include "tests/support/ScratchStore.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/widgets/CheckBox.h"
#include "ui/widgets/ComboBox.h"
#include "ui/widgets/RadioButton.h"
#include "ui/widgets/SpinBox.h"
#include "ui/widgets/TextButton.h"

namespace {

const RuleSettingsLayout* const kAllGames[] = {&kKlondikeSettings, &kGateSettings,
                                               &kQuadrilleSettings, &kAuldLangSyneSettings};

class RuleSettingsDialogTest : public DialogTest {
protected:
  // A click in the middle of a widget, as a player aims.
  void ClickOn(std::uint64_t ms, const UiElement* element) {
    ASSERT_NE(element, nullptr);
    input_->ClickAt(ms, element->GetX() + element->GetWidth() / 2,
                    element->GetY() + element->GetHeight() / 2);
  }
  // A click on a check box's or radio button's indicator square.
  void ClickOnBox(std::uint64_t ms, const UiElement* element) {
    ASSERT_NE(element, nullptr);
    input_->ClickAt(ms, element->GetX() + 6, element->GetY() + 6);
  }
  // Opens the start card list and picks item `index` from it.
  void PickStartCard(std::uint64_t ms, const ComboBox* list, int index) {
    ASSERT_NE(list, nullptr);
    input_->ClickAt(ms, list->GetX() + 20, list->GetY() + list->GetHeight() / 2);
    input_->ClickAt(ms + 200, list->GetX() + 20,
                    list->ListTop() + 5 + index * kComboBoxItemHeight + 6);
  }
  ScratchStore store_;
};

// A stored start card shows its entry, or none for a number without one (13 is past Auld Lang
// Syne's list), and is stored back unchanged unless the player picks one. Gate's deck entry is -1.
TEST_F(RuleSettingsDialogTest, StartCardsShowTheirEntryAndAreStoredBackUnlessChanged) {
  const struct {
    const RuleSettingsLayout* game;
    std::int32_t stored;
    int shown;   // the entry shown, -1 none
    int picked;  // the entry the player picks, -1 none
    std::int32_t after;
  } cases[] = {
      {&kGateSettings, -1, 13, -1, -1},       {&kGateSettings, 5, 5, 13, -1},
      {&kGateSettings, -7, -1, -1, -7},       {&kKlondikeSettings, 40, -1, -1, 40},
      {&kAuldLangSyneSettings, 13, -1, 0, 0},
  };
  // A count beyond the spin box's range is stored back as the box shows it.
  WriteSettingDword("Klondike", "CardsDealt", 9);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.game->game << " " << c.stored);
    WriteSettingDword(c.game->game, "StartCard", c.stored);
    RuleSettingsDialog dialog(*c.game, RuleSettingsMode::kStart);
    EXPECT_EQ(dialog.StartCardList()->GetSelection(), c.shown);
    if (c.picked >= 0) PickStartCard(In(40), dialog.StartCardList(), c.picked);
    ClickOn(In(1000), dialog.ConfirmButton());
    EXPECT_EQ(dialog.DoModal(), kRuleSettingsConfirmed);
    EXPECT_EQ(store_.Stored(c.game->game, "StartCard"), c.after);
  }
  EXPECT_EQ(store_.Stored("Klondike", "CardsDealt"), 3);
}

// A stored recycles number shows its button, or none, and is stored back unchanged (a picked one
// is stored: ChangedSpinBoxCheckBoxesComboAndRecyclesAreStored).
TEST_F(RuleSettingsDialogTest, RecyclesShowTheirButtonAndAreStoredBackUnchanged) {
  const struct {
    const RuleSettingsLayout* game;
    std::int32_t stored;
    int shown;  // the button that shows it, -1 none
  } cases[] = {{&kKlondikeSettings, kRecyclesUnlimited, 5},
               {&kQuadrilleSettings, 4, 4},
               {&kGateSettings, 7, -1}};
  for (const auto& c : cases) {
    WriteSettingDword(c.game->game, "Recycles", c.stored);
    RuleSettingsDialog dialog(*c.game, RuleSettingsMode::kStart);
    // Shown, the group keeps the stored choice rather than its first button.
    dialog.Show();
    for (int choice = 0; choice < kRecycleChoices; ++choice) {
      EXPECT_EQ(dialog.RecycleButton(choice)->IsSelected(), choice == c.shown)
          << c.game->game << " " << choice;
    }
    dialog.Hide();
    ClickOn(In(40), dialog.ConfirmButton());
    EXPECT_EQ(dialog.DoModal(), kRuleSettingsConfirmed);
    EXPECT_EQ(store_.Stored(c.game->game, "Recycles"), c.stored);
  }
}

TEST_F(RuleSettingsDialogTest, ChangedSpinBoxCheckBoxesComboAndRecyclesAreStored) {
  RuleSettingsDialog dialog(kKlondikeSettings, RuleSettingsMode::kRestart);
  SpinBox* spin = dialog.CardsDealtBox();
  // Down twice from 3: 1; a third press stays there.
  for (int i = 0; i < 3; ++i) ClickOn(In(40 + 300 * i), spin->DownArrow());
  ClickOnBox(In(1000), dialog.FlagBox("MovePartial"));
  ClickOnBox(In(1300), dialog.FlagBox("TableauStart"));
  ClickOnBox(In(1600), dialog.FlagBox("DontShowAgain"));
  ClickOnBox(In(1900), dialog.RecycleButton(0));
  PickStartCard(In(2200), dialog.StartCardList(), 9);
  ClickOn(In(3000), dialog.ConfirmButton());
  EXPECT_EQ(dialog.DoModal(), kRuleSettingsConfirmed);
  EXPECT_EQ(store_.Stored("Klondike", "CardsDealt"), 1);
  EXPECT_EQ(store_.Stored("Klondike", "MovePartial"), 1);
  EXPECT_EQ(store_.Stored("Klondike", "TableauStart"), 0);
  EXPECT_EQ(store_.Stored("Klondike", "DontShowAgain"), 1);
  EXPECT_EQ(store_.Stored("Klondike", "Recycles"), 0);
  EXPECT_EQ(store_.Stored("Klondike", "StartCard"), 9);
  EXPECT_EQ(store_.Stored("Klondike", "AutoFlip"), 0);
  EXPECT_EQ(store_.Stored("Klondike", "FilledIn"), 0);

  // Quadrille's spin box goes up; a mnemonic ticks a box (first: a focused spin box takes keys).
  RuleSettingsDialog quadrille(kQuadrilleSettings, RuleSettingsMode::kStart);
  input_->KeyAt(In(40), 'F', 0x21);
  ClickOn(In(400), quadrille.CardsDealtBox()->UpArrow());
  ClickOn(In(800), quadrille.ConfirmButton());
  EXPECT_EQ(quadrille.DoModal(), kRuleSettingsConfirmed);
  EXPECT_EQ(store_.Stored("Quadrille", "CardsDealt"), 2);
  EXPECT_EQ(store_.Stored("Quadrille", "FilledIn"), 1);

  // Keys alone: a box's mnemonic, then the confirm button's.
  RuleSettingsDialog gate(kGateSettings, RuleSettingsMode::kStart);
  input_->KeyAt(In(40), 'U', 0x16);
  input_->KeyAt(In(300), 'S', 0x1F);
  EXPECT_EQ(gate.DoModal(), kRuleSettingsConfirmed);
  EXPECT_EQ(store_.Stored("Gate", "FillFromWaste"), 1);
}

TEST_F(RuleSettingsDialogTest, CancelAndEscapeWriteNothing) {
  for (const RuleSettingsLayout* game : kAllGames) {
    { RuleSettingsDialog opened(*game, RuleSettingsMode::kStart); }
    const std::string before = store_.FileText();
    ASSERT_FALSE(before.empty());
    RuleSettingsDialog dialog(*game, RuleSettingsMode::kRestart);
    ClickOnBox(In(40), dialog.FlagBox("FilledIn"));
    ClickOnBox(In(300), dialog.FlagBox("DontShowAgain"));
    ClickOn(In(600), dialog.CancelButton());
    EXPECT_EQ(dialog.DoModal(), kRuleSettingsCancelled) << game->game;
    EXPECT_EQ(store_.FileText(), before) << game->game;
    RuleSettingsDialog escaped(*game, RuleSettingsMode::kStart);
    ClickOnBox(In(40), escaped.FlagBox("FilledIn"));
    input_->KeyAt(In(300), VK_ESCAPE, kScanEscape);
    EXPECT_EQ(escaped.DoModal(), kRuleSettingsCancelled) << game->game;
    EXPECT_EQ(store_.FileText(), before) << game->game;
  }
}

TEST_F(RuleSettingsDialogTest, AtTheStartDontShowAgainSkipsTheDialogAsConfirmed) {
  // Skipped, no input is needed at all (a dialog waiting for some would end with the quit result).
  input_->KeyAt(In(40), VK_ESCAPE, kScanEscape);
  EXPECT_EQ(RunRuleSettingsAtStart(kGateSettings), kRuleSettingsCancelled);
  WriteSettingDword("Gate", "DontShowAgain", 1);
  EXPECT_EQ(RunRuleSettingsAtStart(kGateSettings), kRuleSettingsConfirmed);
  RuleSettingsDialog dialog(kGateSettings, RuleSettingsMode::kRestart);
  EXPECT_TRUE(dialog.FlagBox("DontShowAgain")->IsSelected());
  ClickOnBox(In(40), dialog.FlagBox("DontShowAgain"));
  ClickOn(In(300), dialog.ConfirmButton());
  EXPECT_EQ(dialog.DoModal(), kRuleSettingsConfirmed);
  EXPECT_EQ(store_.Stored("Gate", "DontShowAgain"), 0);
}

// The entry under the pointer in the open list is lit in the theme's colours, not a navy bar from
// nowhere (how those read is ThemeContrastTest's).
TEST_F(RuleSettingsDialogTest, TheOpenStartCardListLightsItsEntryInTheThemesColours) {
  for (int theme = 0; theme < 6; ++theme) {
    SCOPED_TRACE(testing::Message() << "theme " << theme);
    if (!UseArtwork(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    RuleSettingsDialog dialog(kAuldLangSyneSettings, RuleSettingsMode::kStart);
    const ComboBox* list = dialog.StartCardList();
    ASSERT_NE(list, nullptr);
    const int secondEntryTop = list->ListTop() + 5 + kComboBoxItemHeight;
    std::uint32_t bar = 0;
    SetWindowProc([&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
      if (message == WM_USER) bar = PixelAt(screenBuffer_, list->GetX() + 6, secondEntryTop + 1);
      return std::intptr_t{0};
    });
    input_->ClickAt(In(40), list->GetX() + 20, list->GetY() + 10);
    input_->At(In(200), WM_MOUSEMOVE, 0, MakeLParam(list->GetX() + 20, secondEntryTop + 6));
    input_->At(In(300), WM_USER);
    input_->KeyAt(In(400), VK_ESCAPE, kScanEscape);
    ClickOn(In(600), dialog.ConfirmButton());
    EXPECT_EQ(dialog.DoModal(), kRuleSettingsConfirmed);
    EXPECT_EQ(bar, art_->ListHighlightColor());
  }
}

// Theme 0 is dark velvet with gold lettering, theme 1 light paper with black; on a fresh store the
// images pin each dialog's defaults.
TEST_F(RuleSettingsDialogTest, EachDialogLooksRightInADarkAndALightTheme) {
  const char* names[] = {"klondike", "gate", "quadrille", "auldlangsyne"};
  for (int theme : {0, 1}) {
    if (!UseArtwork(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    for (int i = 0; i < 4; ++i) {
      UiBuildColours();
      art_->RestoreBackground(0, 799, 0, 599);
      RuleSettingsDialog dialog(*kAllGames[i],
                                i % 2 == 0 ? RuleSettingsMode::kStart : RuleSettingsMode::kRestart);
      dialog.Show();
      const std::string golden =
          std::string("games/") + names[i] + "_settings_theme" + std::to_string(theme);
      EXPECT_TRUE(MatchesGolden(golden, screenBuffer_, dialog.GetX(),
                                dialog.GetX() + dialog.GetWidth() - 1, dialog.GetY(),
                                dialog.GetY() + dialog.GetHeight() - 1));
      dialog.Hide();
    }
  }
}

}  // namespace

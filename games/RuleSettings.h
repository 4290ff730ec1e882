// The rule settings that Klondike, Gate, Quadrille and Auld Lang Syne share in form: each game
// describes its stored values, its settings dialog and its summary lines in one constant table,
// and the code here reads, writes and summarises any of them from that table.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/Card.h"

// Recycles without limit.
inline constexpr std::int32_t kRecyclesUnlimited = 99999;
// StartCard: the foundations' base rank is the next card turned from the deck.
inline constexpr std::int32_t kStartCardNextFromDeck = -1;
// Check box wrap widths: the dialogs' captions never wrap, except the don't-show boxes of three
// games, which break onto a second line past 330 pixels.
inline constexpr int kRuleNoWrap = 800;
inline constexpr int kRuleDontShowWrap = 330;

// How a stored value appears in the settings dialog.
enum class RuleControlKind {
  kCheckBox,   // on when non-zero
  kSpinBox,    // a number from 1 to 3
  kRecycles,   // the "Recycles" group of six radio buttons
  kStartCard,  // a label and a combo box of rank names
};

// One stored value and the control that edits it. Positions are relative to the dialog.
struct RuleControl {
  const char* value;  // its name in the game's key, e.g. "MovePartial"
  std::int32_t fallback;
  RuleControlKind kind;
  const char* caption;  // the check box's or spin box's caption, or the label's text
  int x, y;             // check box, spin box field, group box or label
  int width;            // check box: wrap width; spin box: field width; combo box: width
  int comboX = 0, comboY = 0;
};

// How one line of the rules view spells a value.
enum class SummaryForm {
  kYesNo,      // "<text>: Yes" / "<text>: No"
  kNumber,     // "<text>: <n>"
  kRecycles,   // "Number of recycles: Infinite" or the number
  kStartCard,  // "Starting Card: <rank>" or the next card from the deck
};

struct SummaryLine {
  const char* value;
  const char* text;
  SummaryForm form;
};

enum class RuleSettingsMode { kStart, kRestart };

// Everything about one game's rule settings.
struct RuleSettingsLayout {
  const char* game;   // the game's title: its key below the settings root, exactly
  const char* title;  // the dialog's title
  int x, y, width, height;
  std::span<const RuleControl> controls;  // in reading, building and tab order
  int buttonsY;
  const char* cancelCaption;
  bool offersNextFromDeck;  // the start card list ends with "Next card from deck"
  std::span<const SummaryLine> summary;
};

// The caption of the start card list's last entry in a game that offers it.
inline constexpr const char* kNextCardFromDeckCaption = "Next card from deck";

// The control that stores `value`, or null when the game has no such value.
const RuleControl* FindRuleControl(const RuleSettingsLayout& layout, const char* value);
// Reads one value from the game's key; a missing value is created with its default. A value the
// game does not have reads as 0 and touches nothing.
std::int32_t ReadRuleValue(const RuleSettingsLayout& layout, const char* value);
void WriteRuleValue(const RuleSettingsLayout& layout, const char* value, std::int32_t number);
// Reads every value of the game, in table order, so that a fresh store holds all of them after.
std::vector<std::int32_t> ReadAllRuleValues(const RuleSettingsLayout& layout);

// The lines of the game's rules view, each value read from the store now.
std::vector<std::string> RuleSummaryLines(const RuleSettingsLayout& layout);

// Runs the settings dialog as choosing the game from the title screen does: with the game's
// DontShowAgain on, nothing is shown and the answer is 1 (confirmed); otherwise the dialog's
// result (1 confirmed, 2 cancelled).
int RunRuleSettingsAtStart(const RuleSettingsLayout& layout);
// Runs the dialog from the game's own menu: it is shown whatever DontShowAgain says.
int RunRuleSettingsToRestart(const RuleSettingsLayout& layout);

// One entry of the in-game menus: either a title on the menu bar, drawn from pieces of the menu
// picture, or an item of a drop-down list, drawn as text with an optional check mark.
#pragma once

#include <cstdint>

#include "ui/widgets/TextItem.h"

class DropDown;

// Style bits that tell the two kinds of entry apart.
inline constexpr std::uint32_t kMenuTitleStyle = 0x1;
inline constexpr std::uint32_t kMenuItemStyle = 0x2;
inline constexpr std::uint32_t kMenuItemAltStyle = 0x10;
// An entry that is only a picture piece and can never be chosen.
inline constexpr std::uint32_t kMenuFixedStyle = 0x8;

// Only ids above this answer Alt with their letter; every command number of the game is above.
inline constexpr int kMenuCommandBase = 1000;

// True while the arrow keys drive a menu: the pointer's highlight then waits until the pointer
// really moves, so a resting pointer does not snatch the highlight back on every key. Asking
// after the pointer has moved ends it.
bool MenuKeyboardNavigation();

class MenuEntry : public TextItem {
public:
  enum Pending { kPendingNone = 0, kPendingOpen = 1, kPendingClose = 2 };

  // A title. x and y are absolute screen positions; the caption only supplies the mnemonic,
  // since the lettering is part of the picture.
  MenuEntry(UiElement* bar, int normalX, int normalY, int highlightX, int highlightY,
            int pieceWidth, int pieceHeight, int x, int y, int width, int height, int image,
            int screenBuffer, std::uint32_t style, const char* caption);
  // An item: placed at its drop-down's position with its width, one caption line plus 8 pixels
  // high. The game gives it its command number with SetId.
  MenuEntry(UiElement* dropDown, const char* caption, std::uint32_t style);
  ~MenuEntry() override;

  void Show() override;
  void Hide() override;
  void HandleEvent() override;
  void Draw() override;
  // A title's list hangs under it without being in a child list, so it is moved here.
  void MoveBy(int dx, int dy) override;
  // A title also reports and forgets the drawing of its list, which is not in any child list.
  bool NeedsRedraw() const override;
  void ClearRedraw() override;

  bool IsTitle() const { return (style_ & kMenuTitleStyle) != 0; }
  bool IsFixed() const { return (style_ & kMenuFixedStyle) != 0; }
  // Focused or pressed: an open (or opening) title, or the item the pointer or keys are on.
  bool IsHighlighted() const { return focus_ != 0 || pressed_; }
  // The pointer rests on a title while no menu is open.
  bool IsHovered() const { return hover_; }
  int GetPending() const { return pending_; }
  DropDown* GetDropDown() const { return dropDown_; }

  // Called by the drop-down that hangs under this title.
  void AttachDropDown(DropDown* dropDown) { dropDown_ = dropDown; }
  // Highlights the title and shows its list at once; the other titles close.
  void OpenMenu();
  // Hides the list, removes the highlight and forgets any pending action.
  void CloseMenu();
  // A pending open that came in the same turn as a keyboard choice stands down next turn.
  void CancelPendingOpen();

private:
  void HandleTitle();
  void HandleItem();
  // The title's steps, in order.
  void TitleAltKey();
  void TitleMousePress(bool overTitle);
  void TitleMouseMove(bool overTitle);
  // The item's choice: the command is left in UiInput and the menus close.
  void Choose();
  bool CanBeChosen() const { return !disabled_ && !IsFixed(); }
  void SetHighlight(bool on);
  bool AnyOtherTitleOpen() const;
  void CloseOtherTitles();
  void DrawTitle();
  void DrawItem();

  DropDown* dropDown_ = nullptr;
  int pending_ = kPendingNone;
  bool openCancelled_ = false;
  int normalX_ = 0, normalY_ = 0, highlightX_ = 0, highlightY_ = 0;
  int pieceWidth_ = 0, pieceHeight_ = 0;
  int image_ = -1;
  int screenBuffer_ = -1;
  bool hover_ = false;
  bool wasOver_ = false;
  // Where the pointer was in this title's previous turn.
  int pointerX_ = -1;
  int pointerY_ = -1;
  // Alt went down with a letter, and went up again since: only then may Alt with an item's
  // letter choose it, so the key that opened a menu never also chooses from it.
  bool altPressed_ = false;
  bool altReleased_ = false;
};

// The layout of the game's menu bar: where the titles sit, which piece of the menu picture
// letters each, and the items of every menu in order.
#include "engine/session/GameMenuBar.h"

#include "ui/menus/DropDown.h"
#include "ui/menus/MenuBar.h"
#include "ui/menus/MenuEntry.h"

namespace {

constexpr int kBarX = 54;
constexpr int kBarY = 2;
constexpr int kBarWidth = 752;
constexpr int kBarHeight = 29;
constexpr int kTitleWidth = 96;
constexpr int kTitleHeight = 29;
constexpr int kPieceWidth = 96;
constexpr int kPieceHeight = 23;
// The highlighted lettering sits right of the normal one in the menu picture.
constexpr int kHighlightColumn = 97;
constexpr int kPanelWidth = 199;
constexpr int kPanelEdgeHeight = 4;
constexpr int kPanelBottomRow = 477;

struct TitleLayout {
  const char* caption;
  int x;
  // Row of the title's lettering in the menu picture; the picture keeps View above Options.
  int row;
};

constexpr TitleLayout kTitles[] = {
    {"&Game", 54, 0},
    {"&Options", 155, 48},
    {"&View", 256, 24},
    {"&Help", 357, 72},
};

DropDown* AddMenu(MenuBar* bar, const TitleLayout& layout, int menuImage, int menuColumnImage,
                  int screenBuffer) {
  auto* title = bar->MakeChild<MenuEntry>(0, layout.row, kHighlightColumn, layout.row, kPieceWidth,
                                          kPieceHeight, layout.x, kBarY, kTitleWidth, kTitleHeight,
                                          menuImage, screenBuffer, kMenuTitleStyle, layout.caption);
  return title->MakeChild<DropDown>(0, 0, kPanelWidth, kPanelEdgeHeight, 0, kPanelBottomRow,
                                    kPanelWidth, kPanelEdgeHeight, menuColumnImage);
}

}  // namespace

GameMenus BuildGameMenuBar(UiElement* screen, int menuImage, int menuColumnImage,
                           int screenBuffer) {
  GameMenus menus;
  if (screen == nullptr) return menus;
  menus.bar = screen->MakeChild<MenuBar>(kBarX, kBarY, 0, 0, kBarWidth, kBarHeight, menuImage);
  DropDown* lists[4];
  for (int i = 0; i < 4; ++i) {
    lists[i] = AddMenu(menus.bar, kTitles[i], menuImage, menuColumnImage, screenBuffer);
  }
  menus.game = lists[0];
  menus.options = lists[1];
  menus.view = lists[2];
  menus.help = lists[3];

  FillGameMenu(menus.game, false);
  menus.options->AddItem("Card &Front...", kCmdCardFront);
  menus.options->AddItem("&Card Back...", kCmdCardBack);
  menus.options->AddItem("Back&ground...", kCmdBackground);
  menus.music = menus.options->AddItem("&Music...", kCmdMusic);
  menus.sfx = menus.options->AddItem("&SFX", kCmdSfx);
  menus.autoGameOver = menus.options->AddItem("&Auto Game Over", kCmdAutoGameOver);
  menus.view->AddItem("&High Scores...", kCmdHighScores);
  menus.help->AddItem("&Rules...", kCmdRulesHelp);
  menus.help->AddItem("&About...", kCmdAbout);
  menus.help->AddItem("&Upgrade...", kCmdUpgrade);
  return menus;
}

void FillGameMenu(DropDown* game, bool paused) {
  if (game == nullptr) return;
  game->ClearItems();
  game->AddItem("&Undo", kCmdUndo);
  game->AddItem(paused ? "&Resume" : "&Pause", kCmdPauseResume);
  game->AddItem("&New Game", kCmdNewGame);
  game->AddItem("&End Game", kCmdEndGame);
  game->AddItem("&Main Menu", kCmdMainMenu);
  game->AddItem("E&xit", kCmdExit);
}

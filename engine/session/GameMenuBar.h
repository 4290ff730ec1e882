// Builds the menu bar every game shares: the Game, Options, View and Help menus with their items
// and command numbers, placed and cut from the theme's menu pictures.
#pragma once

class DropDown;
class MenuBar;
class MenuEntry;
class UiElement;

// The command numbers the menu items leave in UiInput.subject.
inline constexpr int kCmdNewGame = 1000;
inline constexpr int kCmdMainMenu = 1003;
inline constexpr int kCmdExit = 1004;
inline constexpr int kCmdUndo = 1005;
inline constexpr int kCmdPauseResume = 1006;
inline constexpr int kCmdEndGame = 1007;
inline constexpr int kCmdCardBack = 1106;
inline constexpr int kCmdCardFront = 1109;
inline constexpr int kCmdBackground = 1110;
inline constexpr int kCmdMusic = 1111;
inline constexpr int kCmdSfx = 1112;
inline constexpr int kCmdGameSettings = 1114;
inline constexpr int kCmdAutoGameOver = 1115;
inline constexpr int kCmdRulesView = 1210;
inline constexpr int kCmdHighScores = 1213;
inline constexpr int kCmdAbout = 1300;
inline constexpr int kCmdRulesHelp = 1301;
inline constexpr int kCmdUpgrade = 1302;

// What the game keeps of its menus: the bar, the four lists (so a variant can append its own
// items and the Game menu can be rebuilt) and the three items that carry check marks.
struct GameMenus {
  MenuBar* bar = nullptr;
  DropDown* game = nullptr;
  DropDown* options = nullptr;
  DropDown* view = nullptr;
  DropDown* help = nullptr;
  MenuEntry* music = nullptr;
  MenuEntry* sfx = nullptr;
  MenuEntry* autoGameOver = nullptr;
};

// Makes the bar as a child of the game's screen (which owns it from then on). menuImage is the
// theme's menu picture, menuColumnImage its menu column, screenBuffer where the titles draw.
GameMenus BuildGameMenuBar(UiElement* screen, int menuImage, int menuColumnImage, int screenBuffer);

// (Re)fills the Game menu; its second item names what the player can do: pause or resume.
void FillGameMenu(DropDown* game, bool paused);

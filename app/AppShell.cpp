// The main window's start-up sequence, window procedure, main loop and tear-down.
#include "app/AppShell.h"

#include "app/ColorDepthProbe.h"
#include "app/GameLaunchers.h"
#include "app/ShellWindow.h"
#include "app/TitleScreen.h"
#include "audio/Audio.h"
#include "audio/music/MusicThread.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/PlayerSelectDialog.h"
#include "dialogs/RuleHelpDialog.h"
#include "dialogs/UpgradeScreen.h"
#include "dialogs/choosers/BackgroundChooser.h"
#include "dialogs/choosers/CardBackChooser.h"
#include "dialogs/choosers/CardFrontChooser.h"
#include "dialogs/choosers/MusicChooser.h"
#include "engine/CardGame.h"
#include "games/GameTable.h"
#include "games/RuleSettings.h"
#include "games/RuleSettingsDialog.h"
#include "gfx/Gfx.h"
#include "gfx/GfxDisplay.h"
#include "gfx/art/ArtworkSet.h"
#include "gfx/art/Themes.h"
#include "gfx/font/Font.h"
#include "persist/Preferences.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "platform/Window.h"
#include "ui/ArtworkScreenUpdate.h"
#include "ui/UiInput.h"
#include "ui/UiModal.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/WidgetArtwork.h"

namespace {

// The picture is always kept at 32 bits: every colour goes through GfxMapRGB, and the display
// back end shows 0x00RRGGBB without conversion.
constexpr int kBufferDepth = 32;

// The messages that pass through the input pre-pass: key presses and the mouse.
bool IsShellInput(std::uint32_t message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      return true;
    default:
      return message >= WM_MOUSEMOVE && message <= WM_RBUTTONDBLCLK;
  }
}

int LowWord(std::intptr_t lParam) {
  return static_cast<std::int16_t>(static_cast<std::uint32_t>(lParam) & 0xFFFFu);
}

int HighWord(std::intptr_t lParam) {
  return static_cast<std::int16_t>((static_cast<std::uint32_t>(lParam) >> 16) & 0xFFFFu);
}

std::optional<PlayerChoice> PlayerSelectDialogStep(const std::string& name, bool dontShowAgain) {
  return RunPlayerSelectDialog(name, dontShowAgain);
}

}  // namespace

namespace {

// The program's own windows that a game opens from its menu.
GameWindows ProgramWindows() {
  GameWindows windows;
  windows.chooseCardBack = [](int current) { return RunCardBackChooser(current); };
  windows.chooseCardFront = [](int current) { return RunCardFrontChooser(current); };
  windows.chooseBackground = [](int current) { return RunBackgroundChooser(current); };
  windows.musicDialog = [] {
    const std::optional<MusicChoice> choice = RunMusicChooser(MusicChoiceFrom(ThePreferences()));
    if (!choice.has_value()) return false;
    StoreMusicChoice(*choice, ThePreferences());
    return true;
  };
  windows.about = [] { RunAboutDialog(); };
  windows.rulesHelp = [](const char* gameTitle) { RunRuleHelp(gameTitle); };
  windows.upgrade = [] { RunUpgradeScreen(); };
  return windows;
}

}  // namespace

AppShell::AppShell(GfxDisplay& display, ShellWindow& window)
    : display_(display), window_(window), gameWindows_(ProgramWindows()) {}

AppShell::~AppShell() {
  Destroy();
}

// --- Start-up ------------------------------------------------------------------------------------

bool AppShell::Create() {
  if (!StartGraphics()) return false;
  StartArtworkAndToolkit();
  SetCursor(CursorShape::Arrow);
  if (skipLogoWait_) {
    artwork_->ShowLogoPicture();
  } else {
    artwork_->ShowLogo();
  }
  // Silent when there is no sound device; the game runs the same without one. The device is
  // found and opened beside the start-up, not in its way.
  AudioStartInBackground();

  title_ = std::make_unique<TitleScreen>();
  title_->Create(*artwork_);
  title_->Draw();
  artwork_->ShowScreenRect();
  if (!ChoosePlayer()) return false;
  ApplyPlayerLook();
  MusicTitle();
  SetTimer(kScoreTimer, kScoreTimerMs);
  SetTimer(kTitleTimer, kTitleTimerMs);
  artwork_->ShowScreenRect();
  return true;
}

bool AppShell::StartGraphics() {
  GfxSetDC(&display_);
  const int depth = ChooseColorDepth({{kScreenWidth, kScreenHeight, GfxDisplayDepth()}},
                                     kScreenWidth, kScreenHeight);
  if (depth < kMinimumColorDepth) {
    GfxSetDC(nullptr);
    window_.ShowError(kColorDepthMessage);
    return false;
  }

  graphicsAttached_ = true;
  GfxSetMode(kScreenWidth, kScreenHeight, kBufferDepth, 0);
  GfxRealizePalette(GfxDefaultPalette());
  window_.Show();
  if (GfxStart() != 0) return false;
  GfxSetBufferDepth(kBufferDepth);
  screenBuffer_ = GfxAllocBuffer(kScreenWidth, kScreenHeight);
  if (screenBuffer_ < 0) return false;
  GfxOpenBuffer(screenBuffer_);
  GfxAttachPalette();
  GfxSetColor(GfxMapRGB(0, 0, 0));
  GfxClear();
  GfxShowRect(0, kScreenWidth - 1, 0, kScreenHeight - 1, 0, kScreenHeight - 1);
  GfxInitMouse();
  GfxShowMouse(1);
  return true;
}

void AppShell::StartArtworkAndToolkit() {
  artwork_ = std::make_unique<ArtworkSet>();
  // The player's choices are read each time the artwork needs them, so a new choice shows with
  // the next load.
  artwork_->SetBackgroundSource([] { return ThePreferences().background; });
  artwork_->SetCardFrontSource([] { return ThePreferences().cardFront; });
  artwork_->Load(screenBuffer_, GfxDefaultPalette());
  // The first theme dresses the player-select dialog; the player's own follows the choice.
  artwork_->LoadTheme(0);
  screenUpdate_ = std::make_unique<ArtworkScreenUpdate>(*artwork_);
  UiSetScreenUpdate(screenUpdate_.get());
  UiInit(MainWindow(), screenBuffer_, kUiLoadFonts | kUiSaveUnder | kUiRouteToContainers);
  UiSetDefaultFont("windb_10.fgf");
  UiSetDialogFont("systm12.fgf");
  UiSetBoldDialogFont("systm12b.fgf");
  UiBuildColours();
  UiSetWidgetArtwork(artwork_.get());
  UiSetAppActive(true);
  UiSetSoundPlayer([](const char* name) { PlaySfx(name); });
  toolkitStarted_ = true;
}

bool AppShell::ChoosePlayer() {
  return RunStartupPlayerSequence(ThePreferences(),
                                  [this](const std::string& name, bool dontShowAgain) {
                                    // The dialog wears the last player's theme, as it does when the
                                    // title's Player button opens it; the first start has no player
                                    // and keeps the first theme.
                                    if (ThePreferences().playerNumber != kNoPlayer) {
                                      LoadPreferences(ThePreferences());
                                      ApplyPlayerLook();
                                    }
                                    return PlayerSelectDialogStep(name, dontShowAgain);
                                  });
}

void AppShell::ApplyPlayerLook() {
  artwork_->SetCardBack(ThePreferences().cardBack);
  // Dialogs over the title wear the player's theme too. Loading a theme takes a few
  // milliseconds, so the one already loaded is kept.
  if (ValidBackgroundIndex(ThePreferences().background) != artwork_->BackgroundIndex())
    artwork_->LoadTheme(-1);
}

void AppShell::ShowTitleScreen() {
  artwork_->LoadTheme(-1);
  title_->Draw();
  artwork_->ShowScreenRect();
}

// --- Games -------------------------------------------------------------------------------------

void AppShell::LaunchTitleButton(int button) {
  if (artwork_ == nullptr || ending_) return;
  if (!IsTitleGameBuilt(button)) return;
  const GameRow* row = GameRowByButton(button);
  // The settings come first, so a cancelled dialog leaves the title screen exactly as it was:
  // a session made before it would already have drawn its menu bar over the title.
  if (row->settings != nullptr &&
      RunRuleSettingsAtStart(*row->settings) != kRuleSettingsConfirmed) {
    InvalidateWindow();
    return;
  }
  std::unique_ptr<CardGame> game = MakeTitleGame(button, *artwork_);
  if (game == nullptr) return;
  KillTimer(kTitleTimer);
  StartGame(std::move(game));
}

void AppShell::StartGame(std::unique_ptr<CardGame> game) {
  if (game == nullptr || artwork_ == nullptr) return;
  // The old session ends its deal as it goes.
  session_.reset();
  const GameOwnWindows own = OwnWindowsOf(GameRowById(game->GameId()));
  session_ = std::make_unique<GameSession>(*artwork_, std::move(game), gameWindows_, own);
  session_->Start();
}

void AppShell::ReturnToTitle() {
  if (session_ == nullptr) return;
  // The session is taken off the shell before it goes, so nothing it does on its way out reaches
  // a half-destroyed game through the window procedure. It ends the deal as it goes.
  std::unique_ptr<GameSession> ending = std::move(session_);
  ending.reset();
  if (title_ == nullptr) return;
  ShowTitleScreen();
  InvalidateWindow();
  MusicTitle();
  SetTimer(kTitleTimer, kTitleTimerMs);
}

// --- The window procedure ----------------------------------------------------------------------

void AppShell::PaintWholeScreen() {
  if (screenBuffer_ < 0) return;
  GfxOpenBuffer(screenBuffer_);
  GfxShowRect(0, kScreenWidth - 1, 0, kScreenHeight - 1, 0, kScreenHeight - 1);
}

void AppShell::EndProgram() {
  if (ending_) return;
  ending_ = true;
  PostQuitMessage(0);
}

bool AppShell::GameTookInput(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  // An open menu owns the input that closes it: the Escape or the click outside that shuts a
  // menu does nothing else.
  const bool menuWasOpen = session_->IsMenuActive();
  UiRecord(MainWindow(), message, wParam, lParam);
  if (session_->ProcessInput()) return true;
  if (session_ == nullptr) return true;
  return menuWasOpen || session_->IsMenuActive();
}

void AppShell::RouteMouseToGame(std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
  CardGame& game = session_->Game();
  const auto flags = static_cast<std::uint32_t>(wParam);
  const int x = LowWord(lParam);
  const int y = HighWord(lParam);
  switch (message) {
    case WM_LBUTTONDOWN:
      game.OnLButtonDown(flags, x, y);
      break;
    case WM_LBUTTONUP:
      game.OnLButtonUp(flags, x, y);
      break;
    case WM_MOUSEMOVE:
      game.OnMouseMove(flags, x, y);
      break;
    case WM_LBUTTONDBLCLK:
      game.OnLButtonDblClk(flags, x, y);
      break;
    default:
      break;
  }
}

void AppShell::TitleInput(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  if (title_ == nullptr) return;
  UiRecord(MainWindow(), message, wParam, lParam);
  switch (title_->Poll()) {
    case TitleAction::kChoosePlayer:
      if (RunPlayerSelect(ThePreferences(), PlayerSelectDialogStep)) {
        // The new player's own choices from now on: keeping the last player's in memory would
        // write them over the new player's at the next save.
        LoadPreferences(ThePreferences());
        ApplyPlayerLook();
        // The new player's music choices take over the title's tune.
        MusicTitle();
      }
      artwork_->ShowScreenRect();
      return;
    case TitleAction::kExit:
      if (gameWindows_.upgrade) gameWindows_.upgrade();
      EndProgram();
      return;
    case TitleAction::kNone:
      break;
  }
  const int x = LowWord(lParam);
  const int y = HighWord(lParam);
  if (message == WM_LBUTTONDOWN) {
    const int button = title_->Menu().HitTest(x, y);
    if (button >= 0) LaunchTitleButton(button);
  } else if (message == WM_MOUSEMOVE) {
    if (title_->Menu().Hover(x, y)) artwork_->FlushDirtyRects();
  }
}

void AppShell::TitleTick() {
  // The title holds still under a dialog (the player select, a game's settings): the marker
  // would draw over it.
  if (session_ != nullptr || title_ == nullptr || UiModalDepth() > 0) return;
  title_->Menu().Tick();
  artwork_->FlushDirtyRects();
}

std::intptr_t AppShell::WindowProc(std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
  // A message that was already queued when the loops ended finds nothing left to act on.
  if (destroyed_) return 0;
  if (IsShellInput(message)) {
    // Input that arrives after the program was asked to end would start things it cannot
    // finish; the quit is already on its way.
    if (!active_ || ending_) return 0;
    const bool leaveKey = message == WM_KEYDOWN && (wParam == VK_ESCAPE || wParam == VK_F12);
    if (session_ != nullptr) {
      if (GameTookInput(message, wParam, lParam)) return 0;
      if (leaveKey) {
        ReturnToTitle();
      } else {
        RouteMouseToGame(message, wParam, lParam);
      }
      return 0;
    }
    if (leaveKey) {
      EndProgram();
      return 0;
    }
    TitleInput(message, wParam, lParam);
    return 0;
  }
  switch (message) {
    case WM_ACTIVATEAPP:
      active_ = wParam != 0;
      UiSetAppActive(active_);
      // Music stops while another program is in front and starts its track afresh on return.
      MusicSetAppActive(active_);
      // The button-up of a drag goes to the program in front: the carried cards go back now.
      if (!active_ && Game() != nullptr) Game()->CancelDrag();
      return 0;
    case WM_SIZE:
      window_.Resized();
      window_.ReapplyCursorClip();
      return 0;
    case WM_TIMER:
      if (ending_) return 0;
      if (wParam == kScoreTimer && session_ != nullptr) session_->Tick();
      if (wParam == kTitleTimer) TitleTick();
      return 0;
    case WM_PAINT:
      if (active_) PaintWholeScreen();
      return 0;
    case WM_CLOSE:
      // Only the request to end: a dialog may be open in a loop further up this very call
      // stack, and it must leave (on the quit message) before anything it draws on is freed.
      EndProgram();
      return 0;
    default:
      return 0;
  }
}

int AppShell::Run() {
  Message msg;
  while (GetMessage(&msg)) DispatchMessage(msg);
  Destroy();
  return static_cast<int>(msg.wParam);
}

// --- Tear-down ---------------------------------------------------------------------------------

void AppShell::Destroy() {
  if (destroyed_) return;
  destroyed_ = true;
  KillTimer(kScoreTimer);
  KillTimer(kTitleTimer);
  title_.reset();
  if (session_ != nullptr) {
    std::unique_ptr<GameSession> ending = std::move(session_);
    ending.reset();
  }
  if (toolkitStarted_) {
    toolkitStarted_ = false;
    UiSetWidgetArtwork(nullptr);
    UiSetSoundPlayer(nullptr);
    UiShutdown();
    UiSetScreenUpdate(nullptr);
    GfxFreeFont(-1);
  }
  AudioStop();
  screenUpdate_.reset();
  artwork_.reset();
  if (!graphicsAttached_) return;
  graphicsAttached_ = false;
  GfxShowMouse(1);
  GfxCloseBuffer();
  if (screenBuffer_ >= 0) GfxFreeBuffer(screenBuffer_);
  screenBuffer_ = -1;
  GfxStop();
  GfxSetDC(nullptr);
}

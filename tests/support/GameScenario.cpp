// The scenario driver every game shares.
#include "tests/support/GameScenario.h"

#include "audio/Audio.h"
#include "engine/Deck.h"
#include "engine/GameClock.h"
#include "engine/GameServices.h"
#include "engine/session/GameSession.h"
#include "persist/Preferences.h"
#include "platform/Messages.h"
#include "ui/menus/DropDown.h"
#include "ui/menus/MenuEntry.h"

namespace {

// Where each menu's title sits on the bar.
constexpr int kMenuTitleY = 15;
int MenuTitleX(GameMenu menu) {
  return 100 + 101 * static_cast<int>(menu);
}

DropDown* MenuList(const GameMenus& menus, GameMenu menu) {
  DropDown* const lists[] = {menus.game, menus.options, menus.view, menus.help};
  return lists[static_cast<int>(menu)];
}

}  // namespace

GameScenario::GameScenario(const ScenarioGame& game, const ScenarioSetup& setup)
    : game_(game), env_(setup.undoDirectory) {
  TheGameServices().dealSeed = setup.seed;
  if (game_.writeRules) game_.writeRules();
  ShellHarness::Options options;
  options.scratchStore = false;  // the environment's store holds the rules written above
  harness_ = std::make_unique<ShellHarness>(options);
  ShellHarness* h = harness_.get();
  env_.UseClock([h] { return static_cast<std::int64_t>(h->Now() / 1000); });
  EXPECT_TRUE(harness_->Create());
  // Start-up has loaded the player's stored preferences; the scenario's own choices go on top.
  Preferences& prefs = ThePreferences();
  prefs.autoGameOver = setup.autoGameOver ? 1 : 0;
  prefs.background = setup.background;
  if (!setup.programWindows) harness_->Shell().SetGameWindows(setup.windows);
  ArtworkSet* art = harness_->Shell().Artwork();
  if (art != nullptr && game_.row != nullptr && game_.row->make != nullptr)
    harness_->Shell().StartGame(game_.row->make(*art));
  base_ = harness_->Now();
  cursor_ = 100;
}

GameScenario::~GameScenario() {
  harness_.reset();
  TheGameServices().dealSeed.reset();
}

std::uint64_t GameScenario::FromNow() const {
  const std::uint64_t now = harness_->Now();
  const std::uint64_t when = base_ + cursor_;
  return when > now ? when - now : 0;
}

void GameScenario::At(std::uint32_t message, std::uintptr_t wParam, int x, int y) {
  harness_->PostAt(FromNow(), message, wParam, MakeLParam(x, y));
}

void GameScenario::Click(int x, int y) {
  Mouse(WM_LBUTTONDOWN, x, y, 30);
  Mouse(WM_LBUTTONUP, x, y, 70);
}

void GameScenario::Drag(int fromX, int fromY, int toX, int toY) {
  Mouse(WM_LBUTTONDOWN, fromX, fromY);
  constexpr int kSteps = 4;
  for (int i = 1; i <= kSteps; ++i)
    Mouse(WM_MOUSEMOVE, fromX + (toX - fromX) * i / kSteps, fromY + (toY - fromY) * i / kSteps);
  Mouse(WM_LBUTTONUP, toX, toY, 80);
}

void GameScenario::Mouse(std::uint32_t message, int x, int y, std::uint64_t then) {
  At(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, x, y);
  cursor_ += then;
}

void GameScenario::DoubleClick(int x, int y) {
  // As the window reports one: down, up, double click, up.
  Mouse(WM_LBUTTONDOWN, x, y);
  Mouse(WM_LBUTTONUP, x, y);
  Mouse(WM_LBUTTONDBLCLK, x, y);
  Mouse(WM_LBUTTONUP, x, y, 80);
}

void GameScenario::Key(std::uint32_t virtualKey) {
  harness_->KeyAt(FromNow(), virtualKey);
  cursor_ += 60;
}

void GameScenario::CheckShell(std::function<void()> check) {
  harness_->CheckAt(FromNow(), std::move(check));
  cursor_ += 10;
}

void GameScenario::ExpectWonWith(int points) {
  Wait(300);
  Check([points](CardGame& game) {
    EXPECT_TRUE(game.IsWon());
    EXPECT_EQ(game.Points(), points) << "the mouse earned what the rules counted";
  });
  CheckShell([] { EXPECT_EQ(RequestedTrack(), MusicTrack::kWin); });
  Wait(6000);      // the win screen
  Key(VK_ESCAPE);  // the high scores
  Check([points](CardGame& game) {
    EXPECT_EQ(game.FinalScore(),
              ScoreFormula(points, game.ElapsedSeconds(), game.ScoreFactor(), 1.5));
  });
}

void GameScenario::Check(std::function<void(CardGame& game)> check) {
  CheckShell([this, check = std::move(check)] {
    CardGame* game = Game();
    if (game == nullptr) {
      ADD_FAILURE() << "no game is running at this checkpoint";
      return;
    }
    check(*game);
  });
}

void GameScenario::MakeWithTheMouse(const Move& move) {
  // The path is found when the time comes: the hit lists are those of the table then.
  Check([this, move](CardGame& game) {
    std::vector<ScreenPoint> path;
    if (move.kind != MoveKind::kCards) {
      if (!game_.clickPoint) {
        ADD_FAILURE() << "the game's scenario says nowhere where a click makes its moves";
        return;
      }
      path.push_back(game_.clickPoint(game, move));
    } else {
      const DragSource* source = nullptr;
      for (int i = 0; i < game.DragSources().Size() && source == nullptr; ++i) {
        const DragSource& s = game.DragSources().At(i);
        if (s.pile == move.from && s.index == move.index) source = &s;
      }
      const DropTarget* target = nullptr;
      for (int i = 0; i < game.DropTargets().Size() && target == nullptr; ++i)
        if (game.DropTargets().At(i).pile == move.to) target = &game.DropTargets().At(i);
      if (source == nullptr || target == nullptr) {
        ADD_FAILURE() << "the mouse cannot make the move from pile " << move.from << " card "
                      << move.index << " to pile " << move.to;
        return;
      }
      path.push_back(Grip({source->x, source->y}));
      path.push_back(Grip({target->left, target->top}));
    }
    harness_->PostAt(5, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(path.front().x, path.front().y));
    harness_->PostAt(15, WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(path.back().x, path.back().y));
    harness_->PostAt(25, WM_LBUTTONUP, 0, MakeLParam(path.back().x, path.back().y));
  });
  Wait(80);
}

void GameScenario::Menu(GameMenu menu, int command) {
  Click(MenuTitleX(menu), kMenuTitleY);
  // The item's place is known only once the list is open; click it from inside the program.
  const std::uint64_t clickAt = base_ + cursor_ + 20;
  CheckShell([this, menu, command, clickAt] {
    GameSession* session = harness_->Shell().Session();
    DropDown* list = session != nullptr ? MenuList(session->Menus(), menu) : nullptr;
    MenuEntry* item = list != nullptr ? list->FindItem(command) : nullptr;
    if (item == nullptr) {
      ADD_FAILURE() << "no menu item for command " << command;
      return;
    }
    const int x = item->GetX() + item->GetWidth() / 2;
    const int y = item->GetY() + item->GetHeight() / 2;
    const std::uint64_t now = harness_->Now();
    const std::uint64_t after = clickAt > now ? clickAt - now : 0;
    harness_->PostAt(after, WM_MOUSEMOVE, 0, MakeLParam(x, y));
    harness_->PostAt(after + 10, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
    harness_->PostAt(after + 40, WM_LBUTTONUP, 0, MakeLParam(x, y));
  });
  cursor_ += 150;
}

int GameScenario::Run() {
  Key(VK_ESCAPE);
  Key(VK_ESCAPE);
  return harness_->Run();
}

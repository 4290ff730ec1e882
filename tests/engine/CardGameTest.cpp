// The card-game base class through a tiny test game: dragging, confinement, guards, the score box.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "platform/SdlSession.h"
#include "platform/Viewport.h"
#include "platform/Window.h"
#include "tests/engine/CardGameTestSupport.h"

namespace {

#define START_GAME_OR_SKIP() \
  if (!StartTestGame()) QS_SKIP_MISSING("no generated media with the theme artwork")

// Grabbed 10 right and 20 below the top-left of the top card, the stack's far corner reaches
// (799, 599) and no further; a move that would leave the screen is refused whole.
TEST_F(CardGameTest, TheStackStopsAtTheScreenEdgeAndThePointerIsConfinedToTheSameLimits) {
  SdlSession sdl;
  ASSERT_TRUE(sdl.Start()) << SdlSession::Error();
  SetCurrentViewport(Viewport{});
  Window window;
  ASSERT_TRUE(window.Create(1, false)) << SdlSession::Error();
  START_GAME_OR_SKIP();
  const int top = game_->TopY();
  game_->OnLButtonDown(MK_LBUTTON, kPileX + 10, top + 20);
  ASSERT_TRUE(game_->IsDragging());
  EXPECT_EQ(game_->DragRect(), (ScreenRect{kPileX, top, kPileX + 52, top + 82}));
  int x = 0, y = 0, w = 0, h = 0;
  ASSERT_TRUE(window.CursorClipInWindow(&x, &y, &w, &h));
  EXPECT_EQ(std::tuple(x, y, x + w - 1, y + h - 1),
            std::tuple(10, 20, 799 - 52 + 10, 599 - 82 + 20));
  game_->OnMouseMove(MK_LBUTTON, 757, 300);
  EXPECT_EQ(game_->DragRect().right, 799);
  game_->OnMouseMove(MK_LBUTTON, 758, 310);
  EXPECT_EQ(game_->DragRect().left, 747) << "one pixel further would leave the screen";
  EXPECT_EQ(game_->DragRect().top, 280) << "the whole move is refused, not only its x";
  game_->OnMouseMove(MK_LBUTTON, 200, 19);
  EXPECT_EQ(game_->DragRect().top, 280);
  game_->OnMouseMove(MK_LBUTTON, 9, 300);
  EXPECT_EQ(game_->DragRect().left, 747);
  game_->OnMouseMove(MK_LBUTTON, 10, 20);
  EXPECT_EQ(game_->DragRect(), (ScreenRect{0, 0, 52, 82}));
  game_->OnMouseMove(MK_LBUTTON, 10 + 747, 20 + 517);
  EXPECT_EQ(game_->DragRect(), (ScreenRect{747, 517, 799, 599}));
  game_->OnLButtonUp(0, 10 + 747, 20 + 517);
  EXPECT_FALSE(game_->IsDragging());
  EXPECT_FALSE(window.CursorClipInWindow(&x, &y, &w, &h)) << "released with the drop";
  game_.reset();
}

TEST_F(CardGameTest, AStackPutBackWithinNinePixelsIsSilentAndTenPixelsSoundInvalid) {
  START_GAME_OR_SKIP();
  const auto before = ScreenPixels(screenBuffer_);
  const struct { int dx, dy; } cases[] = {{9, 9}, {-9, 9}, {10, 0}, {0, -10}, {0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
    env_->ClearSounds();
    const int cancels = game_->cancels;
    const int top = game_->TopY();
    game_->OnLButtonDown(MK_LBUTTON, kPileX + 10, top + 20);
    EXPECT_EQ(game_->UndoCount(), 1) << "the pick-up took its snapshot";
    game_->OnMouseMove(MK_LBUTTON, kPileX + 10 + c.dx, top + 20 + c.dy);
    game_->OnLButtonUp(0, kPileX + 10 + c.dx, top + 20 + c.dy);
    EXPECT_EQ(game_->cancels, cancels + 1);
    EXPECT_EQ(game_->pile.size(), 3u);
    EXPECT_EQ(game_->UndoCount(), 0) << "a cancelled drag leaves no snapshot behind";
    const bool invalid = std::abs(c.dx) >= 10 || std::abs(c.dy) >= 10;
    EXPECT_EQ(env_->Sounds(),
              invalid ? std::vector<std::string>{"invalid.wav"} : std::vector<std::string>{});
    // Save-under and the flight back leave no trace: the table looks as it did.
    EXPECT_EQ(ScreenPixels(screenBuffer_), before);
  }
}

// A double click considers only foundations and keeps its own snapshot and the pick-up's.
TEST_F(CardGameTest, ADropOrADoubleClickMovesTheCardsToAnAcceptingTargetOnly) {
  START_GAME_OR_SKIP();
  for (bool accepts : {true, false}) {
    game_->columnAccepts = accepts;
    game_->OnLButtonDown(MK_LBUTTON, kPileX + 10, game_->TopY() + 20);
    game_->OnMouseMove(MK_LBUTTON, kColumnX + 20, kColumnY + 40);
    game_->OnLButtonUp(0, kColumnX + 20, kColumnY + 40);
  }
  EXPECT_EQ(game_->cancels, 1);
  EXPECT_EQ(game_->column, std::vector<Card>({Card{2, 7}}));
  EXPECT_EQ(game_->UndoCount(), 1);
  EXPECT_EQ(env_->Sounds(), std::vector<std::string>{"invalid.wav"});
  game_->foundationAccepts = false;
  game_->OnLButtonDblClk(MK_LBUTTON, kPileX + 5, game_->TopY() + 5);
  EXPECT_EQ(game_->UndoCount(), 1);
  game_->foundationAccepts = true;
  game_->OnLButtonDblClk(MK_LBUTTON, kPileX + 5, game_->TopY() + 5);
  EXPECT_EQ(game_->foundation, std::vector<Card>({Card{1, 6}}));
  EXPECT_EQ(game_->UndoCount(), 3);
  EXPECT_FALSE(game_->IsDragging());
}

TEST_F(CardGameTest, BesideEverySourceOrPausedOrOverTheMouseDoesNothing) {
  START_GAME_OR_SKIP();
  for (int mode = 0; mode < 3; ++mode) {
    SCOPED_TRACE(mode == 0 ? "beside" : (mode == 1 ? "paused" : "over"));
    if (mode == 1) game_->PauseClock();
    if (mode == 2) {
      game_->ResumeClock();
      game_->SetStuck(true);
      game_->UpdatePlayState();
      ASSERT_TRUE(game_->IsGameOver());
    }
    const int x = mode == 0 ? 20 : kPileX + 10;
    const int y = mode == 0 ? 400 : game_->TopY() + 20;
    game_->OnLButtonDown(MK_LBUTTON, x, y);
    EXPECT_FALSE(game_->IsDragging());
    game_->OnMouseMove(MK_LBUTTON, x + 50, y + 40);
    game_->OnLButtonUp(0, kFoundationX + 5, kFoundationY + 5);
    game_->OnLButtonDblClk(MK_LBUTTON, x, y);
    EXPECT_EQ(game_->cancels, 0);
    EXPECT_EQ(game_->pile.size(), 3u);
    EXPECT_TRUE(env_->Sounds().empty());
    EXPECT_EQ(game_->UndoCount(), 0);
  }
}

// The formula's truncations are ScoreFormulaTest's; here the game feeds it its own numbers.
TEST_F(CardGameTest, TheScoreFollowsPointsTimeFactorAndWin) {
  START_GAME_OR_SKIP();
  game_->SetPoints(100);
  game_->factor = 1.25;
  seconds_ += 59;
  EXPECT_EQ(game_->ComputeScore(), 118);
  game_->StartClock(0);
  game_->factor = 1.0;
  game_->won = true;
  EXPECT_EQ(game_->ComputeScore(), 100) << "the win counts only once the game is over";
  game_->UpdatePlayState();
  EXPECT_EQ(game_->ComputeScore(), 150);
}

// Empty texts erase the band back to the table; long ones are cut to their buffer.
TEST_F(CardGameTest, TheScoreBoxAndStatusLineLook) {
  START_GAME_OR_SKIP();
  game_->SetPoints(1234);
  game_->UpdateScoreDisplay(-1);
  game_->SetLeftStatus("Cards left: 24");
  game_->SetRightStatus("Time 0:42");
  EXPECT_TRUE(MatchesGolden("engine/score_box", screenBuffer_, 610, 760, 0, 60));
  EXPECT_TRUE(MatchesGolden("engine/status_line", screenBuffer_, 10, 790, 540, 590));
  game_->SetLeftStatus("");
  game_->SetRightStatus(nullptr);
  EXPECT_EQ(Differences(screenBuffer_, 20, 550, art_->BackdropBuffer(), 20, 550, 761, 31), 0);
  const std::string longText(500, 'x');
  game_->SetLeftStatus(longText.c_str());
  EXPECT_EQ(std::string(game_->LeftStatus()), std::string(kStatusTextSize - 1, 'x'));
}

}  // namespace

// The card-game base class driven through a tiny test game: dragging, flights, the pointer's
// confinement, the guards and the score box. Undo is run on every game in GameTableTest.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "gfx/Gfx.h"
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

// A refusing target is no target: the card flies back. A double click considers only foundations
// and keeps its own snapshot and the pick-up's.
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

// Sources answer within 50 by 81 from their top-left, whatever the card size; drop targets are
// left and top inclusive, right and bottom exclusive.
TEST_F(CardGameTest, OverlappingSourcesAndTargetsAnswerInTheOrderTheyWereAdded) {
  START_GAME_OR_SKIP();
  game_->ClearDragSources();
  const Card cards[2] = {Card{0, 1}, Card{0, 2}};
  const DragSource* first = game_->AddDragSource(100, 100, cards, 1);
  const DragSource* second = game_->AddDragSource(120, 110, cards, 2);
  EXPECT_EQ(game_->HitTestDragSource(149, 180), first);
  EXPECT_EQ(game_->HitTestDragSource(150, 120), second);
  EXPECT_EQ(game_->HitTestDragSource(130, 181), second);
  EXPECT_EQ(game_->HitTestDragSource(170, 120), nullptr);
  EXPECT_EQ(second->cards[2], kNoCard);
  game_->RemoveDragSource(first);
  EXPECT_EQ(game_->HitTestDragSource(130, 120), second);
  game_->ClearDropTargets();
  game_->AddDropTarget(1, 1, 0, 0, 100, 100, 2);
  game_->AddDropTarget(2, 2, 50, 50, 150, 150, 1);
  EXPECT_EQ(game_->HitTestDropTarget(60, 60)->x, 1);
  EXPECT_EQ(game_->HitTestDropTarget(100, 60)->x, 2);
  EXPECT_EQ(game_->HitTestDropTarget(150, 60), nullptr);
}

// A press beside every source, and any press, drag, release or double click while paused or once
// the deal is over, starts nothing.
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

// Not left drawn, the card vanishes again; left drawn, the screen is the table with the card drawn
// straight at the destination.
TEST_F(CardGameTest, AFlightLeavesNoTrailAndEndsDrawnOrVanished) {
  START_GAME_OR_SKIP();
  const auto before = ScreenPixels(screenBuffer_);
  gfx_->Display().ClearShown();
  game_->FlyCard(100, 80, 100, 80, Card{1, 11}, false, true, -1);
  EXPECT_EQ(ScreenPixels(screenBuffer_), before);
  ASSERT_FALSE(gfx_->Display().Shown().empty());
  EXPECT_EQ(gfx_->Display().Shown().front().minx, 100) << "drawn once, at the destination";
  const int reference = GfxAllocBuffer(800, 600);
  ASSERT_GE(reference, 0);
  GfxCopyRect(0, 799, 0, 599, 0, 599, screenBuffer_, reference);
  art_->DrawCard(120, 90, Card{1, 11}, reference, 0);
  art_->DrawBack(600, 400, 3, reference);
  const Card stack[3] = {Card{0, 0}, Card{1, 1}, Card{2, 2}};
  art_->DrawCards(300, 300, stack, reference, 3, 0, 15);
  game_->FlyCard(400, 350, 120, 90, Card{1, 11}, true, true, -1);
  game_->FlyCard(100, 80, 600, 400, Card{1, 11}, true, false, 3);
  game_->FlyCards(50, 450, 300, 300, 3, stack, true, false);
  EXPECT_EQ(Differences(screenBuffer_, 0, 0, reference, 0, 0, 800, 600), 0);
  GfxFreeBuffer(reference);
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

// The pause's arithmetic is GameClockTest's, and "Paused" in the box GameSessionTest's.
TEST_F(CardGameTest, TheScoreBoxSaysStartingThenIsDrawnOnlyWhenItsTextChanges) {
  if (!UseArtwork()) QS_SKIP_MISSING("no generated media with the theme artwork");
  game_ = std::make_unique<TestGame>(*art_);
  game_->UpdateScoreDisplay(-1);
  EXPECT_EQ(game_->ScoreLine1(), "Game");
  EXPECT_EQ(game_->ScoreLine2(), "Starting") << "until the clock starts";
  game_->StartGame(false);
  game_->UpdateScoreDisplay(-1);
  ASSERT_EQ(game_->ScoreLine2(), "0");
  auto& display = gfx_->Display();
  display.ClearShown();
  for (int tick = 0; tick < 9; ++tick) {
    ++seconds_;
    game_->UpdateScoreDisplay(-1);
  }
  EXPECT_TRUE(display.Shown().empty()) << "nine seconds: still 0";
  ++seconds_;
  game_->UpdateScoreDisplay(-1);
  EXPECT_EQ(game_->ScoreLine2(), "-1");
  ASSERT_EQ(display.Shown().size(), 1u);
  const auto& box = display.Shown().front();
  EXPECT_EQ(std::tuple(box.minx, box.maxx, box.miny, box.maxy), std::tuple(620, 750, 0, 50));
  // Forgetting makes the next refresh draw it again, for a repaint of the whole table.
  display.ClearShown();
  game_->ForgetScoreBox();
  game_->UpdateScoreDisplay(-1);
  EXPECT_EQ(display.Shown().size(), 1u);
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

// The score and the score box at the top right.
#include "engine/CardGame.h"

#include <cstdio>

#include "gfx/Gfx.h"
#include "gfx/art/ArtworkSet.h"
#include "gfx/font/Font.h"
#include "ui/UiToolkit.h"

namespace {

// The score box at the top right and its two centred lines.
constexpr int kScoreBoxX = 620;
constexpr int kScoreBoxY = 0;
constexpr int kScoreBoxWidth = 130;
constexpr int kScoreBoxHeight = 50;
constexpr int kScoreTextX = 685;
constexpr int kScoreLine1Y = 20;
constexpr int kScoreLine2Y = 35;
constexpr ScreenRect kScoreBoxMark{620, 0, 750, 50};

}  // namespace

// --- Score ---------------------------------------------------------------------------------------

int CardGame::TimeAdjustment(int seconds) const {
  return TimePenalty(seconds);
}

double CardGame::WinMultiplier() const {
  return gameOver_ && IsWon() ? 1.5 : 1.0;
}

int CardGame::ComputeScore() const {
  const int adjusted = points_ + TimeAdjustment(ElapsedSeconds());
  const int factored = static_cast<int>(adjusted * ScoreFactor());
  return static_cast<int>(factored * WinMultiplier());
}

int CardGame::CurrentScore() {
  // A paused game shows "Paused" and needs no score; an ended one waits for the resume too.
  if (IsPaused()) return finalScore_;
  if (!gameOver_) return ComputeScore();
  if (!clock_.IsStopped()) StopClock();
  return finalScore_;
}

void CardGame::FixFinalScore() {
  if (!gameOver_) return;
  if (!clock_.IsStopped()) StopClock();
  finalScore_ = ComputeScore();
  UpdateScoreDisplay(finalScore_);
}

void CardGame::ForgetScoreBox() {
  scoreLine1_.clear();
  scoreLine2_.clear();
}

void CardGame::UpdateScoreDisplay(int score) {
  if (score < 0) score = CurrentScore();
  std::string line1;
  std::string line2;
  char number[24];
  if (!clockStarted_) {
    line1 = "Game";
    line2 = "Starting";
  } else if (!gameOver_ && IsPaused()) {
    line1 = "Game";
    line2 = "Paused";
  } else if (!gameOver_) {
    std::snprintf(number, sizeof number, "%ld", static_cast<long>(score));
    line1 = "Score";
    line2 = number;
  } else {
    std::snprintf(number, sizeof number, "%ld", static_cast<long>(finalScore_));
    line1 = "Final Score";
    line2 = number;
  }
  if (line1 == scoreLine1_ && line2 == scoreLine2_) return;
  scoreLine1_ = line1;
  scoreLine2_ = line2;

  const int screen = art_.ScreenBuffer();
  GfxOpenBuffer(screen);
  art_.DrawDialogFrame(kScoreBoxX, kScoreBoxY, kScoreBoxWidth, kScoreBoxHeight, screen);
  GfxOpenBuffer(screen);
  // The interface font, as in the dialogs the box is cut from; the small font when it is missing.
  GfxSelectFont(UiToolkit.defaultFont != 0 ? UiToolkit.defaultFont : art_.SmallFont());
  GfxFontJustify(0, -1);
  GfxSetColor(art_.DialogTextColor());
  GfxMove(kScoreTextX, kScoreLine1Y);
  GfxFontText(line1.c_str(), static_cast<int>(line1.size()));
  GfxMove(kScoreTextX, kScoreLine2Y);
  GfxFontText(line2.c_str(), static_cast<int>(line2.size()));
  art_.AddDirtyRect(kScoreBoxMark);
  // The box may have been drawn over part of the carried stack.
  if (dragging_) DrawStack(dragRect_.left, dragRect_.top, dragRecord_);
  art_.FlushDirtyRects();
}

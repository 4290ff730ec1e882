// A game session in the card-game fixture with stand-in windows, and a deal's end on the test
// clock.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "audio/Audio.h"
#include "engine/session/GameSession.h"
#include "gfx/art/ArtworkFiles.h"
#include "tests/engine/CardGameTestSupport.h"
#include "ui/ChildList.h"
#include "ui/UiModal.h"
#include "ui/menus/DropDown.h"

// The middle of the high-score window's "Play Again" button.
inline constexpr int kPlayAgainX = 380, kPlayAgainY = 432;

// The captions of a menu's items, top to bottom, without their letter marks.
inline std::vector<std::string> ItemTexts(const DropDown* list) {
  std::vector<std::string> texts;
  ChildList* items = list != nullptr ? list->Children() : nullptr;
  for (UiElement* e = items ? items->Head() : nullptr; e; e = e->NextSibling())
    texts.emplace_back(e->GetText());
  return texts;
}

class SessionTest : public CardGameTest {
protected:
  using GameMaker = std::function<std::unique_ptr<CardGame>(ArtworkSet&)>;

  void TearDown() override {
    session_.reset();
    CardGameTest::TearDown();
  }

  // A session around the game `make` builds, with windows_; false (skip) without the artwork.
  bool StartSession(const GameMaker& make, GameOwnWindows own = {}) {
    if (!UseArtwork()) return false;
    session_ = std::make_unique<GameSession>(*art_, make(*art_), windows_, std::move(own));
    session_->Start();
    return true;
  }
  CardGame& Game() const { return session_->Game(); }

  // Plays out a deal's end begun by `start` (else a tick): Enter at 100 ms, the high scores closed
  // or Play Again at 6 s. Returns the modal depth at 50 ms (1: a message box), when endLine1_/2_
  // and endTrack_ are kept; the end screen at 2 s goes to endScreen_.
  int RunEnd(bool playAgain, const std::function<void()>& start = {}) {
    int depthSeen = -1;
    onDispatch_ = [this, &depthSeen](std::uint32_t message) {
      if (message == WM_USER + 1) endScreen_ = ScreenPixels(art_->ScreenBuffer());
      if (message != WM_USER) return;
      depthSeen = UiModalDepth();
      endLine1_ = Game().ScoreLine1();
      endLine2_ = Game().ScoreLine2();
      endTrack_ = RequestedTrack();
      if (whileEnding_) whileEnding_();
      // A timer tick inside the sequence: neither a second run nor drawing.
      session_->Tick();
    };
    input_->At(In(50), WM_USER);
    input_->At(In(2000), WM_USER + 1);
    input_->KeyAt(In(100), VK_RETURN, kScanEnter);
    playAgain ? input_->ClickAt(In(6000), kPlayAgainX, kPlayAgainY)
              : input_->KeyAt(In(6000), VK_ESCAPE, kScanEscape);
    start ? start() : session_->Tick();
    onDispatch_ = nullptr;
    return depthSeen;
  }

  // Pixels in which the end screen seen by RunEnd differs from a full-screen picture.
  int EndScreenDifferences(const char* picture) {
    if (endScreen_.size() != static_cast<std::size_t>(kScreenWidth * kScreenHeight)) return -1;
    EXPECT_EQ(ShowJpegInBuffer(screenBuffer_, picture), 0) << picture;
    const int differ = Changed(endScreen_, 0, kScreenWidth - 1, 0, kScreenHeight - 1);
    art_->RestoreBackground(0, kScreenWidth - 1, 0, kScreenHeight - 1);
    return differ;
  }

  GameWindows windows_;
  std::unique_ptr<GameSession> session_;
  std::function<void()> whileEnding_;  // run 50 ms into the end of a deal
  std::string endLine1_, endLine2_;
  MusicTrack endTrack_ = MusicTrack::kTitle;
  std::vector<std::uint32_t> endScreen_;
};

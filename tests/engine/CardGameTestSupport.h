// A tiny game that drives the card-game base class in its tests: one pile to pick cards from and
// two piles to drop them on (a foundation of kind 1 and a column of kind 2), with switches for
// what each pile accepts. Around it the fixture: toolkit, fonts and theme artwork on a headless
// display, scripted input on the test clock, a settings store and an undo directory of its own,
// an injected game clock and flights without pacing.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/Audio.h"
#include "engine/CardFlight.h"
#include "engine/CardGame.h"
#include "engine/GameClock.h"
#include "persist/Preferences.h"
#include "tests/support/GameTestEnvironment.h"
#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"

inline constexpr int kPileX = 100;
inline constexpr int kPileY = 200;
inline constexpr int kFoundationX = 300;
inline constexpr int kFoundationY = 200;
inline constexpr int kColumnX = 500;
inline constexpr int kColumnY = 200;
inline constexpr const char* kTestGameName = "Testgame";

class TestGame : public CardGame {
public:
  explicit TestGame(ArtworkSet& art) : CardGame(art, 12) {}

  // What each drop-target kind accepts.
  bool foundationAccepts = true;
  bool columnAccepts = true;
  double factor = 1.0;
  bool won = false;
  // Ends the game at the next UpdatePlayState as if no move were left.
  bool stuck = false;

  // The pile: bottom first. The top card alone can be picked up; a second source over the same
  // place carries the top two, added after it so the single card wins where both lie.
  std::vector<Card> pile;
  std::vector<Card> foundation;
  std::vector<Card> column;
  std::vector<Card> carried;

  int starts = 0;
  int restarts = 0;
  int pickUps = 0;
  int cancels = 0;
  int drops = 0;
  int lastDropKind = 0;
  int redraws = 0;
  int undos = 0;
  bool withTwoCardSource = false;

  void StartGame(bool restart) override {
    ++starts;
    if (restart) ++restarts;
    pile = {Card{0, 5}, Card{1, 6}, Card{2, 7}};
    foundation.clear();
    column.clear();
    carried.clear();
    won = false;
    stuck = false;
    deck_.Shuffle();
    points_ = 0;
    finalScore_ = kScoreNotFixed;
    gameOver_ = false;
    endedByUser_ = false;
    clockStarted_ = false;
    clock_.ClearPause();
    RedrawAll(true);
    StartClock(0);
  }
  void RedrawAll(bool) override {
    ++redraws;
    art_.RestoreBackground(0, kScreenWidth - 1, 0, kScreenHeight - 1);
    DrawPile(kPileX, kPileY, pile);
    DrawPile(kFoundationX, kFoundationY, foundation);
    DrawPile(kColumnX, kColumnY, column);
    ForgetScoreBox();
    UpdateScoreDisplay(-1);
    DrawMenuBar();
    UpdatePlayState();
  }
  void DropCards(const DragSource& record, const DropTarget& target) override {
    ++drops;
    lastDropKind = target.kind;
    auto& into = target.x == kFoundationX ? foundation : column;
    into.insert(into.end(), record.cards.begin(), record.cards.begin() + record.count);
    carried.clear();
    points_ += 10;
    UpdatePlayState();
  }
  void PickUp(const DragSource& record) override {
    ++pickUps;
    SaveUndo();
    const auto n = static_cast<std::size_t>(std::clamp(record.count, 0, int(pile.size())));
    carried.assign(pile.end() - static_cast<std::ptrdiff_t>(n), pile.end());
    pile.resize(pile.size() - n);
    UpdatePlayState();
  }
  void CancelMove() override {
    ++cancels;
    pile.insert(pile.end(), carried.begin(), carried.end());
    carried.clear();
    History().DiscardLast();
  }
  bool CanDrop(const DragSource&, const DropTarget& target) override {
    return target.kind == 1 ? foundationAccepts : columnAccepts;
  }
  bool UpdatePlayState() override {
    gameOver_ = won || stuck || endedByUser_;
    ClearDragSources();
    ClearDropTargets();
    if (!pile.empty()) {
      const int top = static_cast<int>(pile.size()) - 1;
      AddDragSource(kPileX, kPileY + 15 * top, &pile[static_cast<std::size_t>(top)], 1);
      if (withTwoCardSource && top >= 1)
        AddDragSource(kPileX, kPileY + 15 * top, &pile[static_cast<std::size_t>(top - 1)], 2);
    }
    AddDropTarget(kFoundationX, kFoundationY, kFoundationX, kFoundationY, kFoundationX + 53,
                  kFoundationY + 83, 1);
    AddDropTarget(kColumnX, kColumnY, kColumnX, kColumnY, kColumnX + 53, kColumnY + 300, 2);
    return gameOver_;
  }
  void SaveUndo() override {
    if (IsPaused() || gameOver_) return;
    WriteSnapshot([this](SnapshotWriter& out) {
      out.PutInt32(static_cast<std::int32_t>(pile.size()));
      std::array<Card, kMaxCarriedCards> cards;
      cards.fill(kNoCard);
      std::copy(pile.begin(), pile.end(), cards.begin());
      out.PutCards(cards);
      out.PutInt32(points_);
    });
  }
  void Undo() override {
    if (IsPaused() || gameOver_) return;
    struct Staged {
      std::int32_t count = 0;
      std::array<Card, kMaxCarriedCards> cards;
      std::int32_t points = 0;
    } staged;
    const bool accepted = ReadSnapshot([&staged](SnapshotReader& in, const Deck&) {
      if (!in.GetInt32(staged.count) || !in.GetCards(staged.cards) || !in.GetInt32(staged.points))
        return false;
      if (staged.count < 0 || staged.count > kMaxCarriedCards) return false;
      for (int i = 0; i < staged.count; ++i)
        if (!IsRealCard(staged.cards[static_cast<std::size_t>(i)])) return false;
      return true;
    });
    if (!accepted) return;
    pile.assign(staged.cards.begin(), staged.cards.begin() + staged.count);
    points_ = staged.points;
    ++undos;
  }
  const char* GetGameName() const override { return kTestGameName; }
  double ScoreFactor() const override { return factor; }
  bool IsWon() const override { return won; }

  void SetPoints(int points) { points_ = points; }
  Deck& MutableDeck() { return deck_; }

private:
  void DrawPile(int x, int y, const std::vector<Card>& cards) const {
    if (cards.empty()) {
      art_.DrawPlaceholder(x, y, art_.ScreenBuffer());
      return;
    }
    art_.DrawCards(x, y, cards.data(), art_.ScreenBuffer(), static_cast<int>(cards.size()), 0, 15);
  }
};

class CardGameTest : public DialogTest {
protected:
  void SetUp() override {
    DialogTest::SetUp();
    env_ = std::make_unique<GameTestEnvironment>();
    SetGameClockSource([this] { return seconds_; });
    SetWindowProc([this](std::uint32_t message, std::uintptr_t wParam, std::intptr_t) {
      dispatched_.push_back({message, wParam});
      if (onDispatch_) onDispatch_(message);
      return std::intptr_t{0};
    });
  }
  void TearDown() override {
    game_.reset();
    SetGameClockSource({});
    env_.reset();
    DialogTest::TearDown();
  }

  // The game on the theme artwork, dealt; false (and the test should skip) without media.
  bool StartTestGame(int theme = 0) {
    if (!UseArtwork(theme)) return false;
    game_ = std::make_unique<TestGame>(*art_);
    game_->StartGame(false);
    return true;
  }

  // Top-left of the pile's top card.
  int TopY() const { return kPileY + 15 * (static_cast<int>(game_->pile.size()) - 1); }

  std::int64_t seconds_ = 5'000'000;
  std::unique_ptr<GameTestEnvironment> env_;
  std::function<void(std::uint32_t)> onDispatch_;
  std::unique_ptr<TestGame> game_;
};

// The base class of every patience game: the deck, the hit lists and the drag-and-drop state
// machine with its save-under, the card flights, the status line, the clock, the score and its
// box, and the undo history. A game supplies its layout, piles, rules and drawing through the
// virtual operations, kept in this slot order. The menus, the commands and the end of a deal
// belong to the session that runs the game (engine/session/), which this class does not know.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/Card.h"
#include "engine/Deck.h"
#include "engine/GameClock.h"
#include "engine/HitLists.h"
#include "engine/Move.h"
#include "engine/SnapshotBytes.h"
#include "engine/UndoHistory.h"
#include "platform/Screen.h"

class ArtworkSet;
class GameEvents;

// Text of each status-line half, terminating zero included.
inline constexpr int kStatusTextSize = 200;
// The final score before the end of the deal has fixed it.
inline constexpr int kScoreNotFixed = 99999;

class CardGame {
public:
  // Draws with the artwork (observed; it outlives the game).
  CardGame(ArtworkSet& artwork, int gameId);
  virtual ~CardGame();
  CardGame(const CardGame&) = delete;
  CardGame& operator=(const CardGame&) = delete;

  virtual void StartGame(bool restart) = 0;  // 1
  virtual void EndDeal();                    // 2
  virtual void RedrawAll(bool erase) = 0;    // 3
  // Slots 4 to 8 and 10, 11 are the mouse's path to the rules: each turns the drag into a Move and
  // plays it through PlayMove, so no game writes them again.
  virtual void DropCards(const DragSource& record, const DropTarget& target);  // 4
  virtual void AutoFlip();                                                     // 5
  virtual void PickUp(const DragSource& record);                               // 6
  virtual void CancelMove();                                                   // 7
  virtual bool CanDrop(const DragSource& record, const DropTarget& target);    // 8
  virtual bool DoubleClickHook(int x, int y);                                  // 9
  virtual bool UpdatePlayState();                                              // 10
  virtual void SaveUndo();                                                     // 11
  virtual void GetFanOffset(int& dx, int& dy) const;                           // 12
  virtual void GetSecondFanOffset(int& dx, int& dy) const;                     // 13
  virtual const char* GetGameName() const = 0;                                 // 14
  virtual void OnLButtonDown(std::uint32_t flags, int x, int y);               // 15
  virtual void OnLButtonUp(std::uint32_t flags, int x, int y);                 // 16
  virtual void OnMouseMove(std::uint32_t flags, int x, int y);                 // 17
  virtual void OnLButtonDblClk(std::uint32_t flags, int x, int y);             // 18
  // The deck and the two spare lists, the opening blocks of every snapshot.
  virtual void SaveState(SnapshotWriter& out) const;  // 19
  // Reads what SaveState wrote into this game only when every block is valid; false (nothing
  // changed) otherwise.
  virtual bool LoadState(SnapshotReader& in);  // 20
  // Back to the newest snapshot: 5 points off, the clock where it was, the table as it was.
  // Nothing while paused, over or dragging.
  virtual void Undo();                                                // 21
  virtual void GetScoreArea(int& x, int& y, ScreenRect& area) const;  // 22
  virtual double ScoreFactor() const = 0;                             // 23
  virtual int TimeAdjustment(int seconds) const;                      // 24
  virtual double WinMultiplier() const;                               // 25
  virtual bool IsWon() const;                                         // 26
  virtual void SetLeftStatus(const char* text);                       // 27
  virtual void SetRightStatus(const char* text);                      // 28
  virtual void DrawStatusLine(bool erase);                            // 29
  // Slots 30 to 33 (the screen's poll, the open-menu question, an empty operation and the shared
  // commands) belong to the game session.

  // --- Moves ---------------------------------------------------------------------------------
  // One player action as a value, from any caller: a snapshot (unless a drag took it already),
  // the rules' ApplyMove, the points, the drawing and sounds of its steps, and the play state.
  // False (nothing changed) when the move is not legal now, or while paused, over or dragging.
  bool PlayMove(const Move& move, bool snapshotTaken = false);
  // Every move the rules allow in the position on the table now (drags under way aside): what
  // hints, keyboard play and a solver choose from.
  virtual void LegalMoves(MoveList& moves) const = 0;
  // The move a drag of `record` dropped on `target` stands for.
  static Move MoveFor(const DragSource& record, const DropTarget& target) {
    return {MoveKind::kCards, record.pile, record.index, target.pile};
  }
  // Puts a carried stack back where it came from, as a drop on no pile would: the cards fly back
  // and nothing is counted. Nothing when no drag is under way.
  void CancelDrag();
  // The index of the lowest card lifted from `pile` by the drag under way; -1 when none is.
  int LiftedFrom(int pile) const {
    return dragging_ && dragRecord_.pile == pile ? dragRecord_.index : -1;
  }
  // How many times the no-moves analysis has run: once per change of position at most.
  int NoMovesAnalyses() const { return noMovesAnalyses_; }

  // --- Hit lists ----------------------------------------------------------------------------
  const DragSource* AddDragSource(int x, int y, const Card* cards, int count);
  void RemoveDragSource(const DragSource* record);
  void ClearDragSources();
  const DragSource* HitTestDragSource(int x, int y) const;
  void AddDropTarget(int x, int y, int left, int top, int right, int bottom, int kind);
  void ClearDropTargets();
  const DropTarget* HitTestDropTarget(int x, int y) const;
  // The first target of this kind (any kind for 0) that CanDrop accepts the record on.
  const DropTarget* FindDropTarget(const DragSource& record, int kind);
  const DragSourceList& DragSources() const { return dragSources_; }
  const DropTargetList& DropTargets() const { return dropTargets_; }

  // --- Flights ------------------------------------------------------------------------------
  // back -1 draws the face, another number that card back.
  void FlyCard(int fromX, int fromY, int toX, int toY, const Card& card, bool leaveDrawn, bool fast,
               int back);
  void FlyCards(int fromX, int fromY, int toX, int toY, int count, const Card* cards,
                bool leaveDrawn, bool fast);

  // --- Clock and score ----------------------------------------------------------------------
  void StartClock(int elapsed) {
    clock_.Start(elapsed);
    clockStarted_ = true;
  }
  void PauseClock() { clock_.Pause(); }
  void ResumeClock() { clock_.Resume(); }
  void StopClock() { clock_.Stop(); }
  int ElapsedSeconds() const { return clock_.Elapsed(gameOver_); }
  bool IsPaused() const { return clock_.IsPaused(); }
  int ComputeScore() const;
  // The score now. Once the game is over the clock stops, and the answer is the final score
  // (kScoreNotFixed until FixFinalScore).
  int CurrentScore();
  // Refreshes the score box; a negative score asks CurrentScore for it.
  void UpdateScoreDisplay(int score);
  // Once the game is over: stops the clock and fixes the final score, which the box then shows.
  void FixFinalScore();
  // The next refresh draws the box even when its text is unchanged: for RedrawAll, which has
  // just painted the background over it.
  void ForgetScoreBox();

  // --- Undo ---------------------------------------------------------------------------------
  UndoHistory& History() { return undo_; }
  int UndoCount() const { return undo_.Count(); }

  // --- State the shell and the tests read -----------------------------------------------------
  int GameId() const { return gameId_; }
  int Points() const { return points_; }
  bool IsGameOver() const { return gameOver_; }
  bool IsDragging() const { return dragging_; }
  bool IsClockStarted() const { return clockStarted_; }
  bool EndedByUser() const { return endedByUser_; }
  int FinalScore() const { return finalScore_; }
  const Deck& GetDeck() const { return deck_; }
  const DragSource& DragRecord() const { return dragRecord_; }
  const ScreenRect& DragRect() const { return dragRect_; }
  const char* LeftStatus() const { return leftStatus_.data(); }
  const char* RightStatus() const { return rightStatus_.data(); }
  // The two lines the score box shows now (empty before it was first drawn).
  const std::string& ScoreLine1() const { return scoreLine1_; }
  const std::string& ScoreLine2() const { return scoreLine2_; }

  // The player chose End Game: the play state reports the game over from now on.
  void EndByUser();
  // Who hears what the game tells (observed; null: no one).
  void SetEvents(GameEvents* events) { events_ = events; }

protected:
  // --- What a game supplies: its rules, drawing and snapshot block ------------------------------
  virtual bool IsLegalMove(const Move& move) const = 0;
  // The rules' ApplyMove on the game's own position and stock.
  virtual MoveResult ApplyMoveToTable(const Move& move) = 0;
  // Draws what the steps changed and plays their sounds; decides no rule.
  virtual void ShowMove(const MoveResult& result) = 0;
  // The move a click at this point makes by itself (the stock, a face-down top card), if any.
  virtual std::optional<Move> MoveForClick(int x, int y) const {
    (void)x;
    (void)y;
    return std::nullopt;
  }
  // Moves the game plays by itself after a player's move, such as turning up uncovered cards.
  virtual void AutomaticMoves(MoveList& moves) const { moves.clear(); }
  virtual bool NoMovesLeft() const = 0;
  // Every card where a won game leaves it.
  virtual bool IsCleared() const = 0;
  virtual void BuildHitLists(DragSourceList& sources, DropTargetList& targets) const = 0;
  // Draws one pile, leaving out the cards a drag has lifted from it.
  virtual void DrawPile(int pile, bool erase) = 0;
  // The game's block of an undo snapshot, after the base blocks.
  virtual void WriteBlock(SnapshotWriter& out) const = 0;
  // Reads and checks the block into a staging copy, given the deck the snapshot holds; the points
  // and clock it holds, or nothing when it is refused. Changes nothing of the game.
  struct SnapshotTail {
    int points = 0;
    int elapsedSeconds = 0;
  };
  virtual std::optional<SnapshotTail> StageBlock(SnapshotReader& in, const Deck& stagedDeck) = 0;
  // Puts the staged block on the table, with the side state saved beside the file (may be empty).
  virtual void CommitStagedBlock(std::span<const std::uint8_t> sideState) = 0;
  // Whether Undo sounds even with nothing left to undo, as some games' rules have it.
  virtual bool SoundsEmptyUndo() const { return false; }
  // What the game needs back on Undo that its block has no room for.
  virtual std::vector<std::uint8_t> SideState() const { return {}; }
  // The position was replaced outside PlayMove and Undo (a new deal): the next play state is
  // worked out afresh.
  void PositionChanged() { ++positionSerial_; }
  // Where every deal starts: not ended by the player, the clock neither started nor paused, no
  // points, the final score not fixed, not over, no hit lists.
  void ResetDealState();
  // The seed of the next deal of this game: the first is the program's (`--seed N` or the clock),
  // each New Game or Play Again the next number, so a seeded session replays deal for deal.
  std::uint32_t TakeDealSeed() { return dealSeed_++; }

  // Puts the menu bar back over a table that has just been painted whole.
  void DrawMenuBar();
  ArtworkSet& art_;
  int points_ = 0;
  Deck deck_;
  // Saved and loaded with the base state; no game uses them.
  std::vector<Card> spareList1_;
  std::vector<Card> spareList2_;
  bool dragging_ = false;
  DragSource dragRecord_;
  int grabX_ = 0;
  int grabY_ = 0;
  bool gameOver_ = false;
  int finalScore_ = kScoreNotFixed;
  int gameId_ = 0;
  bool clockStarted_ = false;
  bool endedByUser_ = false;
  GameClock clock_;

private:
  // Mouse play is ignored while the game is paused or over.
  bool MouseIgnored() const;
  void ApplyDragStart(const DragSource& hit, int x, int y);
  void DrawStack(int x, int y, const DragSource& record) const;
  ScreenRect StackRect(int x, int y, int count) const;
  // Replaces the save buffer with one that holds `rect`; -1 when none could be made.
  void AllocateSaveBuffer(const ScreenRect& rect);
  void FreeSaveBuffer();
  // Shared by FlyCard and FlyCards: `draw` puts the card or stack at a top-left point of a buffer.
  void Fly(int fromX, int fromY, int toX, int toY, int width, int height, bool leaveDrawn,
           bool fast, const std::function<void(int x, int y, int dest)>& draw);

  // The drag is over: the hand is empty, the pointer free, the save-under gone.
  void EndDrag();
  // What a press and a double click do before anything else: put back a stack whose button-up
  // was lost, or play the move a click on this point makes by itself. True when one did.
  bool ClickHandledFirst(int x, int y);
  bool CachedNoMovesLeft();

  DragSourceList dragSources_;
  DropTargetList dropTargets_;
  std::uint32_t dealSeed_ = NextDealSeed();
  std::uint64_t positionSerial_ = 1;
  std::uint64_t analysedSerial_ = 0;
  bool noMovesLeft_ = false;
  int noMovesAnalyses_ = 0;
  UndoHistory undo_;
  int saveBuffer_ = -1;
  ScreenRect dragRect_{};
  std::array<char, kStatusTextSize> leftStatus_{};
  std::array<char, kStatusTextSize> rightStatus_{};
  GameEvents* events_ = nullptr;
  // What the score box shows now, so it is drawn only when its text changes.
  std::string scoreLine1_;
  std::string scoreLine2_;
};

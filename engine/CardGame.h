// The base class of every patience game: the deck, the hit lists and the drag-and-drop state
// machine with its save-under, the card flights, the status line, the clock, the score and its
// box, and the undo history. A game supplies its layout, piles, rules and drawing through the
// virtual operations, kept in this slot order. The menus, the commands and the end of a deal
// belong to the session that runs the game (engine/session/), which this class does not know.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/Card.h"
#include "engine/Deck.h"
#include "engine/GameClock.h"
#include "engine/HitLists.h"
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

  virtual void StartGame(bool restart) = 0;                                        // 1
  virtual void EndDeal();                                                          // 2
  virtual void RedrawAll(bool erase) = 0;                                          // 3
  virtual void DropCards(const DragSource& record, const DropTarget& target) = 0;  // 4
  virtual void AutoFlip() {}                                                       // 5
  virtual void PickUp(const DragSource& record) = 0;                               // 6
  virtual void CancelMove() = 0;                                                   // 7
  virtual bool CanDrop(const DragSource& record, const DropTarget& target) = 0;    // 8
  virtual bool DoubleClickHook(int x, int y);                                      // 9
  virtual bool UpdatePlayState() = 0;                                              // 10
  virtual void SaveUndo() = 0;                                                     // 11
  virtual void GetFanOffset(int& dx, int& dy) const;                               // 12
  virtual void GetSecondFanOffset(int& dx, int& dy) const;                         // 13
  virtual const char* GetGameName() const = 0;                                     // 14
  virtual void OnLButtonDown(std::uint32_t flags, int x, int y);                   // 15
  virtual void OnLButtonUp(std::uint32_t flags, int x, int y);                     // 16
  virtual void OnMouseMove(std::uint32_t flags, int x, int y);                     // 17
  virtual void OnLButtonDblClk(std::uint32_t flags, int x, int y);                 // 18
  // The deck and the two spare lists, the opening blocks of every snapshot.
  virtual void SaveState(SnapshotWriter& out) const;  // 19
  // Reads what SaveState wrote into this game only when every block is valid; false (nothing
  // changed) otherwise.
  virtual bool LoadState(SnapshotReader& in);                         // 20
  virtual void Undo() = 0;                                            // 21
  virtual void GetScoreArea(int& x, int& y, ScreenRect& area) const;  // 22
  virtual double ScoreFactor() const = 0;                             // 23
  virtual int TimeAdjustment(int seconds) const;                      // 24
  virtual double WinMultiplier() const;                               // 25
  virtual bool IsWon() const = 0;                                     // 26
  virtual void SetLeftStatus(const char* text);                       // 27
  virtual void SetRightStatus(const char* text);                      // 28
  virtual void DrawStatusLine(bool erase);                            // 29
  // Slots 30 to 33 (the screen's poll, the open-menu question, an empty operation and the shared
  // commands) belong to the game session.

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
  // Puts a carried stack back where it came from, as a drop on no pile would; nothing when no drag
  // is under way.
  void CancelDrag();
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
  // Puts the menu bar back over a table that has just been painted whole.
  void DrawMenuBar();
  // The undo snapshot: base state plus `variantBlock`, written as the next file.
  void WriteSnapshot(const std::function<void(SnapshotWriter&)>& variantBlock);
  // Reads the newest snapshot. `variantBlock` is given the reader after the base blocks and the
  // deck as the snapshot holds it (the stock its cards are checked against); it reads and checks
  // its block into a staging copy of its own and answers whether it accepts it, changing nothing
  // of the game. Only when the base state is valid, the block was accepted and no byte is left
  // over is the base state applied and true returned; the game then applies its staged block.
  // False when there was no snapshot or it was refused; the position is then unchanged.
  bool ReadSnapshot(
      const std::function<bool(SnapshotReader&, const Deck& stagedDeck)>& variantBlock);

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

  DragSourceList dragSources_;
  DropTargetList dropTargets_;
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

// Klondike through the real window procedure, for what the mouse, the screen and the files add
// to KlondikePlayTest; undo and a damaged snapshot of every game are GameTableTest's.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio/Audio.h"
#include "engine/GameClock.h"
#include "engine/session/GameMenuBar.h"
#include "engine/session/GameSession.h"
#include "games/GameTable.h"
#include "games/RuleSettings.h"
#include "games/klondike/KlondikeGame.h"
#include "games/klondike/KlondikeSettings.h"
#include "gfx/Gfx.h"
#include "tests/games/klondike/KlondikeSolver.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/GameScenario.h"
#include "ui/UiModal.h"

namespace fs = std::filesystem;

namespace {

constexpr ScreenPoint kStock{kKlondikeStockX + 20, kKlondikeStockY + 10};

int Count(const std::vector<std::string>& sounds, const std::string& name) {
  return static_cast<int>(std::count(sounds.begin(), sounds.end(), name));
}

// The rule values the scenarios change; the others keep the defaults a first read writes.
struct KlondikeSetup : ScenarioSetup {
  int cardsDealt = 3;
  int recycles = 3;
  int autoFlip = 0;
};

ScreenPoint ColumnCard(int column, int index) {
  return {KlondikeColumnX(column), kKlondikeColumnY + kKlondikeFanDy * index};
}

// A click moves from the stock (inside its top card however thick, or its empty marker) or a
// column's top.
ScenarioGame KlondikeScenarioGame(const KlondikeSetup& setup) {
  return {GameRowById(kKlondikeGameId),
          [setup] {
            WriteRuleValue(kKlondikeSettings, "CardsDealt", setup.cardsDealt);
            WriteRuleValue(kKlondikeSettings, "Recycles", setup.recycles);
            WriteRuleValue(kKlondikeSettings, "AutoFlip", setup.autoFlip);
          },
          [](const CardGame& played, const Move& move) {
            if (move.kind == MoveKind::kStock) return kStock;
            const int column = move.from - KlondikeColumnPile(0);
            const KlondikePosition& p = dynamic_cast<const KlondikeGame&>(played).Position();
            return Grip(ColumnCard(column, p.columnCount[static_cast<std::size_t>(column)] - 1));
          }};
}

struct KlondikeScenario : ScenarioOf<KlondikeGame> {
  explicit KlondikeScenario(const KlondikeSetup& setup = {})
      : ScenarioOf(KlondikeScenarioGame(setup), setup) {}
};

class KlondikeScenarioTest : public GameScenarioTest {};

// A CardsDealt of 7 from an edited file plays as three; two quick clicks on the stock are two
// clicks, not a double click; the ninth recycles; Escape deletes the game's snapshots.
TEST_F(KlondikeScenarioTest, TheDealAndTheStockClicksSoundAndLeavingDeletesTheSnapshots) {
  KlondikeSetup setup;
  setup.cardsDealt = 7;
  KlondikeScenario s(setup);
  ASSERT_NE(s.Game(), nullptr);
  EXPECT_EQ(Count(s.Sounds(), "deal.wav"), 28);
  const fs::path directory = s.UndoDirectory();
  s.DoubleClick(kStock.x, kStock.y);
  s.Check([&s, &directory](KlondikeGame& game) {
    EXPECT_EQ(game.Rules().cardsDealt, 3);
    EXPECT_EQ(game.Position().wasteCount, 6);
    EXPECT_EQ(game.UndoCount(), 2);
    EXPECT_EQ(Count(s.Sounds(), "flip.wav"), 2);
    EXPECT_TRUE(fs::exists(directory / "UNDO2.DAT"));
  });
  for (int click = 2; click < 9; ++click) s.Click(kStock.x, kStock.y);
  s.Check([&s](KlondikeGame& g) {
    EXPECT_EQ(g.Position().recyclesUsed, 1);
    EXPECT_EQ(Count(s.Sounds(), "flip.wav"), 8);
    EXPECT_EQ(Count(s.Sounds(), "shuffle.wav"), 1);
  });
  s.Key(VK_ESCAPE);
  s.CheckShell([&directory] { EXPECT_FALSE(fs::exists(directory / "UNDO1.DAT")); });
  s.Wait(100);
  EXPECT_EQ(s.Run(), 0);
}

// Seed 7: the Two of column 5 onto a Three on column 6 turns up the card it uncovers.
TEST_F(KlondikeScenarioTest, AutoFlipTurnsUpTheCardAMoveUncovers) {
  KlondikeSetup setup;
  setup.seed = 7;
  setup.autoFlip = 1;
  KlondikeScenario s(setup);
  const ScreenPoint from = Grip(ColumnCard(5, 5));
  const ScreenPoint to = Grip(ColumnCard(6, 7));  // where the Two will lie
  s.Drag(from.x, from.y, to.x, to.y);
  s.Check([](KlondikeGame& game) {
    EXPECT_EQ(game.Position().columnCount[6], 8);
    EXPECT_EQ(game.Position().faceDown[5], 4);
    EXPECT_EQ(game.Points(), 5) << "the card turned up by itself";
  });
  EXPECT_EQ(s.Run(), 0);
}

// Seed 1's Ace of column 2 double-clicked home: one Undo takes the whole action back, once.
TEST_F(KlondikeScenarioTest, ADoubleClickIsUndoneOnce) {
  KlondikeScenario s;
  const ScreenPoint ace = Grip(ColumnCard(2, 2));
  s.DoubleClick(ace.x, ace.y);
  s.Check([&s](KlondikeGame& game) {
    EXPECT_EQ(game.Position().foundations[0].rank, kAceRank);
    EXPECT_EQ(game.Points(), 5) << "column to foundation";
    EXPECT_EQ(game.UndoCount(), 2) << "the double click's own snapshot and the pick-up's";
    EXPECT_EQ(Count(s.Sounds(), "foundation.wav"), 1);
  });
  s.Menu(GameMenu::kGame, kCmdUndo);
  s.Check([&s](KlondikeGame& game) {
    EXPECT_EQ(game.Position().foundations[0], kNoCard);
    EXPECT_EQ(game.Position().columnCount[2], 3);
    EXPECT_EQ(game.Points(), -5);
    EXPECT_EQ(game.UndoCount(), 0);
    EXPECT_EQ(Count(s.Sounds(), "undo.wav"), 1);
  });
  EXPECT_EQ(s.Run(), 0);
}

// A seed whose stock, turned through once with no recycle allowed, leaves no move.
TEST_F(KlondikeScenarioTest, AutoGameOverEndsADealWithoutMovesOnlyWhenSwitchedOn) {
  KlondikeRules rules = kKlondikeDefaultRules;
  rules.recycles = 0;
  std::uint32_t seed = 1;
  for (;; ++seed) {
    ASSERT_LT(seed, 1000u);
    KlondikeDeal deal = DealKlondike(seed, rules);
    while (deal.stock.Remaining() > 0)
      PlayKlondikeMove(deal, rules, Move{MoveKind::kStock, kKlondikeStockPile});
    if (KlondikeNoMovesLeft(deal.position, deal.stock, rules)) break;
  }
  for (bool autoGameOver : {false, true}) {
    KlondikeSetup setup;
    setup.seed = seed;
    setup.recycles = 0;
    setup.autoGameOver = autoGameOver;
    KlondikeScenario s(setup);
    for (int click = 0; click < 8; ++click) s.Click(kStock.x, kStock.y);
    s.Wait(300);
    s.Check([autoGameOver](KlondikeGame& game) {
      EXPECT_EQ(game.IsGameOver(), autoGameOver);
      if (!autoGameOver) {
        EXPECT_GT(game.DragSources().Size(), 0) << "the cards can still be picked up";
      }
    });
    if (autoGameOver) {
      s.CheckShell([] {
        EXPECT_EQ(UiModalDepth(), 1) << "the no-moves message is up";
        EXPECT_EQ(RequestedTrack(), MusicTrack::kInGame) << "the lose tune waits for the message";
      });
      s.Key(VK_ESCAPE);  // closes the message
      s.Wait(6000);      // the lose screen
      s.CheckShell([] { EXPECT_EQ(RequestedTrack(), MusicTrack::kLose); });
      s.Key(VK_ESCAPE);  // closes the high scores
      s.Check([](KlondikeGame& game) {
        EXPECT_TRUE(game.IsGameOver());
        EXPECT_NE(game.FinalScore(), kScoreNotFixed);
        EXPECT_DOUBLE_EQ(game.ScoreFactor(), 1.5) << "three cards dealt, TableauStart";
        EXPECT_EQ(game.FinalScore(),
                  ScoreFormula(game.Points(), game.ElapsedSeconds(), game.ScoreFactor(), 1.0));
      });
    }
    EXPECT_EQ(s.Run(), 0);
  }
}

TEST_F(KlondikeScenarioTest, ASnapshotDirectoryThatCannotBeWrittenLeavesTheGamePlayable) {
  const fs::path blocker = fs::temp_directory_path() / "qs-klondike-not-a-directory";
  std::ofstream(blocker) << "a file where the directory should be";
  {
    KlondikeSetup setup;
    setup.undoDirectory = blocker;
    KlondikeScenario s(setup);
    s.Click(kStock.x, kStock.y);
    s.Click(kStock.x, kStock.y);
    s.Check([](KlondikeGame& game) { EXPECT_EQ(game.Position().wasteCount, 6); });
    s.Menu(GameMenu::kGame, kCmdUndo);
    s.Check([](KlondikeGame& game) {
      EXPECT_EQ(game.Position().wasteCount, 6) << "nothing to undo, nothing changed";
      EXPECT_EQ(game.Points(), 0);
    });
    EXPECT_EQ(s.Run(), 0);
  }
  EXPECT_TRUE(fs::is_regular_file(blocker));
  fs::remove(blocker);
}

// Column 3's face-up card carried over column 5 (QS_UPDATE_GOLDEN=1 rewrites the PNG).
TEST_F(KlondikeScenarioTest, ACarriedStackLooksAsDrawnInItsGoldenImage) {
  KlondikeScenario s;
  s.Wait(300);
  const ScreenPoint from = Grip(ColumnCard(3, 3));
  s.Mouse(WM_LBUTTONDOWN, from.x, from.y);
  s.Mouse(WM_MOUSEMOVE, from.x + 95, from.y + 140);
  s.CheckShell([&s] {
    EXPECT_TRUE(s.Game()->IsDragging());
    EXPECT_TRUE(MatchesGolden("games/klondike_dragging", s.Harness().Shell().ScreenBuffer(), 0, 799,
                              0, 599));
  });
  s.Mouse(WM_LBUTTONUP, from.x + 95, from.y + 140);
  s.Wait(200);
  EXPECT_EQ(s.Run(), 0);
}

// The move-finder's win of the seeded deal, every move made again with the mouse.
TEST_F(KlondikeScenarioTest, ASeededDealIsPlayedToAWinThroughTheMouse) {
  const std::optional<FoundWin> solution =
      SolveKlondike(kKlondikeWinningSeed, kKlondikeDefaultRules);
  ASSERT_TRUE(solution.has_value()) << "the move-finder wins this seed";
  KlondikeSetup setup;
  setup.seed = kKlondikeWinningSeed;
  KlondikeScenario s(setup);
  for (const Move& move : solution->moves) s.MakeWithTheMouse(move);
  s.ExpectWonWith(solution->points);
  EXPECT_EQ(s.Run(), 0);
}

// The position scripts/smoke-test plays to with seed 1 and compares its grab of the real window
// with: the Ace of column 2 double-clicked home, the card under it turned up, one stock click.
TEST_F(KlondikeScenarioTest, TheSmokeTestPositionLooksAsItsGolden) {
  KlondikeSetup setup;
  setup.seed = 1;
  KlondikeScenario s(setup);
  const ScreenPoint ace = Grip(ColumnCard(2, 2));
  s.DoubleClick(ace.x, ace.y);
  const ScreenPoint hidden = Grip(ColumnCard(2, 1));
  s.Click(hidden.x, hidden.y);
  s.Click(kStock.x, kStock.y);
  s.Wait(300);
  s.Check([&s](KlondikeGame& game) {
    EXPECT_EQ(game.Position().foundations[0].rank, kAceRank);
    EXPECT_EQ(game.Points(), 10);
    EXPECT_TRUE(MatchesGolden("games/klondike_smoke_position", s.Harness().Shell().ScreenBuffer(),
                              0, 799, 0, 599));
  });
  EXPECT_EQ(s.Run(), 0);
}

// One step of a fixed line of play.
struct ScriptedAction {
  char kind;  // 's' stock, 't' turn up, 'd' drag, 'w' double click, 'u' undo
  int a, b, c, d;
};

// Seed 7: the first moves of a won game, with a double click, a drag put back and undos.
constexpr ScriptedAction kPinnedLine[] = {
    {'d', 580, 245, 650, 275}, {'t', 5, 0, 0, 0},         {'d', 580, 230, 510, 245},
    {'t', 5, 0, 0, 0},         {'d', 440, 215, 580, 230}, {'t', 3, 0, 0, 0},
    {'s', 0, 0, 0, 0},         {'w', 200, 80, 0, 0},      {'d', 650, 275, 330, 80},
    {'d', 190, 80, 370, 215},  {'s', 0, 0, 0, 0},         {'s', 0, 0, 0, 0},
    {'d', 230, 170, 330, 80},  {'s', 0, 0, 0, 0},         {'s', 0, 0, 0, 0},
    {'s', 0, 0, 0, 0},         {'d', 200, 80, 230, 185},  {'u', 0, 0, 0, 0},
    {'d', 200, 80, 230, 185},  {'d', 190, 80, 400, 80},   {'s', 0, 0, 0, 0},
    {'s', 0, 0, 0, 0},         {'d', 200, 80, 300, 200},  {'d', 440, 200, 300, 215},
    {'t', 3, 0, 0, 0},         {'s', 0, 0, 0, 0},         {'s', 0, 0, 0, 0},
    {'u', 0, 0, 0, 0},         {'u', 0, 0, 0, 0},         {'s', 0, 0, 0, 0},
};

std::uint64_t Fnv1a(std::uint64_t hash, const std::vector<char>& bytes) {
  for (char byte : bytes) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= 1099511628211ull;
  }
  return hash;
}

// The snapshot files are a format: the same line of play writes the same bytes, file for file.
TEST_F(KlondikeScenarioTest, AFixedLineOfPlayWritesTheSameSnapshotBytes) {
  KlondikeSetup setup;
  setup.seed = 7;
  KlondikeScenario s(setup);
  auto digest = std::make_shared<std::uint64_t>(14695981039346656037ull);
  auto files = std::make_shared<int>(0);
  for (const ScriptedAction& action : kPinnedLine) {
    switch (action.kind) {
      case 's':
        s.Click(kStock.x, kStock.y);
        break;
      case 't':
        s.Check([column = action.a, &s](KlondikeGame& game) {
          const int top = game.Position().columnCount[static_cast<std::size_t>(column)] - 1;
          const ScreenPoint grip = Grip(ColumnCard(column, top));
          s.Harness().PostAt(5, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(grip.x, grip.y));
          s.Harness().PostAt(25, WM_LBUTTONUP, 0, MakeLParam(grip.x, grip.y));
        });
        s.Wait(60);
        break;
      case 'd': {
        const ScreenPoint from = Grip({action.a, action.b});
        const ScreenPoint to = Grip({action.c, action.d});
        s.Drag(from.x, from.y, to.x, to.y);
        break;
      }
      case 'w': {
        const ScreenPoint at = Grip({action.a, action.b});
        s.DoubleClick(at.x, at.y);
        break;
      }
      case 'u':
        s.Menu(GameMenu::kGame, kCmdUndo);
        break;
    }
    s.Check([&s, digest, files](KlondikeGame& game) {
      for (int n = 1; n <= game.UndoCount(); ++n) {
        std::ifstream in(s.UndoDirectory() / ("UNDO" + std::to_string(n) + ".DAT"),
                         std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
        *digest = Fnv1a(*digest, bytes);
        ++*files;
      }
    });
  }
  EXPECT_EQ(s.Run(), 0);
  EXPECT_GT(*files, 200);
  EXPECT_EQ(*digest, 0xd736323f58d659ffull)
      << std::hex << *digest << " over " << std::dec << *files;
}

// Every card of the pack on the table once: a carried card is never also left in its pile.
int CardsOnTable(const KlondikeGame& game) {
  const KlondikePosition& p = game.Position();
  int cards = game.GetDeck().Remaining() + p.wasteCount;
  for (int count : p.columnCount) cards += count;
  for (const Card& top : p.foundations)
    if (IsRealCard(top)) cards += (top.rank - p.startRank + kRankCount) % kRankCount + 1;
  return cards;
}

// Lifts column 6's top card of seed 1 and carries it away; the button stays down.
void StartCarrying(KlondikeScenario& s) {
  const ScreenPoint top = Grip(ColumnCard(6, 6));
  s.Mouse(WM_LBUTTONDOWN, top.x, top.y);
  s.Mouse(WM_MOUSEMOVE, top.x + 40, top.y + 60);
  s.Check([](KlondikeGame& game) {
    ASSERT_TRUE(game.IsDragging());
    EXPECT_EQ(game.UndoCount(), 1);
  });
}

// After the interruption: nothing carried, nothing counted, every card once.
void ExpectPutBack(KlondikeScenario& s) {
  s.Check([](KlondikeGame& game) {
    EXPECT_FALSE(game.IsDragging());
    EXPECT_EQ(game.UndoCount(), 0) << "the lift's snapshot went with it";
    EXPECT_EQ(game.Position().columnCount[6], 7);
    EXPECT_EQ(CardsOnTable(game), 52);
  });
}

// Undo while carrying, and the ways a button-up gets lost, put the card back; it lifts again.
TEST_F(KlondikeScenarioTest, ALostButtonUpPutsTheCardsBack) {
  const struct {
    const char* what;
    std::function<void(KlondikeScenario&)> interrupt;
  } cases[] = {
      {"undo while carrying does nothing, and no card is doubled",
       [](KlondikeScenario& s) {
         s.Check([](KlondikeGame& game) {
           game.Undo();
           EXPECT_TRUE(game.IsDragging());
           EXPECT_EQ(game.UndoCount(), 1);
         });
         const ScreenPoint top = Grip(ColumnCard(6, 6));
         s.Mouse(WM_LBUTTONUP, top.x + 40, top.y + 60);
       }},
      {"another window in front",
       [](KlondikeScenario& s) {
         s.CheckShell([&s] { s.Harness().PostAt(0, WM_ACTIVATEAPP, 0); });
         s.Wait(20);
         s.CheckShell([&s] { s.Harness().PostAt(0, WM_ACTIVATEAPP, 1); });
       }},
      {"a second press",
       [](KlondikeScenario& s) {
         s.Mouse(WM_LBUTTONDOWN, 700, 500);
         s.Mouse(WM_LBUTTONUP, 700, 500);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    KlondikeScenario s;
    StartCarrying(s);
    c.interrupt(s);
    ExpectPutBack(s);
    StartCarrying(s);
    EXPECT_EQ(s.Run(), 0);
  }
}

// One action, one no-moves analysis; Undo shows the waste fanned as it was. Seed 7's first stock
// click leaves a playable card on the waste.
TEST_F(KlondikeScenarioTest, UndoBringsBackTheFanAndEachActionIsAnalysedOnce) {
  KlondikeDeal deal = DealKlondike(kKlondikeWinningSeed, kKlondikeDefaultRules);
  PlayKlondikeMove(deal, kKlondikeDefaultRules, Move{MoveKind::kStock, kKlondikeStockPile});
  MoveList legal;
  KlondikeLegalMoves(deal.position, deal.stock, kKlondikeDefaultRules, legal);
  const auto play = std::find_if(legal.begin(), legal.end(), [](const Move& m) {
    return m.kind == MoveKind::kCards && m.from == kKlondikeWastePile;
  });
  ASSERT_NE(play, legal.end());
  KlondikeSetup setup;
  setup.seed = kKlondikeWinningSeed;
  KlondikeScenario s(setup);
  auto analyses = std::make_shared<int>(0);
  s.Check([analyses](KlondikeGame& game) { *analyses = game.NoMovesAnalyses(); });
  s.Click(kStock.x, kStock.y);
  s.Check([analyses](KlondikeGame& game) {
    EXPECT_EQ(game.NoMovesAnalyses(), *analyses + 1) << "the stock click";
    EXPECT_EQ(game.Position().turned, 3);
    *analyses = game.NoMovesAnalyses();
  });
  s.MakeWithTheMouse(*play);
  s.Check([analyses](KlondikeGame& game) {
    EXPECT_EQ(game.NoMovesAnalyses(), *analyses + 1) << "the drag and its drop";
    EXPECT_EQ(game.Position().turned, 2);
    EXPECT_EQ(game.UndoCount(), 2) << "a drag still writes one snapshot";
  });
  s.Menu(GameMenu::kGame, kCmdUndo);
  s.Check([](KlondikeGame& game) {
    EXPECT_EQ(game.Position().wasteCount, 3);
    EXPECT_EQ(game.Position().turned, 3) << "the waste fans out three cards again";
  });
  EXPECT_EQ(s.Run(), 0);
}

}  // namespace

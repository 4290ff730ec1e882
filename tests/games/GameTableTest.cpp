// The game table, and every game it builds: in a session, the menus and the shared commands each
// game carries out its own way (the others are GameSessionTest's); run by the shell, every menu
// window and the fresh deal's golden images. A new game gets these tests by its row alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/GameLaunchers.h"
#include "audio/Audio.h"
#include "engine/GameList.h"
#include "games/GameTable.h"
#include "games/RuleSettings.h"
#include "persist/HighScores.h"
#include "tests/engine/session/SessionTestSupport.h"
#include "tests/support/GameScenario.h"
#include "ui/menus/MenuEntry.h"

namespace {

std::vector<const GameRow*> BuiltRows() {
  std::vector<const GameRow*> rows;
  for (const GameRow& row : GameTable())
    if (row.make != nullptr) rows.push_back(&row);
  return rows;
}

// Each row's title button is TitleTest's, which starts every built game from its own.
TEST(GameTable, NumbersAndNamesAgreeWithTheGameListAndTheSettings) {
  std::set<int> ids;
  for (const GameRow& row : GameTable()) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(ids.insert(row.gameId).second) << "a game number used twice";
    ASSERT_NE(GameListTitle(row.gameId), nullptr);
    EXPECT_STREQ(GameListTitle(row.gameId), row.name) << "the rules help finds it by this title";
    if (row.settings != nullptr) {
      EXPECT_STREQ(row.settings->game, row.name) << "its registry key";
    }
    EXPECT_EQ(GameRowById(row.gameId), &row);
  }
  EXPECT_EQ(GameRowById(1), nullptr) << "in the game list, but no game";
  EXPECT_EQ(GameRowByButton(5), nullptr);
  EXPECT_FALSE(BuiltRows().empty());
}

class GameRowTest : public SessionTest, public testing::WithParamInterface<const GameRow*> {
protected:
  const GameRow& Row() const { return *GetParam(); }
  bool StartRow() { return StartSession(Row().make, OwnWindowsOf(GetParam())); }
};

#define START_ROW_OR_SKIP() \
  if (!StartRow()) QS_SKIP_MISSING("no generated media with the theme artwork")

// The game, its rules help and snapshot size are its row's; New Game deals anew under the same
// menus, with an empty history.
TEST_P(GameRowTest, TheGameIsItsRowsAndNewGameDealsAnewUnderTheSameMenus) {
  std::string section;
  windows_.rulesHelp = [&section](const char* title) { section = title; };
  START_ROW_OR_SKIP();
  EXPECT_EQ(Game().GameId(), Row().gameId);
  EXPECT_STREQ(Game().GetGameName(), Row().name);
  ASSERT_TRUE(session_->HandleCommand(kCmdRulesHelp));
  EXPECT_EQ(section, Row().name);
  EXPECT_TRUE(Game().IsClockStarted()) << "dealt";
  Game().SaveUndo();
  ASSERT_EQ(Game().UndoCount(), 1);
  EXPECT_EQ(std::filesystem::file_size(Game().History().FileFor(1)),
            static_cast<std::uintmax_t>(Row().snapshotBytes));
  std::vector<std::string> options = {"Card Front...", "Card Back...", "Background...",
                                      "Music...",      "SFX",          "Auto Game Over"};
  std::vector<std::string> view = {"High Scores..."};
  if (Row().settings != nullptr) options.emplace_back("Game Settings...");
  if (Row().rulesView != nullptr) view.emplace_back("Rules...");
  // The Game and Help lists hold no item of the game's own (GameMenuTest's).
  const auto expectMenus = [&] {
    EXPECT_EQ(ItemTexts(session_->Menus().options), options);
    EXPECT_EQ(ItemTexts(session_->Menus().view), view);
  };
  expectMenus();
  const Deck before = Game().GetDeck();
  seconds_ += 40;
  ASSERT_TRUE(session_->HandleCommand(kCmdNewGame));
  expectMenus();
  EXPECT_EQ(Game().UndoCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(Game().History().FileFor(1)));
  EXPECT_NE(Game().GetDeck(), before) << "shuffled again";
  EXPECT_EQ(Game().ElapsedSeconds(), 0);
  const Deck dealt = Game().GetDeck();
  ASSERT_TRUE(session_->HandleCommand(kCmdUndo));
  EXPECT_EQ(Game().GetDeck(), dealt) << "nothing to undo into the last deal";

  // Without settings or a rules view (Block Solitaire) their commands are refused.
  if (Row().settings == nullptr) {
    EXPECT_FALSE(session_->HandleCommand(kCmdGameSettings));
  }
  if (Row().rulesView == nullptr) {
    EXPECT_FALSE(session_->HandleCommand(kCmdRulesView));
  }
}

// A move of cards when the deal offers one (what a player makes most), else the first move.
std::optional<Move> FirstMove(const CardGame& game) {
  MoveList moves;
  game.LegalMoves(moves);
  for (const Move& move : moves)
    if (move.kind == MoveKind::kCards) return move;
  if (moves.empty()) return std::nullopt;
  return moves.front();
}

// What a test can see of the table without knowing the game.
struct TableSeen {
  Deck deck;
  MoveList moves;
  int points = 0;
  explicit TableSeen(const CardGame& game) : deck(game.GetDeck()), points(game.Points()) {
    game.LegalMoves(moves);
  }
  friend bool operator==(const TableSeen&, const TableSeen&) = default;
};

TEST_P(GameRowTest, UndoTakesAMoveBackForFivePointsWithTheClockWhereItWas) {
  START_ROW_OR_SKIP();
  seconds_ += 30;
  const TableSeen before(Game());
  const std::optional<Move> move = FirstMove(Game());
  ASSERT_TRUE(move) << "a fresh deal offers a move";
  ASSERT_TRUE(Game().PlayMove(*move));
  EXPECT_EQ(Game().UndoCount(), 1);
  EXPECT_NE(TableSeen(Game()), before) << "the move changed the table";
  const int earned = Game().Points() - before.points;
  seconds_ += 25;
  ASSERT_TRUE(session_->HandleCommand(kCmdUndo));
  const TableSeen after(Game());
  EXPECT_EQ(after.deck, before.deck);
  EXPECT_EQ(after.moves, before.moves);
  EXPECT_EQ(after.points, before.points - 5) << "earned " << earned << " and gave it back";
  EXPECT_EQ(Game().ElapsedSeconds(), 30) << "the clock goes on from the move's time";
  EXPECT_EQ(Game().UndoCount(), 0);
  const auto undoSounds = [this] {
    const std::vector<std::string>& sounds = env_->Sounds();
    return std::count(sounds.begin(), sounds.end(), "undo.wav");
  };
  const auto soundedBefore = undoSounds();
  ASSERT_TRUE(session_->HandleCommand(kCmdUndo));
  EXPECT_EQ(Game().Points(), before.points - 5) << "nothing left to undo, nothing charged";
  // Gate's, Quadrille's and Block Solitaire's rules sound an Undo with nothing to undo too.
  const std::set<std::string> soundingEmpty = {"Gate", "Quadrille", "Block Solitaire"};
  EXPECT_EQ(undoSounds() - soundedBefore,
            static_cast<std::ptrdiff_t>(soundingEmpty.count(Row().name)));
}

TEST_P(GameRowTest, ADamagedSnapshotIsRefusedAndTheTableStaysAsItIs) {
  START_ROW_OR_SKIP();
  const std::optional<Move> move = FirstMove(Game());
  ASSERT_TRUE(move);
  ASSERT_TRUE(Game().PlayMove(*move));
  const std::filesystem::path file = Game().History().FileFor(1);
  std::vector<char> bytes(static_cast<std::size_t>(std::filesystem::file_size(file)));
  {
    std::ifstream in(file, std::ios::binary);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  // Cut short, the game's block (after the deck and two empty lists) all 0x7f, one byte too many.
  std::vector<std::vector<char>> damaged = {std::vector<char>(bytes.begin(), bytes.end() - 7),
                                            bytes, bytes};
  std::fill(damaged[1].begin() + static_cast<std::ptrdiff_t>(kDeckImageSize) + 8,
            damaged[1].end() - 8, '\x7f');
  damaged[2].push_back('\0');
  for (const std::vector<char>& content : damaged) {
    SCOPED_TRACE(content.size());
    Game().SaveUndo();
    const TableSeen now(Game());
    const std::filesystem::path last = Game().History().FileFor(Game().UndoCount());
    {
      std::ofstream out(last, std::ios::binary | std::ios::trunc);
      out.write(content.data(), static_cast<std::streamsize>(content.size()));
    }
    ASSERT_TRUE(session_->HandleCommand(kCmdUndo));
    EXPECT_EQ(TableSeen(Game()), now) << "nothing loaded, nothing charged";
    EXPECT_FALSE(Game().IsGameOver());
  }
}

TEST_P(GameRowTest, EndGameShowsTheLoseScreenAndTheFinalScoreAndPlayAgainDealsAnew) {
  START_ROW_OR_SKIP();
  seconds_ += 100;  // long enough for the time to take the score below zero
  const int expected = Game().ComputeScore();
  ASSERT_LT(expected, 0);
  EXPECT_EQ(RunEnd(true, [this] { session_->HandleCommand(kCmdEndGame); }), 0)
      << "ended by the player: no message";
  EXPECT_EQ(endLine1_, "Final Score");
  EXPECT_EQ(endLine2_, std::to_string(expected));
  EXPECT_EQ(endTrack_, MusicTrack::kLose);
  EXPECT_EQ(EndScreenDifferences("artwork\\losescreen_ended.jpg"), 0)
      << "the lose screen does not claim that no move was left";
  EXPECT_EQ(CountHighScores(Row().name), 0) << "a score below zero does not enter the table";

  // Play Again: the new deal is on the table and in the box at once.
  EXPECT_EQ(RequestedTrack(), MusicTrack::kInGame);
  EXPECT_FALSE(Game().IsGameOver());
  EXPECT_FALSE(Game().EndedByUser());
  EXPECT_EQ(Game().FinalScore(), kScoreNotFixed);
  EXPECT_EQ(Game().ScoreLine1(), "Score");
  EXPECT_EQ(Game().ScoreLine2(), std::to_string(Game().ComputeScore()));
}

// Each window of the program and the game, chosen with the mouse from the menu, is open with the
// game paused, and Enter or Escape closes it with the game running again.
class GameRowScenarioTest : public GameScenarioTest,
                            public testing::WithParamInterface<const GameRow*> {};

TEST_P(GameRowScenarioTest, EveryMenuWindowOfTheProgramOpensPausedAndClosesAgain) {
  ScenarioSetup setup;
  setup.programWindows = true;
  const GameRow& row = *GetParam();
  GameScenario s(ScenarioGame{&row, {}, {}}, setup);
  struct MenuWindow {
    GameMenu menu;
    int command;
    std::uint32_t closeKey;
  };
  std::vector<MenuWindow> windows = {
      {GameMenu::kHelp, kCmdAbout, VK_RETURN},
      {GameMenu::kHelp, kCmdRulesHelp, VK_RETURN},
      {GameMenu::kHelp, kCmdUpgrade, VK_ESCAPE},
      {GameMenu::kOptions, kCmdCardBack, VK_RETURN},
      {GameMenu::kOptions, kCmdCardFront, VK_RETURN},
      {GameMenu::kOptions, kCmdBackground, VK_RETURN},
      {GameMenu::kView, kCmdHighScores, VK_ESCAPE},
  };
  if (row.settings != nullptr) windows.push_back({GameMenu::kOptions, kCmdGameSettings, VK_ESCAPE});
  if (row.rulesView != nullptr) windows.push_back({GameMenu::kView, kCmdRulesView, VK_RETURN});
  for (const MenuWindow& w : windows) {
    s.Menu(w.menu, w.command);
    s.Check([command = w.command](CardGame& game) {
      EXPECT_EQ(UiModalDepth(), 1) << "command " << command << " opened no window";
      EXPECT_TRUE(game.IsPaused()) << "command " << command;
    });
    s.Key(w.closeKey);
    s.Wait(200);
    s.Check([command = w.command](CardGame& game) {
      EXPECT_EQ(UiModalDepth(), 0) << "command " << command << " left its window open";
      EXPECT_FALSE(game.IsPaused()) << "command " << command;
    });
  }
  EXPECT_EQ(s.Run(), 0);
}

// The row's name as the golden images spell it: lower case, no spaces, no "Solitaire".
std::string GoldenStem(const GameRow& row) {
  std::string name = row.name;
  if (const auto at = name.find(" Solitaire"); at != std::string::npos) name.erase(at);
  std::string stem;
  for (char c : name)
    if (c != ' ') stem += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return stem;
}

// The fresh deal of seed 1 under a new player's rules, in the dark and a light theme
// (QS_UPDATE_GOLDEN=1 rewrites them; look at every changed PNG first).
TEST_P(GameRowScenarioTest, TheFreshDealLooksAsDrawnInTheGoldenImages) {
  for (int theme : {0, 1}) {
    ScenarioSetup setup;
    setup.background = theme;
    GameScenario s(ScenarioGame{GetParam(), {}, {}}, setup);
    s.Wait(300);
    const std::string name =
        "games/" + GoldenStem(*GetParam()) + "_deal_theme" + std::to_string(theme);
    s.CheckShell([&s, name] {
      EXPECT_TRUE(MatchesGolden(name, s.Harness().Shell().ScreenBuffer(), 0, 799, 0, 599));
    });
    EXPECT_EQ(s.Run(), 0);
  }
}

std::string RowName(const testing::TestParamInfo<const GameRow*>& row) {
  std::string name;
  for (const char* c = row.param->name; *c != '\0'; ++c)
    if (*c != ' ') name += *c;
  return name;
}

INSTANTIATE_TEST_SUITE_P(Built, GameRowTest, testing::ValuesIn(BuiltRows()), RowName);
INSTANTIATE_TEST_SUITE_P(Built, GameRowScenarioTest, testing::ValuesIn(BuiltRows()), RowName);

}  // namespace

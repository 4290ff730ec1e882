// The five games. A game joins the program with its folder, its row here and its CMake line.
#include "games/GameTable.h"

#include "games/auldlangsyne/AuldLangSyneGame.h"
#include "games/auldlangsyne/AuldLangSyneRulesView.h"
#include "games/auldlangsyne/AuldLangSyneSettings.h"
#include "games/block/BlockGame.h"
#include "games/gate/GateGame.h"
#include "games/gate/GateRulesView.h"
#include "games/gate/GateSettings.h"
#include "games/klondike/KlondikeGame.h"
#include "games/klondike/KlondikeRulesView.h"
#include "games/klondike/KlondikeSettings.h"
#include "games/quadrille/QuadrilleGame.h"
#include "games/quadrille/QuadrilleRulesView.h"
#include "games/quadrille/QuadrilleSettings.h"

namespace {

template <class Game>
std::unique_ptr<CardGame> Make(ArtworkSet& art) {
  return std::make_unique<Game>(art);
}

// Block Solitaire has no rule settings: it deals at once.
constexpr GameRow kGames[] = {
    {kAuldLangSyneGameId, 0, "Auld Lang Syne", &kAuldLangSyneSettings, &RunAuldLangSyneRulesView,
     &Make<AuldLangSyneGame>, 1432},
    {kBlockGameId, 1, "Block Solitaire", nullptr, nullptr, &Make<BlockGame>, 1080},
    {kKlondikeGameId, 2, "Klondike", &kKlondikeSettings, &RunKlondikeRulesView, &Make<KlondikeGame>,
     2564},
    {kGateGameId, 3, "Gate", &kGateSettings, &RunGateRulesView, &Make<GateGame>, 2252},
    {kQuadrilleGameId, 4, "Quadrille", &kQuadrilleSettings, &RunQuadrilleRulesView,
     &Make<QuadrilleGame>, 1488},
};

}  // namespace

std::span<const GameRow> GameTable() {
  return kGames;
}

const GameRow* GameRowById(int gameId) {
  for (const GameRow& row : kGames)
    if (row.gameId == gameId) return &row;
  return nullptr;
}

const GameRow* GameRowByButton(int button) {
  for (const GameRow& row : kGames)
    if (row.titleButton == button) return &row;
  return nullptr;
}

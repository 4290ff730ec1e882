// The three measurements every game's bench takes on a mid-game table, written once: the play
// state decided on the program's own shell, the legal moves with one of them played, and the
// copy of the table the second one starts from (its floor, to subtract).
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>

#include "bench/support/BenchShell.h"
#include "engine/BaseSnapshot.h"
#include "engine/Deck.h"
#include "engine/Move.h"
#include "engine/SnapshotBytes.h"

// Starts a `Game` on the shell, brings in the table whose undealt cards are `stock` and whose
// own block `writeBlock(SnapshotWriter&)` writes, and times UpdatePlayState on it. Returns the
// game for the caller's counters; null, with the error said, when the shell could not start.
template <class Game, class WriteBlock>
Game* TimeUpdatePlayState(benchmark::State& state, BenchShell& shell, const Deck& stock,
                          WriteBlock writeBlock) {
  Game* game = shell.Start<Game>();
  if (game == nullptr) {
    state.SkipWithError("no game: the shell could not start");
    return nullptr;
  }
  SnapshotWriter out;
  WriteBaseState(out, stock, {}, {});
  writeBlock(out);
  shell.LoadSnapshot(*game, out.Bytes());
  for (auto _ : state) benchmark::DoNotOptimize(game->UpdatePlayState());
  return game;
}

// From a fresh copy of `start` each time: `legal(deal, moves)` lists the moves, and
// `apply(deal, move)` plays the next of them in turn.
template <class Deal, class Legal, class Apply>
void TimeLegalMovesAndApply(benchmark::State& state, const Deal& start, Legal legal, Apply apply) {
  MoveList moves;
  std::size_t next = 0;
  for (auto _ : state) {
    Deal deal = start;
    legal(deal, moves);
    if (moves.empty()) break;
    const Move& move = moves[next++ % moves.size()];
    benchmark::DoNotOptimize(apply(deal, move));
  }
  state.counters["legal_moves"] = static_cast<double>(moves.size());
}

template <class Deal>
void TimeTableCopy(benchmark::State& state, const Deal& start) {
  for (auto _ : state) {
    Deal deal = start;
    benchmark::DoNotOptimize(deal);
  }
}

// What a game takes from the world around its rules, in one place: the seed of the first deal,
// the clock its time is read from, the directory its undo snapshots go to and the pace of card
// flights. The program sets them once from its command line; a test sets what it needs and
// ResetGameServices puts every one back, so no test leaves a changed world behind.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

// Whole seconds from some fixed point; only differences matter.
using SecondsSource = std::function<std::int64_t()>;

inline constexpr std::chrono::microseconds kDefaultFlightStepDelay{2500};

struct GameServices {
  // `--seed N`: the first deal's seed, each later deal the next number; none: the clock's second.
  std::optional<std::uint32_t> dealSeed;
  // The game clock's seconds; empty: the calendar clock.
  SecondsSource clock;
  // Where undo snapshots are written; empty: a private directory made on first use.
  std::filesystem::path undoDirectory;
  // The pause between two steps of a card flight; zero lands every flight at once.
  std::chrono::microseconds flightStepDelay = kDefaultFlightStepDelay;
};

GameServices& TheGameServices();
// Every service back to the program's own.
void ResetGameServices();

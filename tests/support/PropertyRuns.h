// How many random deals a property test plays: 10,000, or the number QS_PROPERTY_GAMES asks for
// (the sanitizer build asks for fewer, as every deal costs many times more there).
#pragma once

#include <cstdlib>

inline int PropertyGames() {
  const char* asked = std::getenv("QS_PROPERTY_GAMES");
  const int games = asked != nullptr ? std::atoi(asked) : 0;
  return games > 0 ? games : 10000;
}

// The titles of the twenty game numbers: the rules help finds a game's section by its title.
#pragma once

inline constexpr int kGameListSize = 20;

// The title of game number 1..20; nullptr for any other number.
const char* GameListTitle(int number);

// Tables as text for the games' rule tests: "0: ~20 30 w: 40" is pile "0", the Two face down
// under the Three, then pile "w" holding the Four. Each game reads the piles into its position.
#pragma once

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Card.h"

// "A0" is the Ace of suit 0, "T3" the Ten of suit 3; suits 0 and 2 share a colour.
inline constexpr const char* kRankLetters = "23456789TJQKA";

inline int RankOf(char letter) {
  return static_cast<int>(std::strchr(kRankLetters, letter) - kRankLetters);
}

inline Card CardOf(const std::string& text) {
  return Card{text[1] - '0', RankOf(text[0])};
}

// One named pile's words, bottom first ("r: 1" and "base: 7" read their first word themselves).
struct PileText {
  std::string name;
  std::vector<std::string> words;
  std::vector<Card> Cards() const {
    std::vector<Card> cards;
    for (const std::string& word : words)
      cards.push_back(CardOf(word.substr(word[0] == '~' ? 1 : 0)));
    return cards;
  }
  int FaceDown() const {
    int down = 0;
    for (const std::string& word : words) down += word[0] == '~';
    return down;
  }
};

inline std::vector<PileText> ReadTableText(const char* text) {
  std::vector<PileText> piles;
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    if (word.back() == ':') {
      piles.push_back({word.substr(0, word.size() - 1), {}});
    } else {
      piles.back().words.push_back(word);
    }
  }
  return piles;
}

// The music thread's own random numbers for the song choice, kept apart from the decks' generator
// so that music never changes a deal.
#pragma once

#include <cstdint>

class MusicRandom {
public:
  explicit MusicRandom(std::uint32_t seed) : state_(seed) {}

  // The same linear congruential step as the decks use: a number 0..32767.
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

private:
  std::uint32_t state_;
};

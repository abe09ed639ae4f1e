// rules/random.h: the game's random generator, an object that its owner seeds and hands to every
// random choice, so that a seed and the player's actions replay the same computer moves.
#pragma once

#include <cstdint>

namespace rules {

// state <- state x 214013 + 2531011 (mod 2^32); Next gives (state >> 16) AND 0x7FFF. Our own, not
// the C library's, whose sequence differs from platform to platform.
class Random {
  public:
    Random() = default;
    explicit Random(std::uint32_t seed) : state_(seed) {}

    void Seed(std::uint32_t seed) { state_ = seed; }
    int Next();  // 0..32767
    // A choice among n >= 1 possibilities, 0..n - 1, from one draw of Next.
    int Below(int n);

    friend bool operator==(const Random&, const Random&) = default;

  private:
    std::uint32_t state_ = 1;
};

}  // namespace rules

// opponent/random_numbers.h: the program's one random generator and the way every random choice
// is drawn from it, so that a seed and the player's actions replay the same computer moves.
#pragma once

#include <cstdint>

namespace opponent {

// Our own generator, not the C library's: that one is a different sequence on this platform.
// state <- state x 214013 + 2531011 (mod 2^32); rand gives (state >> 16) AND 0x7FFF.
// Seeded once, with the time in seconds, when the main window is created.
void srand(std::uint32_t seed);
int rand();  // 0..32767

// A choice among n >= 1 possibilities, 0..n - 1, from one draw of rand.
int RandomBelow(int n);

}  // namespace opponent

// opponent/random_numbers.cpp: the linear congruential generator and RandomBelow.
#include "opponent/random_numbers.h"

namespace opponent {

namespace {

std::uint32_t randomState = 1;

// 1/32767 rounded to single precision (3.0518509447574615e-05), then used in double products:
// the rounding decides where each choice changes, so it must stay a float constant.
constexpr float OneOver32767 = 1.0f / 32767.0f;

}  // namespace

void srand(std::uint32_t seed) { randomState = seed; }

int rand() {
    randomState = randomState * 214013u + 2531011u;  // unsigned arithmetic wraps modulo 2^32
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}

int RandomBelow(int n) {
    const int r = rand();
    // r = 0 gives a tiny negative product, truncated toward zero like the rest to 0.
    return static_cast<int>(static_cast<double>(r - 1) * static_cast<double>(OneOver32767) * n);
}

}  // namespace opponent

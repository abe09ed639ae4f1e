// rules/random.cpp: the linear congruential generator and its choices.
#include "rules/random.h"

namespace rules {

namespace {

// 1/32767 rounded to single precision (3.0518509447574615e-05), then used in double products:
// the rounding decides where each choice changes, so it must stay a float constant.
constexpr float OneOver32767 = 1.0f / 32767.0f;

}  // namespace

int Random::Next() {
    state_ = state_ * 214013u + 2531011u;  // unsigned arithmetic wraps modulo 2^32
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
}

int Random::Below(int n) {
    const int r = Next();
    // r = 0 gives a tiny negative product, truncated toward zero like the rest to 0.
    return static_cast<int>(static_cast<double>(r - 1) * static_cast<double>(OneOver32767) * n);
}

}  // namespace rules

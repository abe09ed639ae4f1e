// tools/make_data/random.h: the generator's own pseudo-random numbers (SplitMix64), so that the
// same seed gives the same pictures and sounds with any standard library.
#pragma once

#include <cstdint>

namespace make_data {

class Random {
  public:
    explicit Random(std::uint64_t seed) : state(seed) {}

    std::uint64_t Next() {
        state += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1), from the top 53 bits.
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Between(double low, double high) { return low + (high - low) * Unit(); }
    // Uniform in [-1, 1).
    double Signed() { return 2.0 * Unit() - 1.0; }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

  private:
    std::uint64_t state;
};

}  // namespace make_data

// tests/fuzz/wave_header_fuzz.cpp: libFuzzer target for the wave header check. Whatever the bytes,
// it reads nothing outside them, and what it accepts keeps within the bounds the game plays.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/wave_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto facts = platform::ReadWaveFacts(std::span<const std::uint8_t>(data, size));
    if (!facts) return 0;
    const bool bounded = facts->channels >= 1 && facts->channels <= 2 &&
                         facts->rate >= platform::MinSoundRate &&
                         facts->rate <= platform::MaxSoundRate &&
                         facts->seconds <= platform::MaxSoundSeconds && facts->dataBytes <= size;
    if (!bounded) std::abort();
    return 0;
}

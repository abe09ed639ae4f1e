// tests/support/wave_header.h: the header of a WAV file as the tests write it, with whatever
// format, rate and sizes a case needs, sane or absurd; the samples, if any, follow from the test.
#pragma once

#include <cstdint>
#include <ostream>

namespace testing_support {

inline void PutLittleEndian(std::ostream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

struct WaveHeader {
    std::uint32_t format = 1;  // 1 PCM, 3 float
    std::uint32_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint32_t bits = 16;
    std::uint32_t dataBytes = 0;  // what the header claims, whatever follows
};

// The RIFF, "fmt " and "data" chunk headers: 44 bytes.
inline void WriteWaveHeader(std::ostream& out, const WaveHeader& wave) {
    const std::uint32_t block = wave.channels * wave.bits / 8;
    out.write("RIFF", 4);
    PutLittleEndian(out, 36 + wave.dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, wave.format, 2);
    PutLittleEndian(out, wave.channels, 2);
    PutLittleEndian(out, wave.rate, 4);
    PutLittleEndian(out, wave.rate * block, 4);
    PutLittleEndian(out, block, 2);
    PutLittleEndian(out, wave.bits, 2);
    out.write("data", 4);
    PutLittleEndian(out, wave.dataBytes, 4);
}

}  // namespace testing_support

// tests/tools/make_data/sounds_test.cpp: every sound is a 16-bit mono PCM WAV file at 22050 Hz of
// the length its moment in the game allows, normalised without clipping and silent at both ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "tests/tools/make_data/data_folder.h"

namespace {

struct Wav {
    bool riff = false;
    std::uint32_t format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> samples;
};

// Walks the chunks, so a file with extra chunks would still parse.
Wav Parse(const std::vector<std::uint8_t>& b) {
    using data_test::U16At;
    using data_test::U32At;
    Wav wav;
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE" || U32At(b, 4) + 8 != b.size()) {
        return wav;
    }
    wav.riff = true;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + at, b.begin() + at + 4);
        const std::uint32_t size = U32At(b, at + 4);
        if (at + 8 + size > b.size()) break;
        if (id == "fmt ") {
            wav.format = U16At(b, at + 8);
            wav.channels = U16At(b, at + 10);
            wav.rate = U32At(b, at + 12);
            wav.bits = U16At(b, at + 22);
        } else if (id == "data") {
            for (std::size_t i = 0; i + 1 < size; i += 2) {
                wav.samples.push_back(static_cast<std::int16_t>(U16At(b, at + 8 + i)));
            }
        }
        at += 8 + size + (size & 1);
    }
    return wav;
}

struct Expected {
    const char* file;
    double minSeconds;
    double maxSeconds;
};

TEST(DataSoundsTest, EverySoundHasItsFormatLengthAndLevel) {
    const Expected sounds[] = {
        {"siren.wav", 1.6, 2.4}, {"drop.wav", 0.3, 0.8}, {"miss.wav", 0.3, 0.8},
        {"hit.wav", 0.4, 1.0},   {"Sink.wav", 0.8, 1.5}, {"win.wav", 1.0, 3.0},
        {"lose.wav", 1.0, 3.0},
    };
    for (const Expected& e : sounds) {
        SCOPED_TRACE(e.file);
        const Wav wav =
            Parse(data_test::ReadBytes(data_test::HostFile(std::string("Sounds/") + e.file)));
        ASSERT_TRUE(wav.riff);
        EXPECT_EQ(wav.format, 1u);
        EXPECT_EQ(wav.channels, 1u);
        EXPECT_EQ(wav.rate, 22050u);
        EXPECT_EQ(wav.bits, 16u);
        ASSERT_FALSE(wav.samples.empty());
        const double seconds = static_cast<double>(wav.samples.size()) / 22050.0;
        EXPECT_GE(seconds, e.minSeconds);
        EXPECT_LE(seconds, e.maxSeconds);
        int peak = 0;
        for (std::int16_t s : wav.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        // Normalised: loud, but with headroom, so nothing was clipped.
        EXPECT_GT(peak, 32767 * 8 / 10);
        EXPECT_LT(peak, 32767);
        // No click: the sound starts and ends at (near) silence.
        EXPECT_LT(std::abs(static_cast<int>(wav.samples.front())), 64);
        EXPECT_LT(std::abs(static_cast<int>(wav.samples.back())), 64);
    }
}

}  // namespace

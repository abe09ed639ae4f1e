// tests/platform/wave_format_test.cpp: which WAV files the game agrees to play, judged from their
// own headers before anything is decoded or allocated.
#include "platform/wave_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using namespace platform;

struct Shape {
    int tag = 1;
    int channels = 1;
    std::uint32_t rate = 22050;
    int bits = 16;
    std::uint32_t declaredData = 4410;  // what the data chunk says it holds
    std::uint32_t presentData = 4410;   // what follows it
    std::uint32_t riffSlack = 0;        // the RIFF size claims this much more than there is
};

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> Wave(const Shape& s) {
    std::vector<std::uint8_t> out{'R', 'I', 'F', 'F'};
    Put(out, 36 + s.presentData + s.riffSlack, 4);
    for (char c : std::string("WAVEfmt ")) out.push_back(static_cast<std::uint8_t>(c));
    const std::uint32_t block = static_cast<std::uint32_t>(s.channels * s.bits / 8);
    Put(out, 16, 4);
    Put(out, static_cast<std::uint32_t>(s.tag), 2);
    Put(out, static_cast<std::uint32_t>(s.channels), 2);
    Put(out, s.rate, 4);
    Put(out, s.rate * block, 4);
    Put(out, block, 2);
    Put(out, static_cast<std::uint32_t>(s.bits), 2);
    for (char c : std::string("data")) out.push_back(static_cast<std::uint8_t>(c));
    Put(out, s.declaredData, 4);
    out.resize(out.size() + s.presentData, 0);
    return out;
}

TEST(WaveFormat, OnlySaneShortSoundsWithinTheirFileArePlayable) {
    struct Case {
        const char* what;
        Shape shape;
        bool playable;
    };
    const Case cases[] = {
        {"16-bit mono", {}, true},
        {"8-bit stereo at the lowest rate", {1, 2, 4000, 8, 800, 800}, true},
        {"32-bit float at the highest rate", {3, 2, 192000, 32, 1536, 1536}, true},
        {"exactly 30 seconds", {1, 1, 8000, 8, 240000, 240000}, true},
        {"a second more than 30", {1, 1, 8000, 8, 248000, 248000}, false},
        {"a rate of 1 Hz", {1, 1, 1, 16, 200000, 200000}, false},
        {"a rate above 192 kHz", {1, 1, 384000, 16, 4000, 4000}, false},
        {"no channels", {1, 0, 22050, 16, 100, 100}, false},
        {"three channels", {1, 3, 22050, 16, 600, 600}, false},
        {"12-bit samples", {1, 1, 22050, 12, 100, 100}, false},
        {"an unknown format", {0x55, 1, 22050, 16, 100, 100}, false},
        {"a gigabyte of data declared", {1, 2, 44100, 16, 1u << 30, 4096}, false},
        {"a RIFF size beyond the file", {1, 1, 22050, 16, 100, 100, 1000}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadWaveFacts(Wave(c.shape)).has_value(), c.playable);
    }
}

TEST(WaveFormat, TruncatedOrForeignFilesAreRefused) {
    const std::vector<std::uint8_t> good = Wave(Shape{});
    for (std::size_t length : {0u, 11u, 12u, 20u, 43u}) {
        SCOPED_TRACE(length);
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + length);
        EXPECT_FALSE(ReadWaveFacts(cut).has_value());
    }
    std::vector<std::uint8_t> foreign = good;
    foreign[8] = 'X';  // not WAVE
    EXPECT_FALSE(ReadWaveFacts(foreign).has_value());

    const auto facts = ReadWaveFacts(good);
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->rate, 22050);
    EXPECT_DOUBLE_EQ(facts->seconds, 0.1);
}

}  // namespace

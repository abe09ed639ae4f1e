// tools/make_data/sounds.h: the game's sound effects, synthesised sample by sample and written as
// 16-bit mono PCM WAV files at 22050 Hz.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace make_data {

constexpr int SampleRate = 22050;

struct SoundFile {
    std::string name;  // as the game names it under Sounds/
    std::vector<std::uint8_t> bytes;
};

// Every sound the game plays: siren, drop, miss, hit, Sink, win and lose.
std::vector<SoundFile> MakeSounds();

// Scales to a fixed peak below full scale, fades both ends to silence and writes the WAV file.
std::vector<std::uint8_t> EncodeWav(std::vector<double> samples);

}  // namespace make_data

// platform/wave_format.h: what a WAV file says about itself, read without trusting it, and the
// bounds within which the game plays a sound at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

// A sound the game plays is short: at most this long, and at most this large once converted to
// the device's format. A file that would be larger is taken as unplayable.
constexpr int MaxSoundSeconds = 30;
constexpr std::size_t MaxConvertedSoundBytes = 16 * 1024 * 1024;
// The largest file worth reading: 30 seconds of 32-bit stereo at the highest rate, with room for
// other chunks.
constexpr std::size_t MaxWaveFileBytes = 64 * 1024 * 1024;
constexpr int MinSoundRate = 4000;
constexpr int MaxSoundRate = 192000;

struct WaveFacts {
    int formatTag = 0;  // 1 PCM, 3 float, 2 and 0x11 ADPCM, 6 A-law, 7 mu-law
    int channels = 0;
    int rate = 0;  // frames per second
    int bitsPerSample = 0;
    std::uint32_t dataBytes = 0;
    std::size_t dataOffset = 0;  // where the samples start in the file
    double seconds = 0;          // as the data chunk's size gives it
};

// The facts of a RIFF WAVE file in memory, or none unless every declared size lies within the
// bytes, the format is one of those above with 1 or 2 channels and a rate from MinSoundRate to
// MaxSoundRate, and the data lasts at most MaxSoundSeconds.
std::optional<WaveFacts> ReadWaveFacts(std::span<const std::uint8_t> file);

// True when a sound of frames at rate lasts at most MaxSoundSeconds and its channel count and rate
// are within the bounds above (for a sound as decoded, before conversion).
bool IsPlayableSoundShape(int channels, int rate, std::uint64_t frames);

}  // namespace platform

// platform/wave_format.cpp: walking a WAV file's chunks with every size checked against the bytes
// that are really there.
#include "platform/wave_format.h"

#include <algorithm>

namespace platform {

namespace {

std::uint32_t Little(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[at + i];
    return value;
}

bool Is(std::span<const std::uint8_t> bytes, std::size_t at, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) {
        if (bytes[at + i] != static_cast<std::uint8_t>(tag[i])) return false;
    }
    return true;
}

constexpr int kPcm = 1;
constexpr int kMsAdpcm = 2;
constexpr int kFloat = 3;
constexpr int kALaw = 6;
constexpr int kMuLaw = 7;
constexpr int kImaAdpcm = 0x11;
constexpr int kExtensible = 0xFFFE;

// Bits per sample that go with a format, as the audio library decodes them.
bool SampleSizeFits(int tag, int bits) {
    switch (tag) {
        case kPcm:
            return bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case kFloat:
            return bits == 32;
        case kALaw:
        case kMuLaw:
            return bits == 8;
        case kMsAdpcm:
        case kImaAdpcm:
            return bits == 4;
        default:
            return false;
    }
}

}  // namespace

bool IsPlayableSoundShape(int channels, int rate, std::uint64_t frames) {
    if (channels < 1 || channels > 2) return false;
    if (rate < MinSoundRate || rate > MaxSoundRate) return false;
    return frames <= static_cast<std::uint64_t>(rate) * MaxSoundSeconds;
}

std::optional<WaveFacts> ReadWaveFacts(std::span<const std::uint8_t> file) {
    if (file.size() < 12 || !Is(file, 0, "RIFF") || !Is(file, 8, "WAVE")) return std::nullopt;
    // The RIFF size may fall short of the file (trailing bytes are ignored), never beyond it.
    const std::uint64_t riffEnd = std::uint64_t{8} + Little(file, 4, 4);
    if (riffEnd > file.size()) return std::nullopt;

    WaveFacts facts;
    bool haveFormat = false;
    bool haveData = false;
    std::uint64_t at = 12;
    while (at + 8 <= riffEnd) {
        const std::uint64_t chunkSize = Little(file, static_cast<std::size_t>(at + 4), 4);
        const std::uint64_t body = at + 8;
        if (body + chunkSize > riffEnd) return std::nullopt;
        const auto start = static_cast<std::size_t>(body);
        if (Is(file, static_cast<std::size_t>(at), "fmt ")) {
            if (chunkSize < 16) return std::nullopt;
            facts.formatTag = static_cast<int>(Little(file, start, 2));
            facts.channels = static_cast<int>(Little(file, start + 2, 2));
            facts.rate =
                static_cast<int>(std::min<std::uint32_t>(Little(file, start + 4, 4), 0x7FFFFFFF));
            facts.bitsPerSample = static_cast<int>(Little(file, start + 14, 2));
            if (facts.formatTag == kExtensible) {
                if (chunkSize < 26) return std::nullopt;
                facts.formatTag = static_cast<int>(Little(file, start + 24, 2));
            }
            haveFormat = true;
        } else if (Is(file, static_cast<std::size_t>(at), "data")) {
            facts.dataBytes = static_cast<std::uint32_t>(chunkSize);
            facts.dataOffset = start;
            haveData = true;
        }
        if (haveFormat && haveData) break;
        at = body + chunkSize + (chunkSize & 1);
    }
    if (!haveFormat || !haveData) return std::nullopt;
    if (!SampleSizeFits(facts.formatTag, facts.bitsPerSample)) return std::nullopt;
    if (facts.channels < 1 || facts.channels > 2) return std::nullopt;
    const std::uint64_t frames = std::uint64_t{facts.dataBytes} * 8 /
                                 static_cast<std::uint64_t>(facts.bitsPerSample * facts.channels);
    if (!IsPlayableSoundShape(facts.channels, facts.rate, frames)) return std::nullopt;
    facts.seconds = static_cast<double>(frames) / facts.rate;
    return facts;
}

}  // namespace platform

// platform/waveout/waveout_audio.h: the audio device of the Windows build, on the system's wave
// output (waveOut). Each sound is handed to the device whole, from memory, in the file's own
// format.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/sound.h"

namespace platform {

class WaveOutAudio : public AudioDevice {
  public:
    WaveOutAudio();
    ~WaveOutAudio() override;
    WaveOutAudio(const WaveOutAudio&) = delete;
    WaveOutAudio& operator=(const WaveOutAudio&) = delete;

    // True when the system has at least one wave output device.
    bool HasWaveOutput() override;
    // Plays 8, 16, 24 or 32-bit PCM and 32-bit float waves within the bounds of every sound
    // (platform/wave_format.h); other files are unplayable.
    PlayResult Play(const std::string& hostPath, std::uint32_t flags) override;
    void WaitWhileSoundPlays(std::int64_t untilSecond) override;

  private:
    using Clock = std::chrono::steady_clock;
    struct Playing;  // the open device, its buffer and header

    bool PlayingNow() const;
    // Cuts the playing sound off and lets its device go.
    void Stop();

    void* done_ = nullptr;  // an event the device sets as it finishes the buffer
    std::unique_ptr<Playing> playing_;
};

}  // namespace platform

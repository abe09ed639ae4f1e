// platform/sdl/sdl_audio.h: the real audio device, on SDL2's audio subsystem. Sounds are mixed
// into one playback stream by SDL's audio thread; the program's thread only starts them and waits.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sound.h"

namespace platform {

class SdlAudio : public AudioDevice {
  public:
    SdlAudio() = default;
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // True when SDL can open a playback device (the one kept for playing from then on).
    bool HasWaveOutput() override;
    PlayResult Play(const std::string& hostPath, std::uint32_t flags) override;
    void WaitWhileSoundPlays(std::int64_t untilSecond) override;

  private:
    using Clock = std::chrono::steady_clock;

    bool OpenDevice();
    // The WAV file's samples in the device's format; false when it cannot be read or converted.
    bool Load(const std::string& hostPath, std::vector<std::uint8_t>& samples) const;
    bool PlayingLocked(Clock::time_point now) const;
    void WaitLocked(std::unique_lock<std::mutex>& lock, std::int64_t untilSecond);
    // SDL's audio callback: hands the device the next stretch of the playing sound, or silence.
    static void Feed(void* self, std::uint8_t* stream, int length);

    bool subsystemStarted_ = false;
    std::uint32_t device_ = 0;  // SDL_AudioDeviceID, 0 while none is open
    int bytesPerSecond_ = 0;
    int frameBytes_ = 0;

    // Shared with SDL's audio thread.
    std::mutex mutex_;
    std::condition_variable drained_;
    std::vector<std::uint8_t> samples_;
    std::size_t position_ = 0;
    // A sound counts as playing until its whole length has passed since it started, even once the
    // device has taken its last samples, so that a synchronous play never returns early.
    Clock::time_point endsAt_{};
};

}  // namespace platform

// platform/test/fake_audio.h: the test host's audio device. Sounds last a chosen time on the
// virtual clock, so tests see when each one starts and ends without waiting, and every play call
// is recorded.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/sound.h"
#include "platform/test/virtual_clock.h"

namespace platform {

class FakeAudio : public AudioDevice {
  public:
    // One play call as the device saw it.
    struct PlayCall {
        std::string file;  // the file's name without its folder: "Sink.wav"
        std::uint32_t flags = 0;
        std::uint64_t atMilliseconds = 0;  // virtual time of the call
        PlayResult result = PlayResult::Accepted;
    };
    // One sound that was started, with its stretch of virtual time. A sound cut off by a play
    // without SND_NOSTOP ends when it was cut.
    struct Sound {
        std::string file;
        std::uint64_t startMilliseconds = 0;
        std::uint64_t endMilliseconds = 0;
    };

    explicit FakeAudio(VirtualClock& clock) : clock_(clock) {}

    // Setup, before or between play calls.
    void SetWaveOutput(bool present) { waveOutput_ = present; }
    void SetDefaultDuration(std::uint64_t milliseconds) { defaultDuration_ = milliseconds; }
    void SetDuration(const std::string& file, std::uint64_t milliseconds) {
        durations_[file] = milliseconds;
    }
    void SetUnplayable(const std::string& file) { unplayable_.insert(file); }

    bool HasWaveOutput() override;
    PlayResult Play(const std::string& hostPath, std::uint32_t flags) override;
    void WaitWhileSoundPlays(std::int64_t untilSecond) override;

    // What happened.
    const std::vector<PlayCall>& Calls() const { return calls_; }
    const std::vector<Sound>& Sounds() const { return sounds_; }
    // The files of the started sounds, in order.
    std::vector<std::string> SoundFiles() const;
    bool IsPlaying() const { return clock_.NowMilliseconds() < playingUntil_; }
    int WaveOutputQueries() const { return waveOutputQueries_; }
    int Waits() const { return waits_; }
    // Forgets the calls and sounds so far; a sound still playing goes on.
    void ClearRecord();

  private:
    std::uint64_t DurationOf(const std::string& file) const;

    VirtualClock& clock_;
    bool waveOutput_ = true;
    std::uint64_t defaultDuration_ = 500;
    std::map<std::string, std::uint64_t> durations_;
    std::set<std::string> unplayable_;

    std::uint64_t playingUntil_ = 0;
    std::vector<PlayCall> calls_;
    std::vector<Sound> sounds_;
    int waveOutputQueries_ = 0;
    int waits_ = 0;
};

}  // namespace platform

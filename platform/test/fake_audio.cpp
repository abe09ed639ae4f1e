// platform/test/fake_audio.cpp: sounds that play on the virtual clock.
#include "platform/test/fake_audio.h"

#include <algorithm>

namespace platform {

namespace {

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool FakeAudio::HasWaveOutput() {
    ++waveOutputQueries_;
    return waveOutput_;
}

PlayResult FakeAudio::Play(const std::string& hostPath, std::uint32_t flags) {
    const std::string file = FileNameOf(hostPath);
    const std::uint64_t now = clock_.NowMilliseconds();
    PlayResult result = PlayResult::Accepted;
    if (unplayable_.count(file) > 0 || !waveOutput_) {
        result = PlayResult::Unplayable;
    } else if ((flags & SND_NOSTOP) != 0 && IsPlaying()) {
        result = PlayResult::Refused;
    }
    calls_.push_back(PlayCall{file, flags, now, result});
    if (result != PlayResult::Accepted) return result;

    if (IsPlaying() && !sounds_.empty()) sounds_.back().endMilliseconds = now;
    playingUntil_ = now + DurationOf(file);
    sounds_.push_back(Sound{file, now, playingUntil_});
    if ((flags & SND_ASYNC) == 0) clock_.AdvanceTo(playingUntil_);
    return result;
}

void FakeAudio::WaitWhileSoundPlays(std::int64_t untilSecond) {
    ++waits_;
    if (!IsPlaying()) return;
    // The virtual clock counts calendar seconds from a fixed epoch; find the moment untilSecond
    // begins on it.
    const std::uint64_t now = clock_.NowMilliseconds();
    const std::int64_t epoch = clock_.CalendarSeconds() - static_cast<std::int64_t>(now / 1000);
    const std::uint64_t secondBegins =
        untilSecond > epoch ? static_cast<std::uint64_t>(untilSecond - epoch) * 1000 : 0;
    clock_.AdvanceTo(std::min(playingUntil_, secondBegins));
}

std::vector<std::string> FakeAudio::SoundFiles() const {
    std::vector<std::string> files;
    for (const Sound& sound : sounds_) files.push_back(sound.file);
    return files;
}

void FakeAudio::ClearRecord() {
    calls_.clear();
    sounds_.clear();
    waveOutputQueries_ = 0;
    waits_ = 0;
}

std::uint64_t FakeAudio::DurationOf(const std::string& file) const {
    const auto found = durations_.find(file);
    return found == durations_.end() ? defaultDuration_ : found->second;
}

}  // namespace platform

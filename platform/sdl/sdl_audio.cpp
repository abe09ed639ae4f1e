// platform/sdl/sdl_audio.cpp: WAV playback and device detection on SDL2. One playback device is
// opened for the run with a fixed format; every file is converted to it when played.
#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <limits>
#include <new>

#include "platform/files.h"
#include "platform/quit_request.h"
#include "platform/wave_format.h"

namespace platform {

namespace {

constexpr int kFrequency = 44100;
constexpr SDL_AudioFormat kFormat = AUDIO_S16SYS;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 2048;
// A wait for the end of a sound looks at the calendar clock and for a quit request this often; the
// end of the sound itself wakes the waiter at once.
constexpr auto kWatchStep = std::chrono::milliseconds(50);
// A device that stops taking samples (unplugged, stalled) must not hold a sound open for ever: it
// counts as ended this long after its length has passed.
constexpr auto kStallGrace = std::chrono::seconds(1);

}  // namespace

SdlAudio::~SdlAudio() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    if (subsystemStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudio::HasWaveOutput() { return OpenDevice(); }

bool SdlAudio::OpenDevice() {
    if (device_ != 0) return true;
    if (!subsystemStarted_) {
        // SDL would otherwise turn SIGINT and SIGTERM into events nobody reads, and the game could
        // no longer be ended from outside (a desktop logging out, a terminal's Ctrl+C).
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        subsystemStarted_ = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kFrequency;
    wanted.format = kFormat;
    wanted.channels = kChannels;
    wanted.samples = kBufferFrames;
    wanted.callback = &SdlAudio::Feed;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts our fixed format to whatever the hardware wants.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) return false;
    frameBytes_ = kChannels * static_cast<int>(SDL_AUDIO_BITSIZE(kFormat) / 8);
    bytesPerSecond_ = kFrequency * frameBytes_;
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

// Nothing in a file is trusted: its sizes are checked before the library reads it, the decoded
// sound again before conversion, and every size on the way is worked out without overflow. A
// failed allocation is one more reason to play nothing.
bool SdlAudio::Load(const std::string& hostPath, std::vector<std::uint8_t>& samples) const {
    const auto file = ReadWholeFile(hostPath, MaxWaveFileBytes);
    if (!file || !ReadWaveFacts(*file)) return false;
    SDL_RWops* source = SDL_RWFromConstMem(file->data(), static_cast<int>(file->size()));
    if (source == nullptr) return false;
    SDL_AudioSpec fileFormat{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(source, 1, &fileFormat, &buffer, &length) == nullptr) return false;

    bool converted = false;
    const int frameBytesIn =
        static_cast<int>(SDL_AUDIO_BITSIZE(fileFormat.format) / 8) * fileFormat.channels;
    SDL_AudioCVT cvt{};
    if (frameBytesIn > 0 &&
        IsPlayableSoundShape(fileFormat.channels, fileFormat.freq,
                             length / static_cast<Uint32>(frameBytesIn)) &&
        SDL_BuildAudioCVT(&cvt, fileFormat.format, fileFormat.channels, fileFormat.freq, kFormat,
                          kChannels, kFrequency) >= 0) {
        // The work buffer holds len_mult times the input; the result is len_ratio times it. The
        // record is packed, so its fields are copied before use.
        const int lengthMultiple = cvt.len_mult;
        const double lengthRatio = cvt.len_ratio;
        const std::uint64_t work =
            std::uint64_t{length} * static_cast<std::uint64_t>(std::max(lengthMultiple, 1));
        const double result = static_cast<double>(length) * (lengthRatio > 0 ? lengthRatio : 1.0);
        if (work <= static_cast<std::uint64_t>(std::numeric_limits<int>::max()) &&
            result <= static_cast<double>(MaxConvertedSoundBytes)) {
            try {
                samples.assign(static_cast<std::size_t>(work), 0);
                std::memcpy(samples.data(), buffer, length);
                cvt.len = static_cast<int>(length);
                cvt.buf = samples.data();
                converted = cvt.needed == 0 || SDL_ConvertAudio(&cvt) == 0;
                const std::size_t kept =
                    cvt.needed != 0 ? static_cast<std::size_t>(cvt.len_cvt) : length;
                samples.resize(std::min(kept, samples.size()));
                samples.resize(samples.size() -
                               samples.size() % static_cast<std::size_t>(frameBytes_));
                samples.shrink_to_fit();
            } catch (const std::bad_alloc&) {
                samples.clear();
                converted = false;
            }
        }
    }
    SDL_FreeWAV(buffer);
    return converted && samples.size() <= MaxConvertedSoundBytes;
}

PlayResult SdlAudio::Play(const std::string& hostPath, std::uint32_t flags) {
    if (!OpenDevice()) return PlayResult::Unplayable;
    std::vector<std::uint8_t> samples;
    if (!Load(hostPath, samples)) return PlayResult::Unplayable;
    const auto length = std::chrono::microseconds(static_cast<std::int64_t>(samples.size()) *
                                                  1'000'000 / bytesPerSecond_);

    std::unique_lock lock(mutex_);
    const Clock::time_point now = Clock::now();
    if ((flags & SND_NOSTOP) != 0 && PlayingLocked(now)) return PlayResult::Refused;
    samples_ = std::move(samples);
    position_ = 0;
    endsAt_ = now + length;
    if ((flags & SND_ASYNC) == 0) WaitLocked(lock, std::numeric_limits<std::int64_t>::max());
    return PlayResult::Accepted;
}

void SdlAudio::WaitWhileSoundPlays(std::int64_t untilSecond) {
    std::unique_lock lock(mutex_);
    WaitLocked(lock, untilSecond);
}

bool SdlAudio::PlayingLocked(Clock::time_point now) const {
    if (now < endsAt_) return true;
    return position_ < samples_.size() && now < endsAt_ + kStallGrace;
}

void SdlAudio::WaitLocked(std::unique_lock<std::mutex>& lock, std::int64_t untilSecond) {
    const bool watchClock = untilSecond != std::numeric_limits<std::int64_t>::max();
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (!PlayingLocked(now)) return;
        if (watchClock && static_cast<std::int64_t>(std::time(nullptr)) >= untilSecond) return;
        // The program's quit watch may look at the desktop's events; SDL's thread must not wait on
        // the lock meanwhile.
        lock.unlock();
        const bool quit = QuitRequested();
        lock.lock();
        if (quit) {
            samples_.clear();
            position_ = 0;
            endsAt_ = Clock::time_point{};
            return;
        }
        // The device signals when it takes the last samples; after that nothing will signal, so
        // sleep to the sound's end, looking up now and then for the clock and a quit request.
        Clock::time_point wake = position_ < samples_.size() ? endsAt_ + kStallGrace : endsAt_;
        wake = std::min(wake, now + kWatchStep);
        drained_.wait_until(lock, wake);
    }
}

void SdlAudio::Feed(void* self, std::uint8_t* stream, int length) {
    auto& audio = *static_cast<SdlAudio*>(self);
    const auto wanted = static_cast<std::size_t>(length);
    std::lock_guard lock(audio.mutex_);
    const std::size_t left = audio.samples_.size() - audio.position_;
    const std::size_t taken = std::min(left, wanted);
    if (taken > 0) {
        std::memcpy(stream, audio.samples_.data() + audio.position_, taken);
        audio.position_ += taken;
    }
    // Signed 16-bit silence is all zero bytes.
    std::memset(stream + taken, 0, wanted - taken);
    if (taken > 0 && audio.position_ == audio.samples_.size()) {
        // Played out: the converted samples (the siren's are over a megabyte) are not kept
        // until the next sound.
        std::vector<std::uint8_t>().swap(audio.samples_);
        audio.position_ = 0;
        audio.drained_.notify_all();
    }
}

}  // namespace platform

// platform/waveout/waveout_audio.cpp: one sound at a time on the wave mapper, which converts the
// file's format to whatever the hardware wants.
// clang-format off
// The game's headers come before the system's, whose macros (CreateFile, PostMessage,
// GENERIC_READ) would otherwise rename what they declare; the system's in the order they
// need each other.
#include "platform/waveout/waveout_audio.h"
#include "platform/files.h"
#include "platform/quit_request.h"
#include "platform/wave_format.h"

#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include <ctime>
#include <limits>
#include <new>
#include <vector>

namespace platform {

namespace {

constexpr int kPcm = 1;
constexpr int kFloat = 3;
// A wait for the end of a sound looks at the calendar clock and for a quit request this often; the
// device's event wakes the waiter at once when the sound ends.
constexpr DWORD kWatchStepMilliseconds = 50;
// A device that stops taking samples must not hold a sound open for ever: it counts as ended this
// long after its length has passed.
constexpr auto kStallGrace = std::chrono::seconds(1);

}  // namespace

struct WaveOutAudio::Playing {
    HWAVEOUT device = nullptr;
    WAVEHDR header{};
    std::vector<std::uint8_t> samples;
    Clock::time_point endsAt{};
};

WaveOutAudio::WaveOutAudio() : done_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

WaveOutAudio::~WaveOutAudio() {
    Stop();
    if (done_ != nullptr) ::CloseHandle(done_);
}

bool WaveOutAudio::HasWaveOutput() { return ::waveOutGetNumDevs() > 0; }

PlayResult WaveOutAudio::Play(const std::string& hostPath, std::uint32_t flags) {
    if (done_ == nullptr || !HasWaveOutput()) return PlayResult::Unplayable;
    const auto file = ReadWholeFile(hostPath, MaxWaveFileBytes);
    if (!file) return PlayResult::Unplayable;
    const auto facts = ReadWaveFacts(*file);
    if (!facts || (facts->formatTag != kPcm && facts->formatTag != kFloat) ||
        facts->dataBytes > MaxConvertedSoundBytes || facts->dataBytes == 0) {
        return PlayResult::Unplayable;
    }
    if ((flags & SND_NOSTOP) != 0 && PlayingNow()) return PlayResult::Refused;
    Stop();

    std::unique_ptr<Playing> next(new (std::nothrow) Playing);
    if (next == nullptr) return PlayResult::Unplayable;
    try {
        const auto* data = file->data() + facts->dataOffset;
        next->samples.assign(data, data + facts->dataBytes);
    } catch (const std::bad_alloc&) {
        return PlayResult::Unplayable;
    }
    WAVEFORMATEX format{};
    format.wFormatTag = static_cast<WORD>(facts->formatTag == kPcm ? WAVE_FORMAT_PCM : 3);
    format.nChannels = static_cast<WORD>(facts->channels);
    format.nSamplesPerSec = static_cast<DWORD>(facts->rate);
    format.wBitsPerSample = static_cast<WORD>(facts->bitsPerSample);
    format.nBlockAlign = static_cast<WORD>(facts->channels * facts->bitsPerSample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    // The samples handed over are whole frames.
    next->samples.resize(next->samples.size() - next->samples.size() % format.nBlockAlign);

    if (::waveOutOpen(&next->device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done_), 0,
                      CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        return PlayResult::Unplayable;
    }
    // The event was set by the opening; from now on it tells the end of the sound.
    ::ResetEvent(done_);
    next->header.lpData = reinterpret_cast<LPSTR>(next->samples.data());
    next->header.dwBufferLength = static_cast<DWORD>(next->samples.size());
    if (::waveOutPrepareHeader(next->device, &next->header, sizeof next->header) !=
        MMSYSERR_NOERROR) {
        ::waveOutClose(next->device);
        return PlayResult::Unplayable;
    }
    if (::waveOutWrite(next->device, &next->header, sizeof next->header) != MMSYSERR_NOERROR) {
        ::waveOutUnprepareHeader(next->device, &next->header, sizeof next->header);
        ::waveOutClose(next->device);
        return PlayResult::Unplayable;
    }
    next->endsAt = Clock::now() + std::chrono::microseconds(
                                      static_cast<std::int64_t>(facts->seconds * 1'000'000.0));
    playing_ = std::move(next);
    if ((flags & SND_ASYNC) == 0) WaitWhileSoundPlays(std::numeric_limits<std::int64_t>::max());
    return PlayResult::Accepted;
}

bool WaveOutAudio::PlayingNow() const {
    if (playing_ == nullptr) return false;
    if ((playing_->header.dwFlags & WHDR_DONE) != 0) return false;
    return Clock::now() < playing_->endsAt + kStallGrace;
}

void WaveOutAudio::WaitWhileSoundPlays(std::int64_t untilSecond) {
    const bool watchClock = untilSecond != std::numeric_limits<std::int64_t>::max();
    for (;;) {
        if (!PlayingNow()) {
            // Played out: the device and the samples (the siren's are over a megabyte) go.
            Stop();
            return;
        }
        if (watchClock && static_cast<std::int64_t>(std::time(nullptr)) >= untilSecond) return;
        if (QuitRequested()) {
            Stop();
            return;
        }
        ::WaitForSingleObject(done_, kWatchStepMilliseconds);
    }
}

void WaveOutAudio::Stop() {
    if (playing_ == nullptr) return;
    ::waveOutReset(playing_->device);
    ::waveOutUnprepareHeader(playing_->device, &playing_->header, sizeof playing_->header);
    ::waveOutClose(playing_->device);
    playing_.reset();
}

}  // namespace platform

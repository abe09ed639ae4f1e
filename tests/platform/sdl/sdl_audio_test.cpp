// Tests of the real audio device on SDL's dummy driver, which plays in real time to nowhere: the
// three play behaviours, unplayable files, and detection without a driver.
#include "platform/sdl/sdl_audio.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/quit_request.h"
#include "platform/sound.h"
#include "platform/test/test_host.h"
#include "tests/support/wave_header.h"

namespace {

using namespace platform;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

using testing_support::PutLittleEndian;
using testing_support::WaveHeader;
using testing_support::WriteWaveHeader;

// A 16-bit mono PCM WAV file holding a quiet tone of the given length.
void WriteTone(const fs::path& path, int milliseconds, int rate = 22050) {
    const std::uint32_t frames = static_cast<std::uint32_t>(rate) * milliseconds / 1000;
    std::ofstream out(path, std::ios::binary);
    WriteWaveHeader(out, {.rate = static_cast<std::uint32_t>(rate), .dataBytes = frames * 2});
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double wave = std::sin(2.0 * 3.14159265358979 * 440.0 * i / rate);
        PutLittleEndian(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(wave * 2000)), 2);
    }
}

class SdlAudioTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        folder = fs::temp_directory_path() /
                 ("tidewrack_sdl_audio_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string Tone(const char* name, int milliseconds) {
        const fs::path path = folder / name;
        WriteTone(path, milliseconds);
        return path.string();
    }

    fs::path folder;
};

TEST_F(SdlAudioTest, SynchronousPlayReturnsOnlyAfterTheSoundsLength) {
    SdlAudio audio;
    ASSERT_TRUE(audio.HasWaveOutput());
    const std::string tone = Tone("tone.wav", 400);

    const auto started = Clock::now();
    EXPECT_EQ(audio.Play(tone, SND_SYNC | SND_NOSTOP), PlayResult::Accepted);
    const auto took = Clock::now() - started;
    EXPECT_GE(took, std::chrono::milliseconds(400));
    EXPECT_LT(took, std::chrono::seconds(5));  // it ended, rather than hanging on
    // Nothing plays any more: the next no-stop play is taken at once.
    EXPECT_EQ(audio.Play(tone, SND_ASYNC | SND_NOSTOP), PlayResult::Accepted);
}

TEST_F(SdlAudioTest, NoStopPlayIsRefusedWhileASoundPlaysAndTakenAfterIt) {
    SdlAudio audio;
    ASSERT_TRUE(audio.HasWaveOutput());
    const std::string longTone = Tone("long.wav", 600);
    const std::string shortTone = Tone("short.wav", 100);

    const auto started = Clock::now();
    ASSERT_EQ(audio.Play(longTone, SND_ASYNC | SND_NOSTOP), PlayResult::Accepted);
    EXPECT_EQ(audio.Play(shortTone, SND_ASYNC | SND_NOSTOP), PlayResult::Refused);
    EXPECT_EQ(audio.Play(shortTone, SND_SYNC | SND_NOSTOP), PlayResult::Refused);

    // A deadline already past does not wait; the long sound still plays.
    audio.WaitWhileSoundPlays(0);
    EXPECT_EQ(audio.Play(shortTone, SND_ASYNC | SND_NOSTOP), PlayResult::Refused);

    audio.WaitWhileSoundPlays(static_cast<std::int64_t>(std::time(nullptr)) + 60);
    EXPECT_GE(Clock::now() - started, std::chrono::milliseconds(600));
    EXPECT_EQ(audio.Play(shortTone, SND_ASYNC | SND_NOSTOP), PlayResult::Accepted);
    // Without no-stop a play cuts the playing sound off instead of being refused.
    EXPECT_EQ(audio.Play(longTone, SND_ASYNC), PlayResult::Accepted);
}

TEST_F(SdlAudioTest, FilesThatCannotBePlayedAreReportedSo) {
    SdlAudio audio;
    ASSERT_TRUE(audio.HasWaveOutput());
    std::ofstream(folder / "garbage.wav") << "RIFF but not a wave at all";
    std::ofstream(folder / "empty.wav");
    // A pipe would block the file's open for ever; a device gives bytes for ever.
    ASSERT_EQ(::mkfifo((folder / "pipe.wav").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder / "zero.wav");
    // Valid waves with absurd headers: conversion of 1 Hz to the device's rate would ask for tens
    // of gigabytes, and a declared gigabyte of samples would be a 94-minute synchronous sound.
    WriteTone(folder / "slow.wav", 200'000'000, 1);  // 200,000 samples
    WriteTone(folder / "huge.wav", 100);
    {
        std::fstream huge(folder / "huge.wav", std::ios::in | std::ios::out | std::ios::binary);
        huge.seekp(40);
        PutLittleEndian(huge, 1u << 30, 4);
    }
    for (const char* name : {"missing.wav", "garbage.wav", "empty.wav", "pipe.wav", "zero.wav",
                             "slow.wav", "huge.wav"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(audio.Play((folder / name).string(), SND_SYNC | SND_NOSTOP),
                  PlayResult::Unplayable);
    }
}

TEST_F(SdlAudioTest, ThirtySecondsOfTheRichestFormatStillPlay) {
    SdlAudio audio;
    ASSERT_TRUE(audio.HasWaveOutput());
    // 32-bit float stereo at 192 kHz: 46 MB in the file, under 16 MB at the device's rate.
    constexpr std::uint32_t rate = 192000;
    constexpr std::uint32_t dataBytes = rate * 8 * 30;
    const fs::path path = folder / "rich.wav";
    {
        std::ofstream out(path, std::ios::binary);
        WriteWaveHeader(
            out, {.format = 3, .channels = 2, .rate = rate, .bits = 32, .dataBytes = dataBytes});
    }
    fs::resize_file(path, 44 + dataBytes);  // silence, and sparse
    EXPECT_EQ(audio.Play(path.string(), SND_ASYNC), PlayResult::Accepted);
}

TEST_F(SdlAudioTest, AQuitRequestEndsASynchronousSoundAndSilencesTheRest) {
    TestHost host;
    SetHost(&host);
    ResetQuitRequest();
    SdlAudio audio;
    ASSERT_TRUE(audio.HasWaveOutput());
    SetAudioDevice(&audio);
    const std::string tone = Tone("long.wav", 20000);
    // Waiting in the queue, as a File > Exit handled while the game pumps messages leaves it.
    PostQuitMessage(0);

    const auto started = Clock::now();
    EXPECT_TRUE(sndPlaySound(tone.c_str(), SND_SYNC | SND_NOSTOP));
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(10)) << "the 20 s sound was cut off";
    EXPECT_TRUE(QuitSeen());
    // Nothing plays now, and nothing more is started: a later play returns at once as played.
    EXPECT_EQ(audio.Play(Tone("short.wav", 100), SND_ASYNC | SND_NOSTOP), PlayResult::Accepted);
    const auto again = Clock::now();
    EXPECT_TRUE(sndPlaySound(tone.c_str(), SND_SYNC | SND_NOSTOP));
    EXPECT_LT(Clock::now() - again, std::chrono::seconds(1));

    SetAudioDevice(nullptr);
    ResetMessageQueue();
    ResetQuitRequest();
    SetHost(nullptr);
}

TEST_F(SdlAudioTest, NoWaveOutputWithoutAWorkingDriver) {
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    SdlAudio audio;
    EXPECT_FALSE(audio.HasWaveOutput());
    EXPECT_EQ(audio.Play(Tone("tone.wav", 100), SND_SYNC), PlayResult::Unplayable);
}

}  // namespace

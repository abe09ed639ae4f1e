// Tests of the one rule for every sound: the SoundOn switch, the order of the game's sounds, and
// the retry that waits for a playing sound until the 10-second deadline, on the fake device.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sound.h"
#include "platform/test/fake_audio.h"
#include "platform/test/test_host.h"
#include "sound/sound_effects.h"

namespace {

using platform::FakeAudio;
using platform::PlayResult;
using platform::SND_ASYNC;
using platform::SND_NOSTOP;
using platform::SND_SYNC;

constexpr std::uint32_t kBackground = SND_ASYNC | SND_NOSTOP;  // 0x11
constexpr std::uint32_t kToTheEnd = SND_SYNC | SND_NOSTOP;     // 0x10

// The test host, counting every reading of its clocks.
class CountingHost : public platform::TestHost {
  public:
    std::int64_t CalendarSeconds() override {
        ++clockReads;
        return TestHost::CalendarSeconds();
    }
    std::uint64_t TickMilliseconds() override {
        ++clockReads;
        return TestHost::TickMilliseconds();
    }
    int clockReads = 0;
};

class PlaySoundEffectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetHost(&host);
        platform::SetAudioDevice(&audio);
        sound::SoundOn = 1;
        audio.SetDuration("drop.wav", 700);
        audio.SetDuration("miss.wav", 400);
        audio.SetDuration("hit.wav", 900);
        audio.SetDuration("Sink.wav", 1200);
        audio.SetDuration("win.wav", 2000);
    }
    void TearDown() override {
        platform::SetAudioDevice(nullptr);
        platform::SetHost(nullptr);
    }
    std::uint64_t Now() { return host.Clock().NowMilliseconds(); }
    // A sound far longer than the deadline, playing in the background from now on.
    void StartLongSound() {
        audio.SetDuration("siren.wav", 60'000);
        sound::PlaySoundEffect("Sounds\\siren.wav", kBackground);
    }

    CountingHost host;
    FakeAudio audio{host.Clock()};
};

TEST_F(PlaySoundEffectTest, SoundNotExactlyOneMakesNoCallAndReadsNoClock) {
    for (std::uint8_t off : {0, 2, 255}) {
        sound::SoundOn = off;
        sound::PlaySoundEffect("Sounds\\drop.wav", kToTheEnd);
        sound::PlaySoundEffect("Sounds\\hit.wav", kBackground);
    }
    EXPECT_TRUE(audio.Calls().empty());
    EXPECT_EQ(host.clockReads, 0);
    EXPECT_EQ(Now(), 0u);
}

TEST_F(PlaySoundEffectTest, DropPlaysToItsEndBeforeTheResultSound) {
    host.Clock().Advance(250);
    sound::PlaySoundEffect("Sounds\\drop.wav", kToTheEnd);
    EXPECT_EQ(Now(), 950u);  // the synchronous play returned only at drop's end
    sound::PlaySoundEffect("Sounds\\miss.wav", kBackground);
    EXPECT_EQ(Now(), 950u);  // the background play returned at once

    ASSERT_EQ(audio.Sounds().size(), 2u);
    EXPECT_EQ(audio.Sounds()[0].endMilliseconds, 950u);
    EXPECT_EQ(audio.Sounds()[1].file, "miss.wav");
    EXPECT_EQ(audio.Sounds()[1].startMilliseconds, 950u);
    for (const auto& call : audio.Calls()) EXPECT_EQ(call.result, PlayResult::Accepted);
}

TEST_F(PlaySoundEffectTest, HitThatSinksStartsSinkOnlyWhenHitHasEnded) {
    sound::PlaySoundEffect("Sounds\\drop.wav", kToTheEnd);
    sound::PlaySoundEffect("Sounds\\hit.wav", kBackground);
    sound::PlaySoundEffect("Sounds\\Sink.wav", kBackground);

    EXPECT_EQ(audio.SoundFiles(), (std::vector<std::string>{"drop.wav", "hit.wav", "Sink.wav"}));
    const auto& sounds = audio.Sounds();
    ASSERT_EQ(sounds.size(), 3u);
    EXPECT_EQ(sounds[1].startMilliseconds, 700u);
    EXPECT_EQ(sounds[1].endMilliseconds, 1600u);  // hit was not cut off
    EXPECT_EQ(sounds[2].startMilliseconds, 1600u);
    EXPECT_EQ(Now(), 1600u);

    // Sink was refused while hit played, then taken at hit's end: no run of refused calls.
    ASSERT_EQ(audio.Calls().size(), 4u);
    EXPECT_EQ(audio.Calls()[2].file, "Sink.wav");
    EXPECT_EQ(audio.Calls()[2].flags, kBackground);
    EXPECT_EQ(audio.Calls()[2].result, PlayResult::Refused);
    EXPECT_EQ(audio.Calls()[3].result, PlayResult::Accepted);
}

TEST_F(PlaySoundEffectTest, WaitingSoundStartsWhenThePlayingOneEndsOrIsDropped) {
    struct Case {
        std::uint64_t askedAt;    // virtual milliseconds; the calendar second starts every 1000
        std::uint64_t remaining;  // of the sound already playing when the new one is asked for
        bool starts;              // otherwise dropped when the deadline second begins
        std::uint64_t returnsAt;
    };
    const Case cases[] = {
        {0, 300, true, 300},
        {400, 9'500, true, 9'900},       // 9.5 s of waiting, still inside the deadline second
        {999, 9'000, true, 9'999},       // the last millisecond before the deadline
        {0, 10'000, false, 10'000},      // ends just as the deadline second begins: too late
        {0, 60'000, false, 10'000},      // asked at the start of a second: dropped after 10 s
        {999, 60'000, false, 10'000},    // asked at its end: dropped after 9.001 s
        {3'500, 60'000, false, 13'000},  // midway: after 9.5 s
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "asked at " << c.askedAt << ", remaining " << c.remaining);
        CountingHost caseHost;
        FakeAudio caseAudio(caseHost.Clock());
        platform::SetHost(&caseHost);
        platform::SetAudioDevice(&caseAudio);
        platform::VirtualClock& clock = caseHost.Clock();

        caseAudio.SetDuration("hit.wav", c.remaining);
        clock.AdvanceTo(c.askedAt);
        sound::PlaySoundEffect("Sounds\\hit.wav", kBackground);
        sound::PlaySoundEffect("Sounds\\Sink.wav", kBackground);

        EXPECT_EQ(clock.NowMilliseconds(), c.returnsAt);
        const auto& sounds = caseAudio.Sounds();
        ASSERT_EQ(sounds.size(), c.starts ? 2u : 1u);
        EXPECT_EQ(sounds[0].endMilliseconds, c.askedAt + c.remaining);  // never cut off
        if (c.starts) {
            EXPECT_EQ(sounds[1].startMilliseconds, c.askedAt + c.remaining);
        }
        // One refusal, one wait, at most one more try: the wait is not spent calling.
        EXPECT_LE(caseAudio.Calls().size(), 3u);
    }
    platform::SetHost(&host);
    platform::SetAudioDevice(&audio);
}

TEST_F(PlaySoundEffectTest, SynchronousSoundWaitsForTheBackgroundOneThenPlaysToItsEnd) {
    sound::PlaySoundEffect("Sounds\\hit.wav", kBackground);
    sound::PlaySoundEffect("Sounds\\win.wav", kToTheEnd);
    EXPECT_EQ(audio.SoundFiles(), (std::vector<std::string>{"hit.wav", "win.wav"}));
    EXPECT_EQ(audio.Sounds()[1].startMilliseconds, 900u);
    EXPECT_EQ(Now(), 2900u);
}

TEST_F(PlaySoundEffectTest, FileThatCannotBePlayedNeverBlocks) {
    audio.SetUnplayable("hit.wav");
    StartLongSound();
    sound::PlaySoundEffect("Sounds\\hit.wav", kBackground);
    sound::PlaySoundEffect("Sounds\\hit.wav", kToTheEnd);
    EXPECT_EQ(Now(), 0u);
    EXPECT_EQ(audio.SoundFiles(), (std::vector<std::string>{"siren.wav"}));
    EXPECT_EQ(audio.Waits(), 0);
}

TEST_F(PlaySoundEffectTest, NoAudioDeviceNeverBlocks) {
    platform::SetAudioDevice(nullptr);
    sound::PlaySoundEffect("Sounds\\drop.wav", kToTheEnd);
    sound::PlaySoundEffect("Sounds\\Sink.wav", kBackground);
    EXPECT_EQ(Now(), 0u);
}

TEST_F(PlaySoundEffectTest, GamePathsReachTheDeviceWithTheirExactNames) {
    sound::PlaySoundEffect("Sounds\\Sink.wav", kBackground);
    ASSERT_EQ(audio.Calls().size(), 1u);
    EXPECT_EQ(audio.Calls()[0].file, "Sink.wav");
    EXPECT_EQ(audio.Calls()[0].flags, 0x11u);
}

}  // namespace

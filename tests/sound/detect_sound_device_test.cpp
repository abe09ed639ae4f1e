// Tests of the start-up search for a wave output and of the media-control calls it makes.
#include <gtest/gtest.h>

#include <memory>

#include "platform/sound.h"
#include "platform/test/fake_audio.h"
#include "platform/test/test_host.h"
#include "sound/sound_effects.h"

namespace {

using namespace platform;

class DetectSoundDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override { SetHost(&host); }
    void TearDown() override {
        SetAudioDevice(nullptr);
        SetHost(nullptr);
    }

    TestHost host;
    FakeAudio audio{host.Clock()};
};

TEST_F(DetectSoundDeviceTest, WaveOutputIsFoundWithoutAMessage) {
    SetAudioDevice(&audio);
    EXPECT_TRUE(sound::DetectSoundDevice());
    EXPECT_TRUE(host.MessageBoxes().empty());
    // The media device was closed again: a second search opens it afresh and finds it too.
    EXPECT_TRUE(sound::DetectSoundDevice());
    EXPECT_EQ(audio.WaveOutputQueries(), 2);
}

TEST_F(DetectSoundDeviceTest, NoWaveOutputIsReportedOnceAndDetectionFails) {
    struct Case {
        const char* name;
        bool deviceInstalled;
    };
    for (const Case& c : {Case{"device without output", true}, Case{"no device at all", false}}) {
        SCOPED_TRACE(c.name);
        TestHost caseHost;
        SetHost(&caseHost);
        audio.SetWaveOutput(false);
        SetAudioDevice(c.deviceInstalled ? &audio : nullptr);

        EXPECT_FALSE(sound::DetectSoundDevice());
        ASSERT_EQ(caseHost.MessageBoxes().size(), 1u);
        EXPECT_EQ(caseHost.MessageBoxes()[0].text, "No Sound Device Was Detected.");
        EXPECT_EQ(caseHost.MessageBoxes()[0].caption, "No Sound");
    }
    SetHost(&host);
}

TEST(MediaControlTest, OnlyAnOpenWaveAudioDeviceAnswers) {
    TestHost host;
    FakeAudio audio(host.Clock());
    SetAudioDevice(&audio);

    MCI_OPEN_PARMS other;
    other.deviceType = "sequencer";
    EXPECT_NE(mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE, &other), 0u);

    MCI_OPEN_PARMS open;
    open.deviceType = "WaveAudio";
    ASSERT_EQ(mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE, &open), 0u);
    EXPECT_NE(open.deviceId, 0u);

    MCI_GETDEVCAPS_PARMS caps;
    caps.item = MCI_WAVE_GETDEVCAPS_OUTPUTS;
    EXPECT_EQ(mciSendCommand(open.deviceId, MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM, &caps), 0u);
    EXPECT_EQ(caps.returned, 1u);

    EXPECT_EQ(mciSendCommand(open.deviceId, MCI_CLOSE, MCI_WAIT, nullptr), 0u);
    EXPECT_NE(mciSendCommand(open.deviceId, MCI_CLOSE, MCI_WAIT, nullptr), 0u);
    caps.returned = 7;
    EXPECT_NE(mciSendCommand(open.deviceId, MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM, &caps), 0u);
    EXPECT_EQ(caps.returned, 7u);  // a failed query leaves the answer alone
    SetAudioDevice(nullptr);
}

}  // namespace

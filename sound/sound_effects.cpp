// sound/sound_effects.cpp: sound device detection and the retry rule shared by every sound of the
// game.
#include "sound/sound_effects.h"

#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/sound.h"

namespace sound {

std::uint8_t SoundOn = 1;

bool DetectSoundDevice() {
    bool present = false;
    platform::MCI_OPEN_PARMS open;
    open.deviceType = "waveaudio";
    if (platform::mciSendCommand(0, platform::MCI_OPEN, platform::MCI_OPEN_TYPE, &open) == 0) {
        platform::MCI_GETDEVCAPS_PARMS caps;
        caps.returned = 0;  // a failed query leaves it, and counts as no output
        caps.item = platform::MCI_WAVE_GETDEVCAPS_OUTPUTS;
        platform::mciSendCommand(open.deviceId, platform::MCI_GETDEVCAPS,
                                 platform::MCI_GETDEVCAPS_ITEM, &caps);
        present = caps.returned != 0;
        platform::mciSendCommand(open.deviceId, platform::MCI_CLOSE, platform::MCI_WAIT, nullptr);
    }
    if (!present) {
        platform::MessageBox(nullptr, "No Sound Device Was Detected.", "No Sound", platform::MB_OK);
    }
    return present;
}

void PlaySoundEffect(const char* file, std::uint32_t flags) {
    if (SoundOn != 1) return;
    const std::int64_t deadline = platform::time() + 10;
    if (platform::sndPlaySound(file, flags)) return;
    // A refused play is tried again until the deadline. Between tries the thread sleeps on the
    // audio device until the playing sound ends (or the deadline second comes), rather than asking
    // again and again: the same sounds start at the same moments, and no CPU is burnt meanwhile.
    for (;;) {
        platform::WaitWhileSoundPlays(deadline);
        if (platform::time() >= deadline) return;
        if (platform::sndPlaySound(file, flags)) return;
    }
}

}  // namespace sound

// platform/sound.h: wave sounds and the media-control query for a wave output, under the names
// the game's code uses, over an audio device that the host installs (SdlAudio, or FakeAudio in
// tests).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Flags of sndPlaySound.
constexpr std::uint32_t SND_SYNC = 0x0000;    // return only when the sound has played to its end
constexpr std::uint32_t SND_ASYNC = 0x0001;   // start the sound and return at once
constexpr std::uint32_t SND_NOSTOP = 0x0010;  // refuse, rather than cut off a playing sound

enum class PlayResult {
    Accepted,    // the sound started (and, without SND_ASYNC, has played to its end)
    Refused,     // SND_NOSTOP while another sound plays; the playing sound goes on untouched
    Unplayable,  // the file is missing, unreadable or not a wave the device can play
};

// A host's audio facility. One sound plays at a time. Calls come from the program's one thread.
class AudioDevice {
  public:
    virtual ~AudioDevice() = default;

    // True when at least one wave output exists (a playback device can be opened).
    virtual bool HasWaveOutput() = 0;

    // Plays the WAV file at hostPath with sndPlaySound's flags. Without SND_NOSTOP a playing sound
    // is cut off and replaced. An unplayable file leaves the playing sound alone.
    virtual PlayResult Play(const std::string& hostPath, std::uint32_t flags) = 0;

    // Blocks, using no CPU, until no sound plays or the calendar time in whole seconds (the clock
    // of time()) reaches untilSecond, whichever comes first. Returns at once when nothing plays.
    virtual void WaitWhileSoundPlays(std::int64_t untilSecond) = 0;
};

// The device in use; set once at start-up by the host, or null for none. Not owned.
void SetAudioDevice(AudioDevice* device);

// Plays the WAV file at a game path ("Sounds\hit.wav"). True when the sound was started (and,
// without SND_ASYNC, has ended); false when SND_NOSTOP refused it. A file that cannot be played,
// or a program without an audio device, counts as a sound played at once in silence, so that a
// caller who retries while the call fails never waits on a file that will not play.
bool sndPlaySound(const char* gamePath, std::uint32_t flags);

// Blocks until the playing sound ends or the calendar second untilSecond is reached; returns at
// once when nothing plays. A caller that retries a refused play waits here between tries.
void WaitWhileSoundPlays(std::int64_t untilSecond);

// The media control interface, as far as the game asks it: open the "waveaudio" device, ask its
// number of wave outputs, close it. Results are 0 on success, an MCIERR_ value otherwise.
using MCIDEVICEID = std::uint32_t;
using MCIERROR = std::uint32_t;

constexpr std::uint32_t MCI_OPEN = 0x0803;
constexpr std::uint32_t MCI_CLOSE = 0x0804;
constexpr std::uint32_t MCI_GETDEVCAPS = 0x080B;

constexpr std::uint32_t MCI_WAIT = 0x00000002;
constexpr std::uint32_t MCI_OPEN_TYPE = 0x00002000;
constexpr std::uint32_t MCI_GETDEVCAPS_ITEM = 0x00000100;
constexpr std::uint32_t MCI_WAVE_GETDEVCAPS_OUTPUTS = 0x00004002;

constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = 257;
constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = 261;
constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = 263;
constexpr MCIERROR MCIERR_DEVICE_NOT_INSTALLED = 306;
constexpr MCIERROR MCIERR_MISSING_PARAMETER = 273;
constexpr MCIERROR MCIERR_UNSUPPORTED_FUNCTION = 274;

struct MCI_OPEN_PARMS {
    MCIDEVICEID deviceId = 0;  // written by a successful open
    std::string deviceType;    // "waveaudio" is the one type there is
    std::string elementName;
    std::string alias;
};

struct MCI_GETDEVCAPS_PARMS {
    std::uint32_t returned = 0;  // the answer; left as it was when the query fails
    std::uint32_t item = 0;
};

// MCI_OPEN with MCI_OPEN_TYPE: opens the wave audio device when the host has an audio facility.
MCIERROR mciSendCommand(MCIDEVICEID device, std::uint32_t command, std::uint32_t flags,
                        MCI_OPEN_PARMS* parms);
// MCI_GETDEVCAPS with MCI_GETDEVCAPS_ITEM and MCI_WAVE_GETDEVCAPS_OUTPUTS on an open device.
MCIERROR mciSendCommand(MCIDEVICEID device, std::uint32_t command, std::uint32_t flags,
                        MCI_GETDEVCAPS_PARMS* parms);
// MCI_CLOSE on an open device; it takes no record.
MCIERROR mciSendCommand(MCIDEVICEID device, std::uint32_t command, std::uint32_t flags,
                        std::nullptr_t parms);

}  // namespace platform

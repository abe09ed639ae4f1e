// platform/sound.cpp: sndPlaySound and the wave-output query, answered by the installed audio
// device.
#include "platform/sound.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "platform/files.h"
#include "platform/quit_request.h"

namespace platform {

namespace {

AudioDevice* audioDevice = nullptr;

// Ids of the media devices the program holds open; 0 is never an id.
std::set<MCIDEVICEID> openDevices;
MCIDEVICEID nextDeviceId = 1;

bool IsWaveAudioType(const std::string& type) {
    const std::string wanted = "waveaudio";
    return std::equal(type.begin(), type.end(), wanted.begin(), wanted.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

}  // namespace

void SetAudioDevice(AudioDevice* device) { audioDevice = device; }

bool sndPlaySound(const char* gamePath, std::uint32_t flags) {
    if (audioDevice == nullptr || gamePath == nullptr || QuitSeen()) return true;
    // An unplayable file is taken as played in silence (where the desktop the game was first
    // written for would play its default sound and report success): the game retries a failing play
    // for up to ten seconds, and a missing file must not stall every shot.
    return audioDevice->Play(HostPath(gamePath), flags) != PlayResult::Refused;
}

void WaitWhileSoundPlays(std::int64_t untilSecond) {
    if (audioDevice != nullptr) audioDevice->WaitWhileSoundPlays(untilSecond);
}

MCIERROR mciSendCommand(MCIDEVICEID device, std::uint32_t command, std::uint32_t flags,
                        MCI_OPEN_PARMS* parms) {
    if (command != MCI_OPEN || device != 0) return MCIERR_UNRECOGNIZED_COMMAND;
    if (parms == nullptr || (flags & MCI_OPEN_TYPE) == 0) return MCIERR_MISSING_PARAMETER;
    if (!IsWaveAudioType(parms->deviceType)) return MCIERR_INVALID_DEVICE_NAME;
    if (audioDevice == nullptr) return MCIERR_DEVICE_NOT_INSTALLED;
    parms->deviceId = nextDeviceId++;
    openDevices.insert(parms->deviceId);
    return 0;
}

MCIERROR mciSendCommand(MCIDEVICEID device, std::uint32_t command, std::uint32_t flags,
                        MCI_GETDEVCAPS_PARMS* parms) {
    if (command != MCI_GETDEVCAPS) return MCIERR_UNRECOGNIZED_COMMAND;
    if (openDevices.count(device) == 0) return MCIERR_INVALID_DEVICE_ID;
    if (parms == nullptr || (flags & MCI_GETDEVCAPS_ITEM) == 0) return MCIERR_MISSING_PARAMETER;
    if (parms->item != MCI_WAVE_GETDEVCAPS_OUTPUTS) return MCIERR_UNSUPPORTED_FUNCTION;
    if (audioDevice == nullptr) return MCIERR_DEVICE_NOT_INSTALLED;
    parms->returned = audioDevice->HasWaveOutput() ? 1 : 0;
    return 0;
}

MCIERROR mciSendCommand(MCIDEVICEID device, std::uint32_t command, std::uint32_t, std::nullptr_t) {
    if (command != MCI_CLOSE) return MCIERR_UNRECOGNIZED_COMMAND;
    if (openDevices.erase(device) == 0) return MCIERR_INVALID_DEVICE_ID;
    return 0;
}

}  // namespace platform

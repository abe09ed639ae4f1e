// shell/settings.cpp: settings.ini, one [Options] section: Opponent=Standard|Expert, Sound=On|Off.
#include "shell/settings.h"

#include <strings.h>

#include <string>

#include "opponent/level.h"
#include "platform/profile.h"

namespace shell {

namespace {

constexpr const char* Section = "Options";

std::string SettingsFile() { return platform::ConfigFilePath("settings.ini"); }

}  // namespace

int LoadSettings() {
    // Written by the game but perhaps edited by hand, so the case of a word does not matter.
    const std::string file = SettingsFile();
    char level[16];
    char sound[16];
    platform::GetPrivateProfileString(Section, "Opponent", "Standard", level, sizeof level, file);
    platform::GetPrivateProfileString(Section, "Sound", "", sound, sizeof sound, file);
    const bool levelKnown = strcasecmp(level, "Standard") == 0 || strcasecmp(level, "Expert") == 0;
    const bool soundKnown =
        sound[0] == '\0' || strcasecmp(sound, "On") == 0 || strcasecmp(sound, "Off") == 0;
    if (!levelKnown || !soundKnown) {
        platform::SetProfileAside(file, "holding a value the game does not know");
        opponent::Levels.ChosenLevel = opponent::Level::Standard;
        return -1;
    }
    opponent::Levels.ChosenLevel =
        strcasecmp(level, "Expert") == 0 ? opponent::Level::Expert : opponent::Level::Standard;
    if (sound[0] == '\0') return -1;
    return strcasecmp(sound, "On") == 0 ? 1 : 0;
}

void SaveOpponentLevel(opponent::Level level) {
    platform::WritePrivateProfileString(Section, "Opponent",
                                        level == opponent::Level::Expert ? "Expert" : "Standard",
                                        SettingsFile());
}

void SaveSoundSwitch(std::uint8_t on) {
    platform::WritePrivateProfileString(Section, "Sound", on ? "On" : "Off", SettingsFile());
}

}  // namespace shell

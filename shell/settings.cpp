// shell/settings.cpp: settings.ini, one [Options] section: Opponent=Standard|Expert, Sound=On|Off.
#include "shell/settings.h"

#include <strings.h>

#include <string>

#include "platform/profile.h"
#include "rules/game.h"
#include "shell/session.h"

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
        TheSession.chosenLevel = rules::Level::Standard;
        return -1;
    }
    TheSession.chosenLevel =
        strcasecmp(level, "Expert") == 0 ? rules::Level::Expert : rules::Level::Standard;
    if (sound[0] == '\0') return -1;
    return strcasecmp(sound, "On") == 0 ? 1 : 0;
}

void SaveOpponentLevel(rules::Level level) {
    platform::WritePrivateProfileString(
        Section, "Opponent", level == rules::Level::Expert ? "Expert" : "Standard", SettingsFile());
}

void SaveSoundSwitch(std::uint8_t on) {
    platform::WritePrivateProfileString(Section, "Sound", on ? "On" : "Off", SettingsFile());
}

}  // namespace shell

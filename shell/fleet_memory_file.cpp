// shell/fleet_memory_file.cpp: fleets.ini, one section [Fleets] with a key for each fleet, Fleet1
// the oldest.
#include "shell/fleet_memory_file.h"

#include <sstream>
#include <string>

#include "platform/profile.h"

namespace shell {

namespace {

constexpr const char* Section = "Fleets";

std::string MemoryFile() { return platform::DataFilePath("fleets.ini"); }

std::string FleetKey(int k) { return "Fleet" + std::to_string(k + 1); }

}  // namespace

opponent::FleetMemory ReadFleetMemoryFile() {
    const std::string file = MemoryFile();
    opponent::FleetMemory memory;
    if (file.empty()) return memory;
    std::string text;
    for (int k = 0; k < opponent::FleetMemory::MostFleets; ++k) {
        char line[256] = {};
        if (platform::GetPrivateProfileString(Section, FleetKey(k).c_str(), "", line, sizeof line,
                                              file) == 0) {
            break;
        }
        text += line;
        text += '\n';
    }
    if (!opponent::ReadFleetMemory(text, &memory)) {
        platform::SetProfileAside(file, "holding a fleet that cannot be");
    }
    return memory;
}

void KeepFleetMemory(const opponent::FleetMemory& memory) {
    const std::string file = MemoryFile();
    if (file.empty()) return;
    std::istringstream lines(opponent::WriteFleetMemory(memory));
    platform::UpdatePrivateProfile(file, [&lines](platform::ProfileEntries& entries) {
        auto& keys = entries[Section];
        keys.clear();
        std::string line;
        for (int k = 0; std::getline(lines, line); ++k) keys[FleetKey(k)] = line;
    });
}

}  // namespace shell

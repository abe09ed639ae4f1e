// shell/play_record.cpp: record.ini, one section per level ([Standard], [Expert]) with the keys
// Won, Lost, Tied and FewestSalvos, and [Network] with Won, Lost, Tied, Left and Cheating.
#include "shell/play_record.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "platform/message_box.h"
#include "platform/profile.h"
#include "rules/game.h"
#include "windows/program_handles.h"

namespace shell {

namespace {

constexpr int MostGames = 1000000000;
constexpr int MostSalvos = 1000;  // far beyond any game: every salvo sinks something in time

constexpr const char* LevelNames[2] = {"Standard", "Expert"};

std::string RecordFile() { return platform::DataFilePath("record.ini"); }

// One count of the record: absent reads 0; false when present but no number within 0..most.
bool ReadCount(const platform::ProfileEntries& entries, const char* section, const char* key,
               int most, int* value) {
    *value = 0;
    const auto found = entries.find(section);
    if (found == entries.end()) return true;
    const auto keyFound = found->second.find(key);
    if (keyFound == found->second.end()) return true;
    const std::string& text = keyFound->second;
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || number < 0 || number > most) {
        return false;
    }
    *value = static_cast<int>(number);
    return true;
}

bool ParseRecord(const platform::ProfileEntries& entries, PlayRecord* record) {
    for (int level = 0; level < 2; ++level) {
        LevelRecord& r = (*record)[level];
        const char* section = LevelNames[level];
        if (!ReadCount(entries, section, "Won", MostGames, &r.won) ||
            !ReadCount(entries, section, "Lost", MostGames, &r.lost) ||
            !ReadCount(entries, section, "Tied", MostGames, &r.tied) ||
            !ReadCount(entries, section, "FewestSalvos", MostSalvos, &r.fewestSalvos)) {
            *record = PlayRecord{};
            return false;
        }
    }
    return true;
}

void StoreRecord(const PlayRecord& record, platform::ProfileEntries* entries) {
    for (int level = 0; level < 2; ++level) {
        const LevelRecord& r = record[level];
        auto& keys = (*entries)[LevelNames[level]];
        keys["Won"] = std::to_string(r.won);
        keys["Lost"] = std::to_string(r.lost);
        keys["Tied"] = std::to_string(r.tied);
        keys["FewestSalvos"] = std::to_string(r.fewestSalvos);
    }
}

constexpr const char* Damaged = "holding a count out of range";

constexpr const char* NetworkSection = "Network";
constexpr const char* NetworkKeys[] = {"Won", "Lost", "Tied", "Left", "Cheating"};

std::array<int*, 5> NetworkCounts(NetworkRecord& record) {
    return {&record.won, &record.lost, &record.tied, &record.left, &record.cheating};
}

bool resultUnsaved = false;  // a result of this run did not reach the file

// Told once a run: a player who keeps playing on a read-only disk is not stopped after every game,
// and the Statistics say what this means for their figures.
void SaveRecord(const std::string& file,
                const std::function<void(platform::ProfileEntries&)>& add) {
    if (platform::UpdatePrivateProfile(file, add)) return;
    const int error = errno;
    if (resultUnsaved) return;
    resultUnsaved = true;
    const std::string why = error != 0 ? std::strerror(error) : "it cannot be written";
    platform::MessageBox(windows::App.MainWindow,
                         "Your result could not be saved: " + file + " (" + why + ").", "Tidewrack",
                         platform::MB_OK);
}

bool ParseNetworkRecord(const platform::ProfileEntries& entries, NetworkRecord* record) {
    const std::array<int*, 5> counts = NetworkCounts(*record);
    for (std::size_t k = 0; k < counts.size(); ++k) {
        if (!ReadCount(entries, NetworkSection, NetworkKeys[k], MostGames, counts[k])) {
            *record = NetworkRecord{};
            return false;
        }
    }
    return true;
}

}  // namespace

PlayRecord ReadPlayRecord() {
    const std::string file = RecordFile();
    PlayRecord record;
    if (file.empty()) return record;
    // Writers replace the file whole by a rename, so a read without the lock is never torn.
    platform::ProfileEntries entries;
    for (const char* section : LevelNames) {
        for (const char* key : {"Won", "Lost", "Tied", "FewestSalvos"}) {
            char value[32];
            if (platform::GetPrivateProfileString(section, key, "", value, sizeof value, file) >
                0) {
                entries[section][key] = value;
            }
        }
    }
    if (!ParseRecord(entries, &record)) platform::SetProfileAside(file, Damaged);
    return record;
}

void AddGameToRecord(rules::Level level, GameOutcome outcome, int salvos) {
    const std::string file = RecordFile();
    if (file.empty()) return;
    SaveRecord(file, [&](platform::ProfileEntries& entries) {
        PlayRecord record;
        if (!ParseRecord(entries, &record)) {
            platform::SetProfileAside(file, Damaged);
            entries.clear();
        }
        LevelRecord& r = record[static_cast<int>(level)];
        switch (outcome) {
            case GameOutcome::Won:
                if (r.won < MostGames) ++r.won;
                if (salvos > 0 && salvos <= MostSalvos &&
                    (r.fewestSalvos == 0 || salvos < r.fewestSalvos)) {
                    r.fewestSalvos = salvos;
                }
                break;
            case GameOutcome::Lost:
                if (r.lost < MostGames) ++r.lost;
                break;
            case GameOutcome::Tied:
                if (r.tied < MostGames) ++r.tied;
                break;
        }
        StoreRecord(record, &entries);
    });
}

NetworkRecord ReadNetworkRecord() {
    const std::string file = RecordFile();
    NetworkRecord record;
    if (file.empty()) return record;
    platform::ProfileEntries entries;
    for (const char* key : NetworkKeys) {
        char value[32];
        if (platform::GetPrivateProfileString(NetworkSection, key, "", value, sizeof value, file) >
            0) {
            entries[NetworkSection][key] = value;
        }
    }
    if (!ParseNetworkRecord(entries, &record)) platform::SetProfileAside(file, Damaged);
    return record;
}

void AddNetworkGameToRecord(NetworkEnd end) {
    const std::string file = RecordFile();
    if (file.empty()) return;
    SaveRecord(file, [&](platform::ProfileEntries& entries) {
        NetworkRecord record;
        PlayRecord levels;
        if (!ParseNetworkRecord(entries, &record) || !ParseRecord(entries, &levels)) {
            platform::SetProfileAside(file, Damaged);
            entries.clear();
            record = NetworkRecord{};
        }
        int& count = *NetworkCounts(record)[static_cast<std::size_t>(end)];
        if (count < MostGames) ++count;
        const std::array<int*, 5> counts = NetworkCounts(record);
        for (std::size_t k = 0; k < counts.size(); ++k) {
            entries[NetworkSection][NetworkKeys[k]] = std::to_string(*counts[k]);
        }
    });
}

std::string DescribePlayRecord(const PlayRecord& record, const NetworkRecord& network) {
    std::string text;
    for (int level = 0; level < 2; ++level) {
        const LevelRecord& r = record[level];
        text += std::string(LevelNames[level]) + " opponent:\n";
        text += "    Won " + std::to_string(r.won) + ", lost " + std::to_string(r.lost) +
                ", tied " + std::to_string(r.tied) + "\n";
        text += "    Fewest salvos in a win: " +
                (r.fewestSalvos > 0 ? std::to_string(r.fewestSalvos) : std::string("none yet")) +
                "\n";
    }
    if (network.won + network.lost + network.tied + network.left + network.cheating > 0) {
        text += "Friends over the network:\n";
        text += "    Won " + std::to_string(network.won) + ", lost " +
                std::to_string(network.lost) + ", tied " + std::to_string(network.tied) +
                ", left " + std::to_string(network.left) + "\n";
        text += "    Cheating caught: " + std::to_string(network.cheating) + "\n";
    }
    const std::string file = RecordFile();
    if (!file.empty()) text += "\nKept in " + file;
    if (resultUnsaved) {
        text +=
            "\n\nThese figures may be out of date: a result of this session could not be "
            "saved.";
    }
    return text;
}

}  // namespace shell

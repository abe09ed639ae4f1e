// tests/shell/play_record_test.cpp: the record of play and the settings on disk: damaged or
// hostile files are set aside and a fresh record starts, a kill between the write and the rename
// leaves the old record whole, and two games writing at once lose nothing.
#include "shell/play_record.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "platform/files.h"
#include "platform/profile.h"
#include "platform/test/test_host.h"
#include "rules/game.h"
#include "shell/session.h"
#include "shell/settings.h"

namespace {

namespace fs = std::filesystem;
using rules::Level;
using shell::GameOutcome;

// Settings and record in a folder of the test's own.
class PlayRecordFiles : public testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tidewrack-record-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        home_ = pattern;
        setenv("XDG_DATA_HOME", home_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", home_.c_str(), 1);
        fs::create_directories(home_ + "/tidewrack");
        record_ = home_ + "/tidewrack/record.ini";
        settings_ = home_ + "/tidewrack/settings.ini";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(home_, ignored);
    }

    static void Write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    // Runs `play` in a child process and waits for it.
    static void InChild(const std::function<void()>& play) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            play();
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
    }

    std::string home_;
    std::string record_;
    std::string settings_;
};

TEST_F(PlayRecordFiles, KeepsWinsLossesTiesAndTheFewestSalvosPerLevel) {
    EXPECT_EQ(shell::ReadPlayRecord()[0].won, 0);
    EXPECT_FALSE(fs::exists(record_));  // reading alone writes nothing
    shell::AddGameToRecord(Level::Standard, GameOutcome::Won, 20);
    shell::AddGameToRecord(Level::Standard, GameOutcome::Won, 17);
    shell::AddGameToRecord(Level::Standard, GameOutcome::Won, 25);
    shell::AddGameToRecord(Level::Expert, GameOutcome::Lost, 12);
    shell::AddGameToRecord(Level::Expert, GameOutcome::Tied, 15);
    const shell::PlayRecord record = shell::ReadPlayRecord();
    EXPECT_EQ(record[0].won, 3);
    EXPECT_EQ(record[0].lost, 0);
    EXPECT_EQ(record[0].fewestSalvos, 17);
    EXPECT_EQ(record[1].won, 0);
    EXPECT_EQ(record[1].lost, 1);
    EXPECT_EQ(record[1].tied, 1);
    EXPECT_EQ(record[1].fewestSalvos, 0);
    const std::string text = shell::DescribePlayRecord(record);
    EXPECT_NE(text.find("Won 3, lost 0, tied 0"), std::string::npos) << text;
    EXPECT_NE(text.find("Fewest salvos in a win: 17"), std::string::npos) << text;
    EXPECT_NE(text.find("none yet"), std::string::npos) << text;
    EXPECT_NE(text.find(record_), std::string::npos) << text;
}

// A record that cannot be saved (here its lock cannot be taken, which holds even for root) is told
// once in a box, the Statistics warn that their figures may be behind, and the file keeps what it
// held.
TEST_F(PlayRecordFiles, AResultThatCannotBeSavedIsToldOnceAndTheFileKeepsItsFigures) {
    platform::TestHost host;
    platform::SetHost(&host);
    shell::AddGameToRecord(Level::Standard, GameOutcome::Won, 20);
    std::ifstream saved(record_, std::ios::binary);
    const std::string figures{std::istreambuf_iterator<char>(saved), {}};
    ASSERT_FALSE(figures.empty());
    EXPECT_EQ(shell::DescribePlayRecord(shell::ReadPlayRecord()).find("out of date"),
              std::string::npos);

    fs::remove(record_ + ".lock");
    fs::create_directory(record_ + ".lock");
    shell::AddGameToRecord(Level::Standard, GameOutcome::Lost, 0);
    shell::AddNetworkGameToRecord(shell::NetworkEnd::Won);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text.rfind("Your result could not be saved: " + record_, 0),
              0u)
        << host.MessageBoxes()[0].text;
    std::ifstream after(record_, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), figures);
    const std::string text = shell::DescribePlayRecord(shell::ReadPlayRecord());
    EXPECT_NE(text.find("Won 1, lost 0, tied 0"), std::string::npos) << text;
    EXPECT_NE(text.find("These figures may be out of date"), std::string::npos) << text;
    platform::SetHost(nullptr);
}

struct DamagedCase {
    const char* what;
    std::function<void(const std::string& path)> make;
};

TEST_F(PlayRecordFiles, SetsADamagedRecordAsideAndStartsAfresh) {
    const DamagedCase cases[] = {
        {"garbage", [](const std::string& p) { Write(p, "this is no record\n{}{}\n"); }},
        {"binary",
         [](const std::string& p) { Write(p, std::string("[Standard]\nWon=1\0\x01\xff", 18)); }},
        {"huge",
         [](const std::string& p) {
             std::string text = "[Standard]\n";
             while (text.size() < 200 * 1024) text += "; padding padding padding padding\n";
             Write(p, text + "Won=5\n");
         }},
        {"a directory", [](const std::string& p) { fs::create_directory(p); }},
        {"a link to nothing", [](const std::string& p) { fs::create_symlink(p + ".gone", p); }},
        {"a pipe", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
        {"a negative count", [](const std::string& p) { Write(p, "[Standard]\nWon=-3\n"); }},
        {"a count too large",
         [](const std::string& p) { Write(p, "[Expert]\nLost=99999999999999999999\n"); }},
        {"no number", [](const std::string& p) { Write(p, "[Standard]\nTied=many\n"); }},
    };
    for (const DamagedCase& c : cases) {
        SCOPED_TRACE(c.what);
        c.make(record_);
        testing::internal::CaptureStderr();
        const shell::PlayRecord record = shell::ReadPlayRecord();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(record[0].won + record[0].lost + record[0].tied + record[1].lost, 0);
        EXPECT_FALSE(fs::exists(fs::symlink_status(record_))) << "still in place";
        EXPECT_TRUE(fs::exists(fs::symlink_status(record_ + ".damaged")));
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find(".damaged"), std::string::npos) << said;
        // The fresh record takes the next game.
        shell::AddGameToRecord(Level::Standard, GameOutcome::Lost, 9);
        EXPECT_EQ(shell::ReadPlayRecord()[0].lost, 1);
        fs::remove_all(record_ + ".damaged");
        fs::remove(record_);
    }
}

TEST_F(PlayRecordFiles, SetsDamagedSettingsAsideAndStartsAsWithNone) {
    Write(settings_, "[Options]\nOpponent=Grandmaster\nSound=Off\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(shell::LoadSettings(), -1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(".damaged"), std::string::npos);
    EXPECT_EQ(shell::TheSession.chosenLevel, Level::Standard);
    EXPECT_TRUE(fs::exists(settings_ + ".damaged"));

    shell::SaveOpponentLevel(Level::Expert);
    shell::SaveSoundSwitch(0);
    shell::TheSession.chosenLevel = Level::Standard;
    EXPECT_EQ(shell::LoadSettings(), 0);
    EXPECT_EQ(shell::TheSession.chosenLevel, Level::Expert);
    shell::TheSession.chosenLevel = Level::Standard;
}

TEST_F(PlayRecordFiles, AKillBetweenTheWriteAndTheRenameLeavesTheOldRecord) {
    shell::AddGameToRecord(Level::Standard, GameOutcome::Won, 30);
    std::ifstream before(record_);
    const std::string old((std::istreambuf_iterator<char>(before)), {});
    InChild([] {
        platform::BeforeReplacingFile = [] { _exit(0); };
        shell::AddGameToRecord(Level::Standard, GameOutcome::Won, 11);
    });
    std::ifstream after(record_);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(after)), {}), old);
    EXPECT_EQ(shell::ReadPlayRecord()[0].fewestSalvos, 30);
    // The lock died with the killed game: the next one writes.
    shell::AddGameToRecord(Level::Standard, GameOutcome::Won, 11);
    EXPECT_EQ(shell::ReadPlayRecord()[0].won, 2);
    EXPECT_EQ(shell::ReadPlayRecord()[0].fewestSalvos, 11);
}

TEST_F(PlayRecordFiles, TwoGamesWritingAtOnceLoseNothing) {
    constexpr int GamesEach = 60;
    pid_t children[2];
    for (int k = 0; k < 2; ++k) {
        children[k] = fork();
        ASSERT_GE(children[k], 0);
        if (children[k] == 0) {
            for (int i = 0; i < GamesEach; ++i) {
                shell::AddGameToRecord(k == 0 ? Level::Standard : Level::Expert,
                                       i % 2 == 0 ? GameOutcome::Won : GameOutcome::Lost,
                                       40 - k - i % 7);
            }
            _exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
    }
    const shell::PlayRecord record = shell::ReadPlayRecord();
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(record[k].won, GamesEach / 2) << k;
        EXPECT_EQ(record[k].lost, GamesEach / 2) << k;
    }
    EXPECT_EQ(record[0].fewestSalvos, 34);
    EXPECT_EQ(record[1].fewestSalvos, 33);
}

}  // namespace

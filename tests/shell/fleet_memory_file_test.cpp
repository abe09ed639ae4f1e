// tests/shell/fleet_memory_file_test.cpp: the Expert's memory of fleets on disk: kept and read back
// whole, and a file holding anything but fleets set aside for a fresh memory, the record untouched.
#include "shell/fleet_memory_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "opponent/fleet_memory.h"

namespace {

namespace fs = std::filesystem;

class FleetMemoryFile : public testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tidewrack-fleets-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        home_ = pattern;
        setenv("XDG_DATA_HOME", home_.c_str(), 1);
        fs::create_directories(home_ + "/tidewrack");
        file_ = home_ + "/tidewrack/fleets.ini";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(home_, ignored);
    }

    std::string home_;
    std::string file_;
};

TEST_F(FleetMemoryFile, KeepsTheFleetsAndReadsThemBack) {
    EXPECT_EQ(shell::ReadFleetMemoryFile().count, 0);  // no file yet
    opponent::FleetMemory memory;
    ASSERT_TRUE(opponent::ReadFleetMemory("5:0,0,h 2:11,10,v\n5:0,0,v 4:3,3,h 3:6,6,v\n", &memory));
    shell::KeepFleetMemory(memory);
    EXPECT_EQ(shell::ReadFleetMemoryFile(), memory);

    // A shorter memory replaces the longer one whole.
    memory.count = 1;
    memory.fleets[1] = {};
    shell::KeepFleetMemory(memory);
    EXPECT_EQ(shell::ReadFleetMemoryFile(), memory);
}

TEST_F(FleetMemoryFile, SetsAFileOfNoFleetsAsideAndStartsAfresh) {
    const std::string record = home_ + "/tidewrack/record.ini";
    std::ofstream(record) << "[Expert]\nWon=2\n";
    for (const char* text : {"[Fleets]\nFleet1=5:0,0,h 4:0,0,v\n",  // overlapping
                             "[Fleets]\nFleet1=lots of ships\n", "not a profile {}\n"}) {
        SCOPED_TRACE(text);
        std::ofstream(file_) << text;
        testing::internal::CaptureStderr();
        EXPECT_EQ(shell::ReadFleetMemoryFile().count, 0);
        EXPECT_NE(testing::internal::GetCapturedStderr().find(".damaged"), std::string::npos);
        EXPECT_FALSE(fs::exists(file_));
        EXPECT_TRUE(fs::exists(file_ + ".damaged"));
    }
    EXPECT_TRUE(fs::exists(record));
    EXPECT_FALSE(fs::exists(record + ".damaged"));
}

}  // namespace

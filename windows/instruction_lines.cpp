// windows/instruction_lines.cpp: the bounded line reader behind the instructions viewer, and the
// opening (or creating) of its file.
#include "windows/instruction_lines.h"

#include <cstdint>
#include <vector>

#include "platform/files.h"

namespace windows {

bool InstructionLineReader::Feed(std::span<const char> bytes) {
    for (char c : bytes) {
        if (Full()) return false;
        if (pendingReturn_) {
            pendingReturn_ = false;
            if (c == '\n') {
                EndLine();  // the return belonged to the line end and is dropped with it
                continue;
            }
            TakeCharacter('\r');
        }
        if (c == '\r') {
            pendingReturn_ = true;
        } else if (c == '\n') {
            EndLine();
        } else {
            TakeCharacter(c);
        }
    }
    return !Full();
}

// A full line is only handed on when more of it comes, so a line feed right after the last
// character that fits ends that line instead of making an empty one.
void InstructionLineReader::TakeCharacter(char c) {
    if (current_.size() >= static_cast<std::size_t>(MaxInstructionLineLength)) EndLine();
    if (Full()) return;
    current_.push_back(c);
}

void InstructionLineReader::EndLine() {
    if (Full()) return;
    lines_.push_back(std::move(current_));
    current_.clear();
}

InstructionLines InstructionLineReader::Finish() {
    if (pendingReturn_) {
        pendingReturn_ = false;
        TakeCharacter('\r');  // a return that ends the text is an ordinary character
    }
    EndLine();
    InstructionLines lines = std::move(lines_);
    lines_.clear();
    return lines;
}

InstructionLines SplitInstructionLines(std::string_view text) {
    InstructionLineReader reader;
    reader.Feed(text);
    return reader.Finish();
}

std::optional<InstructionLines> ReadInstructionsFile(std::string_view gamePath) {
    platform::FileHandle* file =
        platform::CreateFile(gamePath, platform::GENERIC_READ, platform::FILE_SHARE_READ,
                             platform::OPEN_ALWAYS, platform::FILE_FLAG_SEQUENTIAL_SCAN);
    if (file == nullptr) return std::nullopt;
    // Reads only as far as the table fills: a huge file costs no more than a full table. A read
    // that fails ends the text where it is, like its end.
    InstructionLineReader reader;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        std::uint32_t got = 0;
        if (!platform::ReadFile(file, buffer.data(), static_cast<std::uint32_t>(buffer.size()),
                                &got) ||
            got == 0) {
            break;
        }
        if (!reader.Feed(std::span<const char>(buffer.data(), got))) break;
    }
    platform::CloseHandle(file);
    return reader.Finish();
}

}  // namespace windows

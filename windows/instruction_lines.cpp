// windows/instruction_lines.cpp: the bounded line reader behind the instructions viewer, and the
// opening (or creating) of its file.
#include "windows/instruction_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

namespace {

// Non-blocking, so a pipe or a device under the name cannot hold the program up; only a regular
// file is kept.
int OpenForReading(const std::string& path, int extraFlags) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | extraFlags,
                                  0644);
    if (descriptor < 0) return -1;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        errno = EINVAL;  // there is something under the name: no file is to be created
        return -1;
    }
    return descriptor;
}

// Reads only as far as the table fills: a huge file costs no more than a full table. A read that
// fails ends the text where it is, like its end.
InstructionLines ReadLines(int descriptor) {
    InstructionLineReader reader;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        if (!reader.Feed(std::span<const char>(buffer.data(), static_cast<std::size_t>(got)))) {
            break;
        }
    }
    return reader.Finish();
}

}  // namespace

std::optional<InstructionLines> ReadInstructionsFile(std::string_view gamePath) {
    const std::string path = platform::HostPath(gamePath);
    int descriptor = OpenForReading(path, 0);
    if (descriptor < 0 && errno == ENOENT) descriptor = OpenForReading(path, O_CREAT);
    if (descriptor < 0) return std::nullopt;
    InstructionLines lines = ReadLines(descriptor);
    ::close(descriptor);
    return lines;
}

}  // namespace windows

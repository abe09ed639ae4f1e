// windows/instruction_lines.h: the instructions text cut into the viewer's lines, read with fixed
// bounds so that no file, however large or strange, costs more than a full table of lines.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace windows {

constexpr int MaxInstructionLines = 1024;
constexpr int MaxInstructionLineLength = 1023;

using InstructionLines = std::vector<std::string>;

// Cuts text into lines: a carriage return before a line feed is dropped, each line feed ends a
// line, a line longer than MaxInstructionLineLength goes on as a line of its own, and the end of
// the text ends the last line, even an empty one. The bytes may come in pieces of any size; once
// MaxInstructionLines lines are held the rest is ignored. Lines keep their bytes as they came,
// NUL bytes included.
class InstructionLineReader {
  public:
    // Takes the next bytes; false once the table is full, so the caller can stop reading.
    bool Feed(std::span<const char> bytes);
    bool Full() const { return lines_.size() >= static_cast<std::size_t>(MaxInstructionLines); }
    // The end of the text: ends the last line and hands the table over.
    InstructionLines Finish();

  private:
    void TakeCharacter(char c);
    void EndLine();

    InstructionLines lines_;
    std::string current_;
    bool pendingReturn_ = false;
};

// The lines of a text already in memory.
InstructionLines SplitInstructionLines(std::string_view text);

// The lines of the file at the game path. A missing file is created empty, in the folder of the
// path, and read as an empty file; none when the file can be neither opened nor created, or is no
// regular file.
std::optional<InstructionLines> ReadInstructionsFile(std::string_view gamePath);

}  // namespace windows

// tests/fuzz/instructions_reader_fuzz.cpp: libFuzzer target for the instructions reader. Each
// input is cut into lines whole, in pieces of varying size and from a file, as the viewer reads
// it; all three must agree and stay within the table's bounds.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "windows/instruction_lines.h"

namespace {

using windows::InstructionLines;

constexpr auto MaxLines = static_cast<std::size_t>(windows::MaxInstructionLines);
constexpr auto MaxLength = static_cast<std::size_t>(windows::MaxInstructionLineLength);

struct Scratch {
    Scratch() : path("/tmp/tidewrack_instructions_fuzz_" + std::to_string(::getpid()) + ".txt") {}
    ~Scratch() { std::remove(path.c_str()); }
    std::string path;
};

void Require(bool condition) {
    if (!condition) std::abort();
}

// Feeds the text in pieces whose sizes come from the text itself, so returns and line feeds fall
// on every kind of boundary.
InstructionLines ReadInPieces(std::string_view text) {
    windows::InstructionLineReader reader;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t piece =
            std::min<std::size_t>(text.size() - at, 1 + static_cast<unsigned char>(text[at]) % 7);
        if (!reader.Feed(text.substr(at, piece))) break;
        at += piece;
    }
    return reader.Finish();
}

void CheckBounds(std::string_view text, const InstructionLines& lines) {
    Require(!lines.empty() && lines.size() <= MaxLines);
    std::size_t stored = 0;
    for (const std::string& line : lines) {
        Require(line.size() <= MaxLength);
        Require(line.find('\n') == std::string::npos);
        stored += line.size();
    }
    if (lines.size() == MaxLines) return;
    // Short of a full table nothing is lost: every byte is stored except the line feeds and the
    // returns just before them.
    std::size_t ends = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') ++ends;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++ends;
    }
    Require(stored + ends == text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Scratch scratch;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const InstructionLines whole = windows::SplitInstructionLines(text);
    CheckBounds(text, whole);
    Require(ReadInPieces(text) == whole);

    std::FILE* file = std::fopen(scratch.path.c_str(), "wb");
    if (file == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
    const auto fromFile = windows::ReadInstructionsFile(scratch.path);
    Require(fromFile.has_value() && *fromFile == whole);
    return 0;
}

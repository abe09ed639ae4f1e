// tests/tools/make_data/data_folder.h: where the build wrote the data folder, and small readers for
// the tests of its files.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace data_test {

// The data folder as a game folder: ends with a backslash, as "Pictures\" does in the game.
inline std::string GameFolder(const std::string& relative) {
    return std::string(TIDEWRACK_DATA_FOLDER) + "\\" + relative;
}

inline std::string HostFile(const std::string& relative) {
    return std::string(TIDEWRACK_DATA_FOLDER) + "/" + relative;
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::uint32_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}

inline std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return U16At(b, at) | (U16At(b, at + 2) << 16);
}

}  // namespace data_test

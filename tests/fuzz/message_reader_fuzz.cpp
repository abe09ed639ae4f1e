// tests/fuzz/message_reader_fuzz.cpp: libFuzzer target for the reader of a peer's bytes. Whatever
// arrives, in whatever pieces, it reads nothing outside them, and every message it accepts goes
// back to the very bytes it came from.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "network/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte cuts the rest into pieces of that many bytes, as a socket might deliver.
    const std::size_t piece = data[0] == 0 ? 1 : data[0];
    const std::span<const std::uint8_t> stream(data + 1, size - 1);
    network::MessageReader reader;
    std::vector<std::uint8_t> accepted;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        reader.Feed(stream.subspan(at, std::min(piece, stream.size() - at)));
        while (const auto message = reader.Next()) {
            const std::vector<std::uint8_t> wire = network::Encode(*message);
            if (wire.size() > 2 + network::MaxMessageBytes) std::abort();
            accepted.insert(accepted.end(), wire.begin(), wire.end());
        }
    }
    // What was accepted is exactly the start of what came.
    if (accepted.size() > stream.size() ||
        !std::equal(accepted.begin(), accepted.end(), stream.begin())) {
        std::abort();
    }
    return 0;
}

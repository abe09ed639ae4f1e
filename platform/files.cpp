// platform/files.cpp: what the file door does alike on every system (a whole file at once), and
// movable memory blocks kept as plain byte vectors. The door itself is files_posix.cpp or
// files_win32.cpp.
#include "platform/files.h"

#include <algorithm>
#include <new>

namespace platform {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path,
                                                       std::size_t maxBytes) {
    FileHandle* file =
        CreateFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
    if (file == nullptr) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes;
    if (static_cast<std::uint64_t>(GetFileSize(file)) <= maxBytes) {
        try {
            std::vector<std::uint8_t> read(static_cast<std::size_t>(GetFileSize(file)));
            std::size_t total = 0;
            bool failed = false;
            while (total < read.size()) {
                const auto chunk = static_cast<std::uint32_t>(
                    std::min<std::size_t>(read.size() - total, std::size_t{1} << 30));
                std::uint32_t got = 0;
                if (!ReadFile(file, read.data() + total, chunk, &got)) failed = true;
                if (failed || got == 0) break;
                total += got;
            }
            // A file that shrank while it was read is taken as far as it went.
            read.resize(total);
            if (!failed) bytes = std::move(read);
        } catch (const std::bad_alloc&) {
            bytes.reset();
        }
    }
    CloseHandle(file);
    return bytes;
}

void (*BeforeReplacingFile)() = nullptr;

GlobalBlock* GlobalAlloc(std::uint32_t /*flags*/, std::size_t size) {
    auto* block = new (std::nothrow) GlobalBlock;
    if (block == nullptr) return nullptr;
    try {
        block->bytes.assign(size, 0);
    } catch (const std::bad_alloc&) {
        delete block;
        return nullptr;
    }
    return block;
}

void* GlobalLock(GlobalBlock* block) {
    if (block == nullptr) return nullptr;
    ++block->lockCount;
    // A block of no bytes still locks to a valid address.
    return block->bytes.empty() ? static_cast<void*>(block) : block->bytes.data();
}

bool GlobalUnlock(GlobalBlock* block) {
    if (block == nullptr || block->lockCount == 0) return false;
    return --block->lockCount > 0;
}

std::size_t GlobalSize(const GlobalBlock* block) {
    return block == nullptr ? 0 : block->bytes.size();
}

GlobalBlock* GlobalFree(GlobalBlock* block) {
    delete block;
    return nullptr;
}

}  // namespace platform

// platform/open_file_dialog.h: the open-file dialog. The core only forwards to the chooser a host
// installs; without one, every request counts as cancelled (the game never needs the dialog).
#pragma once

#include <cstdint>

namespace platform {

struct Window;

constexpr std::uint32_t OFN_PATHMUSTEXIST = 0x00000800;
constexpr std::uint32_t OFN_FILEMUSTEXIST = 0x00001000;

// The request record in the platform's 76-byte layout, held as C++ fields.
struct OpenFileRequest {
    std::uint32_t structSize = 0;
    Window* owner = nullptr;
    // Pairs of texts (a description, then a pattern), each NUL-terminated, ended by an empty text.
    const char* filter = nullptr;
    char* file = nullptr;  // receives the chosen path, NUL-terminated
    std::uint32_t maxFile = 0;
    const char* initialDir = nullptr;
    const char* title = nullptr;
    std::uint32_t flags = 0;
    const char* defExt = nullptr;
};

// Shows the chooser; true with the path in request->file when the user picked a file.
bool GetOpenFileName(OpenFileRequest* request);

// The host's chooser; null restores the default, which reports every request as cancelled.
using OpenFileChooser = bool (*)(OpenFileRequest* request);
void SetOpenFileChooser(OpenFileChooser chooser);

}  // namespace platform

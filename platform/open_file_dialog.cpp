// platform/open_file_dialog.cpp: forwards open-file requests to the chooser a host installed.
#include "platform/open_file_dialog.h"

namespace platform {

namespace {
OpenFileChooser installedChooser = nullptr;
}

bool GetOpenFileName(OpenFileRequest* request) {
    if (request == nullptr || request->file == nullptr || request->maxFile == 0) return false;
    if (installedChooser == nullptr) return false;  // no chooser: as if cancelled
    return installedChooser(request);
}

void SetOpenFileChooser(OpenFileChooser chooser) { installedChooser = chooser; }

}  // namespace platform

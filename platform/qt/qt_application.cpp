// platform/qt/qt_application.cpp: the QApplication and the Qt host around one run of the program.
#include "platform/qt/qt_application.h"

#include <QApplication>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "platform/messages.h"
#include "platform/open_file_dialog.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/qt_platform_choice.h"

namespace platform {

void InstallQtFileChooser();  // qt_open_file_dialog.cpp

namespace {

// Surfaces and decoded pictures are blocks of megabytes that come and go (the sea is decoded,
// drawn into the kept layer and let go; a pop-up's picture lives as long as the pop-up). glibc
// raises its threshold for mapping a block of its own to the largest block freed so far, after
// which such blocks come from the heap and their pages stay with the program once freed: on a
// scaled screen that kept 10 MB or more. A fixed threshold hands every large block back.
void ReturnLargeBlocksWhenFreed() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

}  // namespace

void RunOnQtHost(int argc, char** argv, const std::function<void()>& program) {
    ReturnLargeBlocksWhenFreed();
    RequestQtPlatform();
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tidewrack");
    QApplication::setDesktopFileName("tidewrack");
    QtHost host;
    SetHost(&host);
    InstallQtFileChooser();
    program();
    ResetMessageQueue();
    SetOpenFileChooser(nullptr);
    SetHost(nullptr);
}

}  // namespace platform

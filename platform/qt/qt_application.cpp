// platform/qt/qt_application.cpp: the QApplication and the Qt host around one run of the program.
#include "platform/qt/qt_application.h"

#include <QApplication>

#include "platform/messages.h"
#include "platform/open_file_dialog.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/qt_platform_choice.h"

namespace platform {

void InstallQtFileChooser();  // qt_open_file_dialog.cpp

void RunOnQtHost(int argc, char** argv, const std::function<void()>& program) {
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

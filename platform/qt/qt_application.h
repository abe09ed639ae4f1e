// platform/qt/qt_application.h: running a program on the Qt host, without the caller seeing Qt.
#pragma once

#include <functional>

namespace platform {

// Starts the toolkit, installs the Qt host for the program's run, and takes everything down in
// order afterwards: the windows before the toolkit that shows them.
void RunOnQtHost(int argc, char** argv, const std::function<void()>& program);

}  // namespace platform

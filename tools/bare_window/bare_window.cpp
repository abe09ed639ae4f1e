// tools/bare_window/bare_window.cpp: the yardstick for start-up time and memory: an empty Qt 6
// main window with a menu bar, as small as a Qt program with a window gets.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Bare");
    window.menuBar()->addMenu("&File")->addAction("E&xit", &application, &QApplication::quit);
    window.resize(1024, 730);
    window.show();
    return QApplication::exec();
}

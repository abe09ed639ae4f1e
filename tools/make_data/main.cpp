// tools/make_data/main.cpp: tidewrack_make_data, the build-time generator of everything the game
// shows and plays; the options (see Usage) choose which folders it writes.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <string>

#include "tools/make_data/data_set.h"
#include "tools/make_data/fonts.h"

namespace {

void WriteAll(const QString& folder, const std::vector<make_data::OutputFile>& files) {
    for (const make_data::OutputFile& file : files) {
        const QString path = folder + "/" + file.path;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(reinterpret_cast<const char*>(file.bytes.data()),
                      static_cast<qint64>(file.bytes.size())) !=
                static_cast<qint64>(file.bytes.size())) {
            throw std::runtime_error("cannot write " + path.toStdString());
        }
    }
}

int Usage() {
    std::fprintf(stderr,
                 "usage: tidewrack_make_data [options]\n"
                 "  --data DIR --instructions FILE   Pictures/, Sounds/ and instruct.txt\n"
                 "  --resources DIR                  the built-in pictures and the icon\n"
                 "  --icons DIR                      the desktop icons, one folder per size\n"
                 "  --windows-icon FILE.ico          the same icons as one Windows icon file\n"
                 "  --contact-sheet FILE.png         every picture on one sheet, to look over\n"
                 "  --fonts DIR                      the folder of the Liberation fonts\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Headless: no display is needed to draw into images.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::map<std::string, QString> options;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name.rfind("--", 0) != 0 || i + 1 >= argc) return Usage();
        options[name] = QString::fromLocal8Bit(argv[++i]);
    }
    for (const auto& [name, value] : options) {
        if (name != "--data" && name != "--instructions" && name != "--resources" &&
            name != "--icons" && name != "--windows-icon" && name != "--contact-sheet" &&
            name != "--fonts") {
            return Usage();
        }
    }
    if (options.count("--data") != options.count("--instructions")) return Usage();
    QGuiApplication application(argc, argv);
    const QString version = TIDEWRACK_VERSION;
    try {
        make_data::LoadFonts(options.count("--fonts") ? options["--fonts"] : TIDEWRACK_FONT_DIR);
        if (options.count("--data")) {
            WriteAll(options["--data"], make_data::DataFiles(options["--instructions"]));
        }
        if (options.count("--resources")) {
            WriteAll(options["--resources"], make_data::ResourceFiles(version));
        }
        if (options.count("--icons")) WriteAll(options["--icons"], make_data::IconFiles());
        if (options.count("--windows-icon")) {
            const QFileInfo icon(options["--windows-icon"]);
            WriteAll(icon.absolutePath(), {{icon.fileName(), make_data::WindowsIconFile()}});
        }
        if (options.count("--contact-sheet") &&
            !make_data::ContactSheet(version).save(options["--contact-sheet"], "PNG")) {
            throw std::runtime_error("cannot write the contact sheet");
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tidewrack_make_data: %s\n", error.what());
        return 1;
    }
    return 0;
}

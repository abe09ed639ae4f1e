// tools/make_data/fonts.cpp: registers the two font files with Qt's font database.
#include "tools/make_data/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <stdexcept>

namespace make_data {
namespace {

QString family;

}  // namespace

void LoadFonts(const QString& folder) {
    for (const char* file : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(folder + "/" + file);
        if (id < 0) {
            throw std::runtime_error("cannot load " + (folder + "/" + file).toStdString() +
                                     " (install fonts-liberation)");
        }
        family = QFontDatabase::applicationFontFamilies(id).value(0);
    }
}

QFont SansFont(double pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

}  // namespace make_data

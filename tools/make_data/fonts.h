// tools/make_data/fonts.h: the Liberation fonts every text of the pictures is set in, loaded from
// their files so the result never depends on the machine's font configuration.
#pragma once

#include <QFont>
#include <QString>

namespace make_data {

// Loads Liberation Sans (regular and bold) from `folder`; throws when they are missing.
void LoadFonts(const QString& folder);

// Liberation Sans at a size in pixels, with hinting off so the shapes are the same everywhere.
QFont SansFont(double pixelSize, bool bold);

}  // namespace make_data

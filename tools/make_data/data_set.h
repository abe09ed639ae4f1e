// tools/make_data/data_set.h: every file the generator writes, as relative paths and bytes: the
// data folder beside the game, the built-in resources and the desktop icons.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

#include "tools/make_data/ship_pictures.h"

namespace make_data {

struct OutputFile {
    QString path;  // relative, '/' separated
    std::vector<std::uint8_t> bytes;
};

// One folder of marks and ships per screen width, drawn at that screen's cell size. The largest
// is twice the 1024 set, for scaled screens; it holds its own sea and boards at twice their size.
struct PictureSet {
    int screenWidth;
    CellSize cell;
};
inline constexpr PictureSet PictureSets[] = {
    {640, {25, 25}}, {800, {31, 32}}, {1024, {40, 42}}, {2048, {80, 84}}};
inline constexpr int DoubleSetWidth = 2048;
// The built-in pictures drawn at twice their size take their id plus this.
inline constexpr int DoubleBitmapOffset = 1000;

// Pictures/, Sounds/ and instruct.txt (copied from `instructionsSource` after checking it).
std::vector<OutputFile> DataFiles(const QString& instructionsSource);
// bitmap102.bmp ... bitmap107.bmp (8-bit) and icon104.png, for the embed step.
std::vector<OutputFile> ResourceFiles(const QString& version);
// <size>x<size>/tidewrack.png for the desktop's icon theme.
std::vector<OutputFile> IconFiles();
// The same pictures in one Windows icon file (.ico), for the program's icon resource.
std::vector<std::uint8_t> WindowsIconFile();

// Every picture of the data folder and the resources on one sheet, drawn the way the game shows
// them (white left out, marks and ships on the boards), for a person to look over.
QImage ContactSheet(const QString& version);

// Checks the instructions text: plain printable ASCII, lines of at most 100 characters, at least
// the two title lines. Returns the reason it is refused, or an empty string.
QString CheckInstructions(const QByteArray& text);

}  // namespace make_data

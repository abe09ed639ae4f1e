// tools/make_data/popup_pictures.h: the pictures built into the program: the start-up title, the
// About picture, the three end-of-game scenes, and the program's icon.
#pragma once

#include <QImage>
#include <QString>

namespace make_data {

// Each at factor times its size (1, or 2 for scaled screens: bitmaps 1102 to 1107).
QImage TitlePicture(int factor = 1);                          // bitmap 102, 640 by 480
QImage AboutPicture(const QString& version, int factor = 1);  // bitmap 103, 400 by 400
QImage WinPicture(int factor = 1);                            // bitmap 105, 640 by 480
QImage LossPicture(int factor = 1);                           // bitmap 106, 640 by 480
QImage TiePicture(int factor = 1);                            // bitmap 107, 640 by 480
QImage IconPicture(int size);                                 // icon 104, square with transparency

}  // namespace make_data

// tools/make_data/popup_pictures.h: the pictures built into the program: the start-up title, the
// About picture, the three end-of-game scenes, and the program's icon.
#pragma once

#include <QImage>
#include <QString>

namespace make_data {

QImage TitlePicture();                        // bitmap 102, 640 by 480
QImage AboutPicture(const QString& version);  // bitmap 103, 400 by 400
QImage WinPicture();                          // bitmap 105, 640 by 480
QImage LossPicture();                         // bitmap 106, 640 by 480
QImage TiePicture();                          // bitmap 107, 640 by 480
QImage IconPicture(int size);                 // icon 104, square with transparency

}  // namespace make_data

// tools/make_data/popup_pictures.cpp: the title, About, win, loss and tie pictures and the icon.
// They are drawn in full colour here; the caller reduces them to their colour tables.
#include "tools/make_data/popup_pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "tools/make_data/fonts.h"
#include "tools/make_data/scenery.h"

namespace make_data {
namespace {

constexpr int SceneWidth = 640;
constexpr int SceneHeight = 480;

const ProfileStyle SteelShip{QColor(84, 92, 104), QColor(126, 134, 146), QColor(22, 26, 32)};
const ProfileStyle DuskShip{QColor(30, 28, 40), QColor(44, 40, 54), QColor(14, 12, 20)};
const ProfileStyle EnemyShip{QColor(96, 70, 70), QColor(136, 110, 106), QColor(30, 20, 20)};
const ProfileStyle BurntShip{QColor(52, 40, 34), QColor(78, 62, 52), QColor(18, 14, 12)};

// A scene of width by height, on factor times as many pixels each way: the painter takes the
// image's pixel ratio, so every scene is drawn in its own units at either size.
QImage NewScene(int width, int height, int factor) {
    QImage image(width * factor, height * factor, QImage::Format_RGB32);
    image.fill(Qt::black);
    if (factor != 1) image.setDevicePixelRatio(factor);
    return image;
}

void Begin(QPainter& p, QImage& image) {
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

QLinearGradient Gold(double top, double bottom) {
    QLinearGradient gold(0, top, 0, bottom);
    gold.setColorAt(0.0, QColor(255, 238, 150));
    gold.setColorAt(0.5, QColor(250, 196, 60));
    gold.setColorAt(1.0, QColor(200, 120, 20));
    return gold;
}

// A ship's wheel: the emblem of the About picture and of the icon.
void Wheel(QPainter& p, QPointF centre, double radius, const QColor& wood, const QColor& dark) {
    p.setPen(QPen(dark, radius * 0.05));
    p.setBrush(wood);
    for (int spoke = 0; spoke < 8; ++spoke) {
        p.save();
        p.translate(centre);
        p.rotate(spoke * 45.0);
        p.drawRoundedRect(QRectF(-radius * 0.06, -radius * 1.18, radius * 0.12, radius * 0.5),
                          radius * 0.05, radius * 0.05);
        p.drawEllipse(QPointF(0, -radius * 1.22), radius * 0.1, radius * 0.1);
        p.drawRect(QRectF(-radius * 0.04, -radius * 0.75, radius * 0.08, radius * 0.5));
        p.restore();
    }
    QPainterPath rim;
    rim.addEllipse(centre, radius * 0.8, radius * 0.8);
    rim.addEllipse(centre, radius * 0.64, radius * 0.64);
    p.drawPath(rim);
    p.drawEllipse(centre, radius * 0.22, radius * 0.22);
    p.setBrush(dark);
    p.drawEllipse(centre, radius * 0.08, radius * 0.08);
}

}  // namespace

QImage TitlePicture(int factor) {
    QImage image = NewScene(SceneWidth, SceneHeight, factor);
    QPainter p;
    Begin(p, image);
    const double horizon = 300;
    Sky(p, QRectF(0, 0, SceneWidth, horizon), QColor(18, 26, 66), QColor(236, 126, 62));
    Clouds(p, QRectF(0, 40, SceneWidth, 170), 7, QColor(120, 70, 90, 150), 5);
    Sun(p, QPointF(470, horizon + 6), 30, QColor(255, 214, 120), QColor(255, 150, 60, 150));
    Sea(p, QRectF(0, horizon, SceneWidth, SceneHeight - horizon), QColor(70, 54, 80),
        QColor(8, 18, 44), QColor(240, 150, 90), 6);
    Glint(p, 470, horizon, SceneHeight, QColor(255, 190, 110), 7);
    SmokeColumn(p, QPointF(246, horizon - 76), 16, QColor(40, 34, 48), 8);
    ProfileShip(p, 260, horizon + 34, 400, 1, 0, 0, DuskShip);
    Foam(p, QPointF(452, horizon + 34), 40, 9);
    Foam(p, QPointF(300, horizon + 36), 300, 10);
    Lettering(p, "TIDEWRACK", QPointF(SceneWidth / 2.0, 96), 86, true, Gold(60, 130),
              QColor(20, 16, 40), 3.5);
    Lettering(p, "A naval battle in salvos", QPointF(SceneWidth / 2.0, 158), 26, false,
              QColor(250, 236, 214), QColor(30, 20, 40), 1.5);
    Lettering(p, "Twelve by twelve. Five ships a side. No mercy.", QPointF(SceneWidth / 2.0, 446),
              18, false, QColor(200, 210, 230), QColor(8, 14, 30), 1.0);
    p.end();
    return image;
}

QImage AboutPicture(const QString& version, int factor) {
    QImage image = NewScene(400, 400, factor);
    QPainter p;
    Begin(p, image);
    QRadialGradient night(QPointF(200, 120), 360);
    night.setColorAt(0.0, QColor(34, 70, 118));
    night.setColorAt(1.0, QColor(6, 14, 36));
    p.fillRect(QRectF(0, 0, 400, 400), night);
    p.setPen(QPen(QColor(196, 160, 86), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(10, 10, 380, 380), 14, 14);
    p.setPen(QPen(QColor(196, 160, 86), 1));
    p.drawRoundedRect(QRectF(17, 17, 366, 366), 10, 10);
    Wheel(p, QPointF(200, 100), 58, QColor(168, 112, 56), QColor(60, 34, 16));
    Lettering(p, "TIDEWRACK", QPointF(200, 204), 44, true, Gold(186, 222), QColor(10, 12, 30), 2.5);
    Lettering(p, "Version " + version, QPointF(200, 240), 17, false, QColor(214, 224, 240),
              QColor(6, 10, 24), 0);
    p.setPen(QPen(QColor(196, 160, 86), 1.5));
    p.drawLine(QPointF(110, 262), QPointF(290, 262));
    const char* credits[] = {"Game design, code, pictures and sounds", "by the Tidewrack team",
                             "Every picture drawn and every sound",
                             "synthesised by our own generator"};
    double y = 286;
    for (const char* line : credits) {
        Lettering(p, line, QPointF(200, y), 15, false, QColor(224, 230, 240), QColor(6, 10, 24), 0);
        y += 21;
    }
    Lettering(p, "Click to return to the battle", QPointF(200, 372), 13, true, QColor(196, 160, 86),
              QColor(6, 10, 24), 0);
    p.end();
    return image;
}

// An end picture stays until a click, as the About picture does, and says so as About does: a
// player who has never seen one would otherwise wait for it to go by itself.
void CloseHint(QPainter& p, double y, const QColor& fill, const QColor& outline) {
    Lettering(p, "Click to return to the boards", QPointF(SceneWidth / 2.0, y), 15, true, fill,
              outline, 1.0);
}

QImage WinPicture(int factor) {
    QImage image = NewScene(SceneWidth, SceneHeight, factor);
    QPainter p;
    Begin(p, image);
    const double horizon = 290;
    Sky(p, QRectF(0, 0, SceneWidth, horizon), QColor(40, 110, 196), QColor(186, 222, 240));
    Sun(p, QPointF(120, 80), 28, QColor(255, 244, 196), QColor(255, 236, 170, 160));
    Clouds(p, QRectF(0, 60, SceneWidth, 150), 6, QColor(250, 250, 252, 210), 21);
    Sea(p, QRectF(0, horizon, SceneWidth, SceneHeight - horizon), QColor(70, 140, 180),
        QColor(12, 56, 104), QColor(214, 236, 246), 22);
    // The enemy goes down by the stern, burning; our ship stands by on the right.
    SmokeColumn(p, QPointF(230, horizon - 40), 22, QColor(60, 56, 58), 23);
    ProfileShip(p, 230, horizon + 40, 300, 1, 16, 0.9, EnemyShip);
    Fire(p, QPointF(228, horizon - 8), 18, 24);
    Foam(p, QPointF(200, horizon + 42), 190, 25);
    ProfileShip(p, 520, horizon + 18, 170, -1, 0, 0, SteelShip);
    Foam(p, QPointF(520, horizon + 19), 150, 26);
    Lettering(p, "VICTORY!", QPointF(SceneWidth / 2.0, 410), 80, true, Gold(370, 450),
              QColor(30, 20, 6), 3.5);
    Lettering(p, "The enemy fleet is on the sea bed", QPointF(SceneWidth / 2.0, 462), 20, false,
              QColor(240, 246, 252), QColor(6, 20, 40), 1.5);
    CloseHint(p, 22, QColor(255, 255, 255), QColor(16, 50, 100));
    p.end();
    return image;
}

QImage LossPicture(int factor) {
    QImage image = NewScene(SceneWidth, SceneHeight, factor);
    QPainter p;
    Begin(p, image);
    const double horizon = 280;
    Sky(p, QRectF(0, 0, SceneWidth, horizon), QColor(26, 28, 34), QColor(92, 96, 104));
    Clouds(p, QRectF(0, 10, SceneWidth, 220), 12, QColor(44, 46, 54, 220), 31);
    // Rain, slanting in the wind.
    p.setPen(QPen(QColor(150, 160, 176, 70), 1));
    for (int i = 0; i < 220; ++i) {
        const double x = (i * 53) % 700 - 30;
        const double y = (i * 97) % 300;
        p.drawLine(QPointF(x, y), QPointF(x - 8, y + 22));
    }
    Sea(p, QRectF(0, horizon, SceneWidth, SceneHeight - horizon), QColor(50, 60, 70),
        QColor(10, 16, 24), QColor(150, 162, 172), 32);
    SmokeColumn(p, QPointF(300, horizon - 4), 26, QColor(24, 22, 24), 33);
    ProfileShip(p, 330, horizon + 50, 340, 1, -24, 1.0, SteelShip);
    Fire(p, QPointF(300, horizon + 26), 20, 34);
    Foam(p, QPointF(330, horizon + 52), 200, 35);
    Lettering(p, "DEFEAT", QPointF(SceneWidth / 2.0, 92), 92, true, QColor(210, 36, 30),
              QColor(20, 4, 4), 3.5);
    Lettering(p, "Your fleet has been sunk", QPointF(SceneWidth / 2.0, 156), 24, false,
              QColor(226, 226, 232), QColor(10, 10, 14), 1.5);
    CloseHint(p, 460, QColor(226, 226, 232), QColor(10, 10, 14));
    p.end();
    return image;
}

QImage TiePicture(int factor) {
    QImage image = NewScene(SceneWidth, SceneHeight, factor);
    QPainter p;
    Begin(p, image);
    const double horizon = 300;
    Sky(p, QRectF(0, 0, SceneWidth, horizon), QColor(30, 22, 60), QColor(150, 82, 92));
    Clouds(p, QRectF(0, 40, SceneWidth, 160), 8, QColor(70, 44, 74, 170), 41);
    Sea(p, QRectF(0, horizon, SceneWidth, SceneHeight - horizon), QColor(74, 48, 76),
        QColor(12, 12, 34), QColor(220, 150, 150), 42);
    SmokeColumn(p, QPointF(150, horizon - 2), 20, QColor(30, 26, 32), 43);
    SmokeColumn(p, QPointF(500, horizon - 2), 20, QColor(30, 26, 32), 44);
    ProfileShip(p, 170, horizon + 42, 250, 1, 14, 1.0, BurntShip);
    ProfileShip(p, 480, horizon + 42, 250, -1, 14, 1.0, BurntShip);
    Fire(p, QPointF(150, horizon + 26), 16, 45);
    Fire(p, QPointF(500, horizon + 26), 16, 46);
    Foam(p, QPointF(160, horizon + 44), 170, 47);
    Foam(p, QPointF(480, horizon + 44), 170, 48);
    Lettering(p, "A DRAW", QPointF(SceneWidth / 2.0, 92), 88, true, QColor(218, 222, 232),
              QColor(20, 14, 34), 3.5);
    Lettering(p, "Both fleets went down in the same salvo", QPointF(SceneWidth / 2.0, 156), 22,
              false, QColor(236, 224, 226), QColor(16, 10, 26), 1.5);
    CloseHint(p, 460, QColor(236, 224, 226), QColor(16, 10, 26));
    p.end();
    return image;
}

QImage IconPicture(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 64.0, size / 64.0);
    QLinearGradient sea(0, 0, 0, 64);
    sea.setColorAt(0.0, QColor(40, 130, 170));
    sea.setColorAt(1.0, QColor(8, 30, 70));
    QPainterPath badge;
    badge.addRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setPen(QPen(QColor(10, 20, 40), 2));
    p.setBrush(sea);
    p.drawPath(badge);
    p.save();
    p.setClipPath(badge);
    p.setPen(QPen(QColor(200, 232, 244, 150), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int row = 0; row < 3; ++row) {
        QPainterPath wave;
        const double y = 46 + row * 6;
        wave.moveTo(4, y);
        for (int x = 4; x < 62; x += 8)
            wave.quadTo(x + 2, y - 2.5, x + 4, y), wave.quadTo(x + 6, y + 2.5, x + 8, y);
        p.drawPath(wave);
    }
    p.restore();
    ProfileShip(p, 31, 42, 50, 1, 0, 0, SteelShip);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 10, 4), 4.4));
    p.drawEllipse(QPointF(40, 30), 11, 11);
    p.setPen(QPen(QColor(255, 170, 30), 2.4));
    p.drawEllipse(QPointF(40, 30), 11, 11);
    for (const auto& [a, b] :
         {std::pair{QPointF(40, 14), QPointF(40, 22)}, std::pair{QPointF(40, 38), QPointF(40, 46)},
          std::pair{QPointF(24, 30), QPointF(32, 30)},
          std::pair{QPointF(48, 30), QPointF(56, 30)}}) {
        p.setPen(QPen(QColor(20, 10, 4), 4.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
        p.setPen(QPen(QColor(255, 170, 30), 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, b);
    }
    p.end();
    return image;
}

}  // namespace make_data

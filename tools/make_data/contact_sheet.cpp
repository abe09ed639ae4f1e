// tools/make_data/contact_sheet.cpp: lays every picture out on one sheet. Each picture set gets
// both boards at its own size, with ships and marks on them the way the game draws them, and
// every one of its files on its own over the sea; then the built-in pictures as the program
// will show them, reduced to their colour tables.
#include <QPainter>

#include "tools/make_data/bmp_writer.h"
#include "tools/make_data/canvas.h"
#include "tools/make_data/data_set.h"
#include "tools/make_data/fonts.h"
#include "tools/make_data/mark_pictures.h"
#include "tools/make_data/popup_pictures.h"
#include "tools/make_data/quantiser.h"
#include "tools/make_data/sea_pictures.h"

namespace make_data {
namespace {

constexpr int SheetWidth = 1700;
constexpr int Margin = 20;

struct Placement {
    int ship;
    bool vertical;
    int column;
    int row;
};
const Placement Fleet[] = {
    {1, false, 1, 1}, {2, true, 8, 2}, {3, false, 2, 6}, {4, true, 10, 6}, {5, false, 5, 10}};

void Caption(QPainter& p, const QString& text, int x, int y) {
    p.setFont(SansFont(15, true));
    p.setPen(QColor(230, 236, 244));
    p.drawText(x, y, text);
}

QImage Board(const QImage& grid, const PictureSet& set, bool sunk) {
    QImage board = grid.scaled(12 * set.cell.width, 12 * set.cell.height, Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    auto at = [&](int column, int row) {
        return QPoint(column * set.cell.width, row * set.cell.height);
    };
    for (const Placement& ship : Fleet) {
        const QPoint corner = at(ship.column, ship.row);
        DrawTransparentAt(board, ShipPicture(ship.ship, sunk, ship.vertical, set.cell), corner.x(),
                          corner.y());
    }
    const QImage hit = HitPicture(set.cell);
    const QImage miss = MissPicture(set.cell);
    const QImage target = TargetPicture(set.cell);
    for (const QPoint cell : {QPoint(2, 1), QPoint(3, 1), QPoint(8, 4), QPoint(10, 8)}) {
        DrawTransparentAt(board, hit, at(cell.x(), cell.y()).x(), at(cell.x(), cell.y()).y());
    }
    for (const QPoint cell : {QPoint(6, 3), QPoint(0, 11), QPoint(4, 8), QPoint(11, 0)}) {
        DrawTransparentAt(board, miss, at(cell.x(), cell.y()).x(), at(cell.x(), cell.y()).y());
    }
    for (const QPoint cell : {QPoint(5, 9), QPoint(8, 3), QPoint(1, 4), QPoint(6, 10)}) {
        DrawTransparentAt(board, target, at(cell.x(), cell.y()).x(), at(cell.x(), cell.y()).y());
    }
    return board;
}

// Every file of the set side by side over a strip of the sea; returns the height used.
int Pieces(QPainter& p, QImage& sheet, const QImage& sea, const PictureSet& set, int x, int y) {
    const int stripWidth = SheetWidth - x - Margin;
    // Room for up to three rows of marks and horizontal ships, then the vertical ships.
    const int stripHeight = 3 * (set.cell.height + Margin / 2) + 5 * set.cell.height + 2 * Margin;
    p.drawImage(QRect(x, y, stripWidth, stripHeight), sea,
                QRect(0, sea.height() - stripHeight, stripWidth, stripHeight));
    int cx = x + Margin / 2;
    int cy = y + Margin / 2;
    std::vector<QImage> row = {TargetPicture(set.cell), MissPicture(set.cell),
                               HitPicture(set.cell)};
    for (bool sunk : {false, true}) {
        for (int ship = 1; ship <= 5; ++ship)
            row.push_back(ShipPicture(ship, sunk, false, set.cell));
    }
    for (const QImage& image : row) {
        if (cx + image.width() > x + stripWidth) {
            cx = x + Margin / 2;
            cy += set.cell.height + Margin / 2;
        }
        DrawTransparentAt(sheet, image, cx, cy);
        cx += image.width() + Margin / 2;
    }
    cx = x + Margin / 2;
    cy += set.cell.height + Margin / 2;
    for (bool sunk : {false, true}) {
        for (int ship = 1; ship <= 5; ++ship) {
            const QImage image = ShipPicture(ship, sunk, true, set.cell);
            DrawTransparentAt(sheet, image, cx, cy);
            cx += image.width() + Margin / 2;
        }
    }
    return stripHeight;
}

}  // namespace

QImage ContactSheet(const QString& version) {
    const QImage sea = SeaBackPicture();
    const QImage home = HomeBoardPicture();
    const QImage enemy = EnemyBoardPicture();
    QImage sheet(SheetWidth, 2700, QImage::Format_RGB32);
    sheet.fill(QColor(40, 44, 52));
    QPainter p(&sheet);
    int y = Margin;
    Caption(p, "SeaBack.bmp (half size), Grid1.bmp, Grid2.bmp", Margin, y + 14);
    y += 24;
    p.drawImage(QRect(Margin, y, 512, 384), sea);
    p.drawImage(Margin + 512 + Margin, y, home);
    p.drawImage(Margin + 512 + 2 * Margin + 480, y, enemy);
    y += 504 + Margin;
    for (const PictureSet& set : PictureSets) {
        // The double set is the 1024 one drawn finer; at its size it would not fit the sheet.
        if (set.screenWidth == DoubleSetWidth) continue;
        Caption(p,
                QString("Pictures/P%1: cells %2 by %3")
                    .arg(set.screenWidth)
                    .arg(set.cell.width)
                    .arg(set.cell.height),
                Margin, y + 14);
        y += 24;
        const QImage left = Board(home, set, false);
        const QImage right = Board(enemy, set, true);
        p.drawImage(Margin, y, left);
        p.drawImage(Margin + left.width() + Margin, y, right);
        const int piecesX = Margin + 2 * (left.width() + Margin);
        p.end();
        const int used = [&] {
            QPainter strip(&sheet);
            return Pieces(strip, sheet, sea, set, piecesX, y);
        }();
        p.begin(&sheet);
        y += std::max(left.height(), used) + Margin;
    }
    Caption(p, "Built-in pictures 102, 103, 105, 106, 107 (half size, as reduced to 8 bits)",
            Margin, y + 14);
    y += 24;
    const QImage scenes[] = {TitlePicture(), AboutPicture(version), WinPicture(), LossPicture(),
                             TiePicture()};
    int x = Margin;
    for (int i = 0; i < 5; ++i) {
        const QImage reduced = ExpandIndexed(Quantise(scenes[i], i == 1 ? 121 : 256));
        const QSize size = reduced.size() / 2;
        p.drawImage(QRect(QPoint(x, y), size), reduced);
        x += size.width() + Margin / 2;
    }
    y += 240 + Margin;
    p.drawImage(QPoint(x - 2 * Margin - 64, y - Margin - 64), IconPicture(64));
    p.end();
    return sheet.copy(0, 0, SheetWidth, y);
}

}  // namespace make_data

// tools/make_data/data_set.cpp: names every output file and encodes it.
#include "tools/make_data/data_set.h"

#include <QBuffer>
#include <QFile>
#include <QList>
#include <stdexcept>

#include "tools/make_data/bmp_writer.h"
#include "tools/make_data/icon_file.h"
#include "tools/make_data/mark_pictures.h"
#include "tools/make_data/popup_pictures.h"
#include "tools/make_data/quantiser.h"
#include "tools/make_data/sea_pictures.h"
#include "tools/make_data/sounds.h"

namespace make_data {
namespace {

constexpr int MaxInstructionColumns = 100;
constexpr int IconSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int EmbeddedIconSize = 64;

std::vector<std::uint8_t> Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw std::runtime_error("PNG encoding failed");
    return {bytes.begin(), bytes.end()};
}

void AddPictureSet(std::vector<OutputFile>& files, const PictureSet& set) {
    const QString folder = QString("Pictures/P%1/").arg(set.screenWidth);
    files.push_back({folder + "Target.bmp", EncodeBmp24(TargetPicture(set.cell))});
    files.push_back({folder + "Miss.bmp", EncodeBmp24(MissPicture(set.cell))});
    files.push_back({folder + "Hit.bmp", EncodeBmp24(HitPicture(set.cell))});
    for (int ship = 1; ship <= 5; ++ship) {
        for (const bool sunk : {false, true}) {
            for (const bool vertical : {false, true}) {
                const QString name = QString("%1%2%3.bmp")
                                         .arg(sunk ? "sunk" : "boat")
                                         .arg(ship)
                                         .arg(vertical ? "b" : "");
                files.push_back(
                    {folder + name, EncodeBmp24(ShipPicture(ship, sunk, vertical, set.cell))});
            }
        }
    }
    if (set.screenWidth == DoubleSetWidth) {
        files.push_back({folder + "SeaBack.bmp", EncodeBmp24(SeaBackPicture(2))});
        files.push_back({folder + "Grid1.bmp", EncodeBmp24(HomeBoardPicture(2))});
        files.push_back({folder + "Grid2.bmp", EncodeBmp24(EnemyBoardPicture(2))});
    }
}

QByteArray ReadInstructions(const QString& source) {
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + source.toStdString());
    }
    const QByteArray text = file.readAll();
    const QString problem = CheckInstructions(text);
    if (!problem.isEmpty()) throw std::runtime_error(problem.toStdString());
    return text;
}

}  // namespace

QString CheckInstructions(const QByteArray& text) {
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 3) return "the instructions need two title lines and a body";
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray& line = lines[n];
        if (line.size() > MaxInstructionColumns) {
            return QString("instructions line %1 is longer than %2 characters")
                .arg(n + 1)
                .arg(MaxInstructionColumns);
        }
        for (char c : line) {
            if (c < 32 || c > 126) {
                return QString(
                           "instructions line %1 holds a character that is not plain "
                           "printable ASCII")
                    .arg(n + 1);
            }
        }
    }
    return {};
}

std::vector<OutputFile> DataFiles(const QString& instructionsSource) {
    // Checked first, so that a bad text fails the build before any drawing.
    const QByteArray text = ReadInstructions(instructionsSource);
    std::vector<OutputFile> files;
    files.push_back({"Pictures/SeaBack.bmp", EncodeBmp24(SeaBackPicture())});
    files.push_back({"Pictures/Grid1.bmp", EncodeBmp24(HomeBoardPicture())});
    files.push_back({"Pictures/Grid2.bmp", EncodeBmp24(EnemyBoardPicture())});
    for (const PictureSet& set : PictureSets) AddPictureSet(files, set);
    for (SoundFile& sound : MakeSounds()) {
        files.push_back({"Sounds/" + QString::fromStdString(sound.name), std::move(sound.bytes)});
    }
    files.push_back({"instruct.txt", {text.begin(), text.end()}});
    return files;
}

std::vector<OutputFile> ResourceFiles(const QString& version) {
    std::vector<OutputFile> files;
    // The double size of each picture has the id 1000 above it.
    for (const int factor : {1, 2}) {
        const QImage pictures[] = {TitlePicture(factor), AboutPicture(version, factor),
                                   WinPicture(factor), LossPicture(factor), TiePicture(factor)};
        const int ids[] = {102, 103, 105, 106, 107};
        for (int i = 0; i < 5; ++i) {
            // The About picture has a colour table of exactly 121 entries, the others 256.
            const int colours = ids[i] == 103 ? 121 : 256;
            const int id = ids[i] + (factor == 2 ? DoubleBitmapOffset : 0);
            files.push_back(
                {QString("bitmap%1.bmp").arg(id), EncodeBmp8(Quantise(pictures[i], colours))});
        }
    }
    files.push_back({"icon104.png", Png(IconPicture(EmbeddedIconSize))});
    return files;
}

std::vector<OutputFile> IconFiles() {
    std::vector<OutputFile> files;
    for (int size : IconSizes) {
        files.push_back({QString("%1x%1/tidewrack.png").arg(size), Png(IconPicture(size))});
    }
    return files;
}

std::vector<std::uint8_t> WindowsIconFile() {
    std::vector<IconImage> images;
    for (int size : IconSizes) images.push_back({size, Png(IconPicture(size))});
    return IconFile(images);
}

}  // namespace make_data

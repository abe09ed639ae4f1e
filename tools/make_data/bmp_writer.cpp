// tools/make_data/bmp_writer.cpp: the file header, the 40-byte info header, the colour table and
// the pixel rows, each row padded to four bytes.
#include "tools/make_data/bmp_writer.h"

#include <stdexcept>

namespace make_data {
namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr std::int32_t PixelsPerMetre = 2835;  // 72 dots per inch

class ByteWriter {
  public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : bytes(out) {}
    void U8(std::uint32_t v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
    void U16(std::uint32_t v) {
        U8(v & 0xFF);
        U8((v >> 8) & 0xFF);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }

  private:
    std::vector<std::uint8_t>& bytes;
};

int RowBytes(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

void WriteHeaders(ByteWriter& out, int width, int height, int bitsPerPixel, int colours) {
    const std::uint32_t pixelOffset = FileHeaderSize + InfoHeaderSize + 4 * colours;
    const std::uint32_t imageSize = RowBytes(width, bitsPerPixel) * height;
    out.U8('B');
    out.U8('M');
    out.U32(pixelOffset + imageSize);
    out.U16(0);
    out.U16(0);
    out.U32(pixelOffset);
    out.U32(InfoHeaderSize);
    out.U32(static_cast<std::uint32_t>(width));
    out.U32(static_cast<std::uint32_t>(height));
    out.U16(1);
    out.U16(bitsPerPixel);
    out.U32(0);  // no compression
    out.U32(imageSize);
    out.U32(PixelsPerMetre);
    out.U32(PixelsPerMetre);
    out.U32(colours);
    out.U32(0);  // all colours count
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    WriteHeaders(out, image.width(), image.height(), 24, 0);
    const int padding = RowBytes(image.width(), 24) - 3 * image.width();
    for (int y = image.height() - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out.U8(qBlue(row[x]));
            out.U8(qGreen(row[x]));
            out.U8(qRed(row[x]));
        }
        for (int i = 0; i < padding; ++i) out.U8(0);
    }
    return bytes;
}

std::vector<std::uint8_t> EncodeBmp8(const IndexedImage& image) {
    const int colours = static_cast<int>(image.palette.size());
    if (colours < 1 || colours > 256) throw std::invalid_argument("palette of 1 to 256 colours");
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    WriteHeaders(out, image.width, image.height, 8, colours);
    for (QRgb colour : image.palette) {
        out.U8(qBlue(colour));
        out.U8(qGreen(colour));
        out.U8(qRed(colour));
        out.U8(0);
    }
    const int padding = RowBytes(image.width, 8) - image.width;
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t index = image.indices[static_cast<std::size_t>(y) * image.width + x];
            if (index >= colours) throw std::invalid_argument("index beyond the palette");
            out.U8(index);
        }
        for (int i = 0; i < padding; ++i) out.U8(0);
    }
    return bytes;
}

QImage ExpandIndexed(const IndexedImage& image) {
    QImage result(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < image.width; ++x) {
            row[x] = image.palette[image.indices[static_cast<std::size_t>(y) * image.width + x]];
        }
    }
    return result;
}

}  // namespace make_data

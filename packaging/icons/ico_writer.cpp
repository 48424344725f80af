#include "ico_writer.h"

#include <QHash>
#include <QList>

namespace {

constexpr int MaxSide = 256;
constexpr int PaletteSize = 256;
constexpr int DirectorySize = 6 + 16;
constexpr int BitmapHeaderSize = 40;

void putU8(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xff));
}

void putU16(QByteArray& out, int value) {
    putU8(out, value);
    putU8(out, value >> 8);
}

void putU32(QByteArray& out, qint64 value) {
    putU16(out, static_cast<int>(value & 0xffff));
    putU16(out, static_cast<int>((value >> 16) & 0xffff));
}

IcoFile failure(QString error) {
    return {QByteArray(), std::move(error)};
}

} // namespace

IcoFile encodeIco8(const QImage& source) {
    if (source.isNull())
        return failure(QStringLiteral("the image is empty"));
    if (source.width() > MaxSide || source.height() > MaxSide)
        return failure(QStringLiteral("the image is %1×%2; an icon is at most 256×256")
                           .arg(source.width())
                           .arg(source.height()));

    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    // Bitmap rows are padded to whole 32-bit words and stored bottom row first.
    const int colourStride = (width + 3) / 4 * 4;
    const int maskStride = (width + 31) / 32 * 4;
    QByteArray colours(colourStride * height, '\0');
    QByteArray mask(maskStride * height, '\0');

    // Windows draws a pixel as (screen AND mask) XOR colour, so a masked pixel must have colour
    // black, index 0, for the background to show through unchanged.
    QList<QRgb> palette{qRgb(0, 0, 0)};
    QHash<QRgb, int> indexOf{{qRgb(0, 0, 0), 0}};
    for (int y = 0; y < height; ++y) {
        const int row = height - 1 - y;
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int alpha = qAlpha(pixel);
            if (alpha == 0) {
                mask[row * maskStride + x / 8] =
                    static_cast<char>(mask[row * maskStride + x / 8] | (0x80 >> (x % 8)));
                continue;
            }
            if (alpha != 255)
                return failure(QStringLiteral("pixel (%1, %2) is partly transparent; an 8-bit "
                                              "icon is either opaque or transparent")
                                   .arg(x)
                                   .arg(y));
            auto found = indexOf.constFind(pixel);
            if (found == indexOf.constEnd()) {
                if (palette.size() == PaletteSize)
                    return failure(
                        QStringLiteral("the image has more than 256 colours, counting black"));
                found = indexOf.insert(pixel, static_cast<int>(palette.size()));
                palette.append(pixel);
            }
            colours[row * colourStride + x] = static_cast<char>(found.value());
        }
    }
    palette.resize(PaletteSize, qRgb(0, 0, 0));

    const qint64 bitmapSize =
        BitmapHeaderSize + PaletteSize * 4 + qint64(colours.size()) + qint64(mask.size());
    QByteArray out;
    out.reserve(static_cast<qsizetype>(DirectorySize + bitmapSize));

    // ICONDIR and its one ICONDIRENTRY; a side of 256 is written as 0.
    putU16(out, 0); // reserved
    putU16(out, 1); // type: icon
    putU16(out, 1); // image count
    putU8(out, width % MaxSide);
    putU8(out, height % MaxSide);
    putU8(out, 0);  // palette size: 0 means 256 or more
    putU8(out, 0);  // reserved
    putU16(out, 1); // colour planes
    putU16(out, 8); // bits per pixel
    putU32(out, bitmapSize);
    putU32(out, DirectorySize);

    // BITMAPINFOHEADER: the height counts the colour bitmap and the mask together.
    putU32(out, BitmapHeaderSize);
    putU32(out, width);
    putU32(out, 2 * height);
    putU16(out, 1); // planes
    putU16(out, 8); // bits per pixel
    putU32(out, 0); // no compression
    putU32(out, qint64(colours.size()) + qint64(mask.size()));
    putU32(out, 0); // horizontal resolution: unspecified
    putU32(out, 0); // vertical resolution: unspecified
    putU32(out, 0); // colours used: 0 means all 256
    putU32(out, 0); // important colours: all

    for (const QRgb colour : palette) {
        putU8(out, qBlue(colour));
        putU8(out, qGreen(colour));
        putU8(out, qRed(colour));
        putU8(out, 0);
    }
    out.append(colours);
    out.append(mask);
    return {out, QString()};
}

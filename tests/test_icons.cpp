#include "ico_writer.h"
#include "png_writer.h"
#include "xpm_reader.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>

#include <optional>

namespace {

QImage read(const QString& path, const char* format) {
    QImageReader reader(path, format);
    return reader.read();
}

QImage decode(const std::string& bytes, const char* format) {
    QBuffer buffer;
    buffer.setData(QByteArray::fromStdString(bytes));
    QImageReader reader(&buffer, format);
    return reader.read();
}

// The writers take plain pixels; Qt's image is only the independent reader here.
Image plain(const QImage& qimage) {
    const QImage argb = qimage.convertToFormat(QImage::Format_ARGB32);
    Image image{argb.width(), argb.height(), {}};
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            image.pixels.push_back(argb.pixel(x, y));
    return image;
}

quint32 u32At(const QByteArray& bytes, qsizetype at) {
    quint32 value = 0;
    for (qsizetype i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes.at(at + i));
    return value;
}

quint16 u16At(const QByteArray& bytes, qsizetype at) {
    return static_cast<quint16>(static_cast<quint8>(bytes.at(at)) |
                                (static_cast<quint8>(bytes.at(at + 1)) << 8));
}

// Transparent pixels are equal whatever colour they carry: no icon format keeps it.
std::optional<QString> firstDifference(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size())
        return QStringLiteral("size %1×%2, expected %3×%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    const QImage a = actual.convertToFormat(QImage::Format_ARGB32);
    const QImage e = expected.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < e.height(); ++y)
        for (int x = 0; x < e.width(); ++x) {
            const QRgb ap = a.pixel(x, y);
            const QRgb ep = e.pixel(x, y);
            if (qAlpha(ap) == 0 && qAlpha(ep) == 0)
                continue;
            if (ap != ep)
                return QStringLiteral("pixel (%1, %2) is #%3, expected #%4")
                    .arg(x)
                    .arg(y)
                    .arg(ap, 8, 16, QLatin1Char('0'))
                    .arg(ep, 8, 16, QLatin1Char('0'));
        }
    return std::nullopt;
}

// Every pixel different from its neighbours, with a transparent diagonal, so that a wrong row
// order, row padding or mask bit shows.
QImage pattern(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           x == y ? qRgba(0, 0, 0, 0)
                                  : qRgb((x * 37) % 256, (y * 53) % 256, ((x + y) * 11) % 4 * 60));
    return image;
}

} // namespace

class IconsTest : public QObject {
    Q_OBJECT

private slots:
    // The build makes both files from the XPM; a picture that drifts from the window's own icon
    // would show the user a different bird on the desktop or in Explorer.
    void generatedIconsShowTheXpm_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("png") << QStringLiteral(KRIVOKLYUN_PNG) << QByteArray("png");
        QTest::newRow("ico") << QStringLiteral(KRIVOKLYUN_ICO) << QByteArray("ico");
    }
    void generatedIconsShowTheXpm() {
        QFETCH(QString, path);
        QFETCH(QByteArray, format);
        const QImage xpm = read(QStringLiteral(KRIVOKLYUN_XPM), "xpm");
        QCOMPARE(xpm.size(), QSize(32, 32));
        const QImage generated = read(path, format.constData());
        QVERIFY2(!generated.isNull(), qPrintable(path));
        const auto difference = firstDifference(generated, xpm);
        QVERIFY2(!difference, qPrintable(difference.value_or(QString())));
    }

    void generatedIcoIsOne32PixelPaletteBitmap() {
        QFile file(QStringLiteral(KRIVOKLYUN_ICO));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray ico = file.readAll();
        QCOMPARE(ico.size(), 6 + 16 + 40 + 256 * 4 + 32 * 32 + 32 * 4);
        QCOMPARE(u16At(ico, 2), quint16(1)); // an icon, not a cursor
        QCOMPARE(u16At(ico, 4), quint16(1)); // one image
        QCOMPARE(static_cast<quint8>(ico.at(6)), quint8(32));
        QCOMPARE(static_cast<quint8>(ico.at(7)), quint8(32));
        QCOMPARE(u16At(ico, 12), quint16(8)); // bits per pixel in the directory...
        QCOMPARE(u32At(ico, 14), quint32(ico.size() - 22));
        QCOMPARE(u32At(ico, 18), quint32(22));
        QCOMPARE(u32At(ico, 22 + 8),
                 quint32(64)); // ...and in the bitmap, whose height holds the mask
        QCOMPARE(u16At(ico, 22 + 14), quint16(8));
    }

    // Qt's reader is an independent decoder: what it reads back is what Windows will draw.
    void anySizeUpTo256RoundTrips_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("one pixel") << QSize(1, 1);
        QTest::newRow("odd width, padded rows") << QSize(5, 3);
        QTest::newRow("mask wider than one word") << QSize(33, 2);
        QTest::newRow("tall") << QSize(3, 40);
        QTest::newRow("largest") << QSize(256, 256);
    }
    void anySizeUpTo256RoundTrips() {
        QFETCH(QSize, size);
        QImage image = pattern(size.width(), size.height());
        // A 256×256 pattern has more colours than a palette holds.
        if (size.width() > 16)
            image = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither)
                        .convertToFormat(QImage::Format_ARGB32);
        const Encoded ico = encodeIco8(plain(image));
        QVERIFY2(ico.error.empty(), ico.error.c_str());
        QCOMPARE(static_cast<quint8>(ico.bytes.at(6)), quint8(size.width() % 256));
        auto difference = firstDifference(decode(ico.bytes, "ico"), image);
        QVERIFY2(!difference, qPrintable(difference.value_or(QString())));
        // The PNG keeps partial transparency too, and a large image spans several stored blocks,
        // each of which the decoder checks along with the CRCs and the Adler-32.
        image.setPixel(0, size.height() - 1, qRgba(200, 100, 50, 77));
        difference = firstDifference(decode(encodePng(plain(image)), "png"), image);
        QVERIFY2(!difference, qPrintable(difference.value_or(QString())));
    }

    void refusesWhatAnEightBitIconCannotHold_data() {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QImage() << QStringLiteral("empty");
        QImage wide(257, 1, QImage::Format_ARGB32);
        wide.fill(Qt::red);
        QTest::newRow("too wide") << wide << QStringLiteral("at most 256×256");
        // Black is kept for transparent pixels, so 256 other colours are one too many.
        QImage colourful(16, 16, QImage::Format_ARGB32);
        for (int i = 0; i < 256; ++i)
            colourful.setPixel(i % 16, i / 16, qRgb(i, 255 - i, 100));
        QTest::newRow("256 colours besides black")
            << colourful << QStringLiteral("more than 256 colours");
        QImage translucent = pattern(4, 4);
        translucent.setPixel(2, 1, qRgba(10, 20, 30, 128));
        QTest::newRow("partly transparent")
            << translucent << QStringLiteral("pixel (2, 1) is partly transparent");
    }
    void refusesWhatAnEightBitIconCannotHold() {
        QFETCH(QImage, image);
        QFETCH(QString, reason);
        const Encoded ico = encodeIco8(plain(image));
        QVERIFY(ico.bytes.empty());
        QVERIFY2(QString::fromStdString(ico.error).contains(reason), ico.error.c_str());
    }

    // Black is both the colour of transparent pixels and an opaque colour; 255 others still fit.
    void blackAndTwoHundredFiftyFiveColoursFit() {
        QImage image(16, 16, QImage::Format_ARGB32);
        for (int i = 0; i < 256; ++i)
            image.setPixel(i % 16, i / 16, i == 0 ? qRgb(0, 0, 0) : qRgb(i, 255 - i, 100));
        image.setPixel(15, 15, qRgba(0, 0, 0, 0));
        const Encoded ico = encodeIco8(plain(image));
        QVERIFY2(ico.error.empty(), ico.error.c_str());
        const auto difference = firstDifference(decode(ico.bytes, "ico"), image);
        QVERIFY2(!difference, qPrintable(difference.value_or(QString())));
    }

    // The build reads the XPM with its own reader; Qt's reading of the same file is the reference,
    // including for three-digit colours and several characters per pixel.
    void xpmReaderAgreesWithQt() {
        QFile file(QStringLiteral(KRIVOKLYUN_XPM));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray small = "/* XPM */ static const char* x[] = {\n"
                                 "\"3 2 3 2 0 0\",\n\"   c None\",\n\"ab c #0F8 m white\",\n"
                                 "\"c. s x c #123456\",\n\"ab  c.\",\n\"c.ab  \"};\n";
        for (const QByteArray& text : {file.readAll(), small}) {
            const XpmImage xpm = readXpm(text.toStdString());
            QVERIFY2(xpm.error.empty(), xpm.error.c_str());
            QImage qt;
            QVERIFY(qt.loadFromData(text, "xpm"));
            const QImage ours(reinterpret_cast<const uchar*>(xpm.image.pixels.data()),
                              xpm.image.width, xpm.image.height, QImage::Format_ARGB32);
            const auto difference = firstDifference(ours, qt);
            QVERIFY2(!difference, qPrintable(difference.value_or(QString())));
        }
    }

    void xpmReaderNamesWhatIsWrong_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("bad header") << QByteArray("\"2 x 1 1\"") << QStringLiteral("header");
        QTest::newRow("truncated")
            << QByteArray("\"1 2 1 1\" \"a c #000000\" \"a\"") << QStringLiteral("file ends");
        QTest::newRow("named colour")
            << QByteArray("\"1 1 1 1\" \"a c red\" \"a\"") << QStringLiteral("\"a c red\"");
        QTest::newRow("short row") << QByteArray("\"2 1 1 1\" \"a c #000\" \"a\"")
                                   << QStringLiteral("row 0 has 1 characters, not 2");
        QTest::newRow("undefined pixel") << QByteArray("\"2 1 1 1\" \"a c #000\" \"ab\"")
                                         << QStringLiteral("pixel (1, 0) is \"b\"");
    }
    void xpmReaderNamesWhatIsWrong() {
        QFETCH(QByteArray, text);
        QFETCH(QString, reason);
        const XpmImage xpm = readXpm(text.toStdString());
        QVERIFY(xpm.image.pixels.empty());
        QVERIFY2(QString::fromStdString(xpm.error).contains(reason), xpm.error.c_str());
    }
};

QTEST_GUILESS_MAIN(IconsTest)
#include "test_icons.moc"

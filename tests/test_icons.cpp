#include <QImage>
#include <QImageReader>
#include <QTest>

// The build makes the desktop's PNG and Windows' ICO from the window's XPM. Qt's readers are
// independent of the tool that made them: a picture that drifts from the window's own icon would
// show the user a different bird on the desktop or in Explorer.
class IconsTest : public QObject {
    Q_OBJECT

private slots:
    void madeIconsShowTheXpm_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("png") << QStringLiteral(KRIVOKLYUN_PNG);
        QTest::newRow("ico") << QStringLiteral(KRIVOKLYUN_ICO);
    }
    void madeIconsShowTheXpm() {
        QFETCH(QString, path);
        const QImage xpm =
            QImage(QStringLiteral(KRIVOKLYUN_XPM), "xpm").convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(xpm.size(), QSize(32, 32));
        QImageReader reader(path);
        QCOMPARE(reader.imageCount(), 1);
        const QImage made = reader.read().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(made.size(), xpm.size());
        for (int y = 0; y < xpm.height(); ++y)
            for (int x = 0; x < xpm.width(); ++x) {
                const QRgb m = made.pixel(x, y);
                const QRgb e = xpm.pixel(x, y);
                // No format keeps the colour of a transparent pixel.
                if (m != e && (qAlpha(m) != 0 || qAlpha(e) != 0))
                    QFAIL(qPrintable(QStringLiteral("%1: pixel (%2, %3) is #%4, expected #%5")
                                         .arg(path)
                                         .arg(x)
                                         .arg(y)
                                         .arg(m, 8, 16, QLatin1Char('0'))
                                         .arg(e, 8, 16, QLatin1Char('0'))));
            }
    }
};

QTEST_GUILESS_MAIN(IconsTest)
#include "test_icons.moc"

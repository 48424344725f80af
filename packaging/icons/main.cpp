// Turns the window's XPM icon into the PNG that desktops show and the ICO that Windows shows, so
// that the XPM stays the only picture anyone edits.

#include "ico_writer.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QString>

#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "krivoklyun_icons: %s\n", qPrintable(message));
    return 1;
}

// Written whole or not at all: a half-written icon would otherwise look up to date to the build.
bool writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = path + QStringLiteral(": ") + file.errorString();
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fputs("usage: krivoklyun_icons SOURCE.xpm OUTPUT.png OUTPUT.ico\n", stderr);
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString pngPath = QString::fromLocal8Bit(argv[2]);
    const QString icoPath = QString::fromLocal8Bit(argv[3]);

    QImageReader reader(source, "xpm");
    const QImage icon = reader.read();
    if (icon.isNull())
        return fail(source + QStringLiteral(": ") + reader.errorString());

    QByteArray png;
    QBuffer pngBuffer(&png);
    pngBuffer.open(QIODevice::WriteOnly);
    if (!icon.save(&pngBuffer, "PNG"))
        return fail(QStringLiteral("cannot encode %1 as PNG").arg(source));

    const IcoFile ico = encodeIco8(icon);
    if (!ico.error.isEmpty())
        return fail(source + QStringLiteral(": ") + ico.error);

    QString error;
    if (!writeFile(pngPath, png, &error) || !writeFile(icoPath, ico.bytes, &error))
        return fail(error);
    return 0;
}

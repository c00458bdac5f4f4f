// Turns the board's PNG pictures into raw 32-bit pixels for embedding, so that
// the game's start-up reads them in place instead of decoding them. Each output
// file is <name>.rgb32: width and height as two native 32-bit words, then the
// rows of QImage::Format_RGB32 pixels.
// Usage: raw_art <output folder> <picture.png>...
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: raw_art <output folder> <picture.png>...\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    for (int i = 2; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
        QFile file(out + QLatin1Char('/') + QFileInfo(path).completeBaseName() + QStringLiteral(".rgb32"));
        const quint32 size[] = {quint32(image.width()), quint32(image.height())};
        if (image.isNull() || !file.open(QIODevice::WriteOnly)
            || file.write(reinterpret_cast<const char *>(size), sizeof size) != qint64(sizeof size)
            || file.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) != image.sizeInBytes()
            || !file.flush()) {
            std::fprintf(stderr, "raw_art: cannot turn %s into %s\n", argv[i], qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}

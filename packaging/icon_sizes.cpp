// Scales the 16-pixel program icon up to the desktop icon theme's sizes by whole factors, nearest
// neighbour, so every source pixel becomes a sharp square block and no new colour appears.
//   kestrune_icon_sizes SOURCE.png OUTPUT_DIR SIZE...
// writes OUTPUT_DIR/<SIZE>x<SIZE>.png for each SIZE, a whole multiple of the source's side.

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: kestrune_icon_sizes SOURCE.png OUTPUT_DIR SIZE...\n");
        return 2;
    }
    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    const QImage source = QImage(sourcePath).convertToFormat(QImage::Format_ARGB32);
    if (source.isNull() || source.width() != source.height()) {
        std::fprintf(stderr, "kestrune_icon_sizes: %s is not a square picture\n", argv[1]);
        return 1;
    }
    const QDir output(QString::fromLocal8Bit(argv[2]));
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "kestrune_icon_sizes: cannot create %s\n", argv[2]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        if (!isNumber || size < source.width() || size % source.width() != 0) {
            std::fprintf(stderr, "kestrune_icon_sizes: %s is not a whole multiple of %d\n", argv[i], source.width());
            return 1;
        }
        const QImage scaled = source.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QString name = output.filePath(QStringLiteral("%1x%1.png").arg(size));
        if (!scaled.convertToFormat(QImage::Format_ARGB32).save(name, "PNG")) {
            std::fprintf(stderr, "kestrune_icon_sizes: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}

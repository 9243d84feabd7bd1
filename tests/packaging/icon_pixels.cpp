// Checks that each enlarged icon is the source icon blown up by a whole factor, pixel for pixel:
// every source pixel must become one uniform square block of exactly its own colour and opacity.
//   kestrune_icon_pixels SOURCE.png SCALED.png...
// Prints the first difference of each failing file and exits 1 when any file fails.

#include <QImage>
#include <QString>

#include <cstdio>

namespace {

bool CheckScaled(const QImage& source, const char* path) {
    const QImage scaled = QImage(QString::fromLocal8Bit(path)).convertToFormat(QImage::Format_ARGB32);
    if (scaled.isNull()) {
        std::printf("%s: not a picture\n", path);
        return false;
    }
    if (scaled.width() != scaled.height() || scaled.width() % source.width() != 0) {
        std::printf("%s: %dx%d is not a whole multiple of %dx%d\n", path, scaled.width(), scaled.height(),
                    source.width(), source.height());
        return false;
    }
    const int factor = scaled.width() / source.width();
    for (int y = 0; y < scaled.height(); ++y) {
        for (int x = 0; x < scaled.width(); ++x) {
            const QRgb expected = source.pixel(x / factor, y / factor);
            const QRgb actual = scaled.pixel(x, y);
            if (actual != expected) {
                std::printf("%s: pixel (%d, %d) is #%08x, source pixel (%d, %d) is #%08x\n", path, x, y, actual,
                            x / factor, y / factor, expected);
                return false;
            }
        }
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kestrune_icon_pixels SOURCE.png SCALED.png...\n");
        return 2;
    }
    const QImage source = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32);
    if (source.isNull() || source.width() != source.height()) {
        std::printf("%s: not a square picture\n", argv[1]);
        return 1;
    }
    bool allSharp = true;
    for (int i = 2; i < argc; ++i) allSharp = CheckScaled(source, argv[i]) && allSharp;
    return allSharp ? 0 : 1;
}

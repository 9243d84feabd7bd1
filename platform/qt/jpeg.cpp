#include "platform/qt/jpeg.h"

#include <turbojpeg.h>

#include <climits>
#include <memory>

namespace {
struct HandleDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
// Large enough for any picture of ours; refuses headers that claim absurd sizes.
constexpr int MaximumSide = 8192;
}  // namespace

QImage DecodeJpeg(std::span<const unsigned char> bytes) {
    if (bytes.empty() || bytes.size() > ULONG_MAX) return {};
    // TurboJPEG reports errors by return value; it never ends the process.
    std::unique_ptr<void, HandleDeleter> handle(tjInitDecompress());
    if (!handle) return {};
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(handle.get(), bytes.data(), static_cast<unsigned long>(bytes.size()), &width, &height,
                            &subsampling, &colourspace) != 0)
        return {};
    if (width <= 0 || height <= 0 || width > MaximumSide || height > MaximumSide) return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    // Warnings count as failures: a picture that decodes with complaints is not shown.
    if (tjDecompress2(handle.get(), bytes.data(), static_cast<unsigned long>(bytes.size()), image.bits(), width,
                      static_cast<int>(image.bytesPerLine()), height, TJPF_BGRX, TJFLAG_ACCURATEDCT) != 0)
        return {};
    return image;
}

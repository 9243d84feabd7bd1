// libFuzzer target: the picture decoder on arbitrary bytes. It must never crash, and a picture it
// returns has a real size no larger than the decoder's own limit.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

#include "platform/qt/jpeg.h"

namespace {
constexpr int LargestSide = 8192;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QImage image = DecodeJpeg(std::span<const unsigned char>(data, size));
    if (image.isNull()) return 0;
    if (image.width() <= 0 || image.height() <= 0 || image.width() > LargestSide || image.height() > LargestSide) {
        std::fprintf(stderr, "broken: decoded a %d x %d picture\n", image.width(), image.height());
        __builtin_trap();
    }
    return 0;
}

// The embedded pictures and icon: baseline JPEGs of their exact sizes that decode cleanly, a 16x16
// RGBA icon, and a panel whose painted slot and text areas lie where the controls are placed over it.
#include "assets/embedded.h"

#include <QByteArray>
#include <QColor>
#include <QImage>

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace {

std::span<const unsigned char> Embedded(const std::string& name) {
    const std::span<const unsigned char> bytes = FindEmbeddedFile(name);
    EXPECT_FALSE(bytes.empty()) << name << " is not embedded";
    return bytes;
}

// The start-of-frame markers (C0..CF except DHT, JPG and DAC) of a JPEG's header segments, read
// segment by segment up to the first scan. Empty when the header is not well formed.
std::vector<int> FrameMarkers(std::span<const unsigned char> jpeg) {
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return {};
    std::vector<int> frames;
    std::size_t at = 2;
    while (at + 4 <= jpeg.size()) {
        if (jpeg[at] != 0xFF) return {};
        const int marker = jpeg[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        const std::size_t length = static_cast<std::size_t>(jpeg[at + 2] << 8 | jpeg[at + 3]);
        if (length < 2) return {};
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            frames.push_back(marker);
        if (marker == 0xDA) return frames;
        at += 2 + length;
    }
    return {};
}

using TurboHandle = std::unique_ptr<void, int (*)(tjhandle)>;

// An RGB picture decoded by TurboJPEG; `error` is set on any failure, warnings included.
struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    std::string error;

    QColor At(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                               static_cast<std::size_t>(x)) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

Decoded Decode(std::span<const unsigned char> jpeg) {
    Decoded picture;
    const TurboHandle handle(tjInitDecompress(), tjDestroy);
    int subsampling = 0;
    int colourspace = 0;
    if (tjDecompressHeader3(handle.get(), jpeg.data(), jpeg.size(), &picture.width, &picture.height,
                            &subsampling, &colourspace) != 0) {
        picture.error = tjGetErrorStr2(handle.get());
        return picture;
    }
    picture.rgb.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3);
    if (tjDecompress2(handle.get(), jpeg.data(), jpeg.size(), picture.rgb.data(), picture.width, 0, picture.height,
                      TJPF_RGB, 0) != 0)
        picture.error = tjGetErrorStr2(handle.get());
    return picture;
}

// A small grey square encoded in memory, to prove the frame reader tells the two kinds apart.
std::vector<unsigned char> EncodeSample(int flags) {
    const TurboHandle handle(tjInitCompress(), tjDestroy);
    const std::vector<unsigned char> grey(16 * 16 * 3, 128);
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    EXPECT_EQ(tjCompress2(handle.get(), grey.data(), 16, 0, 16, TJPF_RGB, &jpeg, &size, TJSAMP_444, 90, flags), 0);
    std::vector<unsigned char> bytes(jpeg, jpeg + size);
    tjFree(jpeg);
    return bytes;
}

struct PictureCase {
    const char* name;
    int width;
    int height;
};

void PrintTo(const PictureCase& picture, std::ostream* out) { *out << picture.name; }

const PictureCase kPictures[] = {
    {"BackdropPicture", 540, 600},     {"PanelPicture", 472, 478},    {"LookupPicture", 127, 65},
    {"PreviousFloorPicture", 70, 26}, {"NextFloorPicture", 70, 26},
};

class PictureTest : public testing::TestWithParam<PictureCase> {};

TEST_P(PictureTest, IsOneBaselineFrame) {
    EXPECT_EQ(FrameMarkers(Embedded(GetParam().name)), std::vector<int>{0xC0});
}

TEST_P(PictureTest, DecodesWithoutWarningsAtItsExactSize) {
    const Decoded picture = Decode(Embedded(GetParam().name));
    EXPECT_EQ(picture.error, "");
    EXPECT_EQ(picture.width, GetParam().width);
    EXPECT_EQ(picture.height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Embedded, PictureTest, testing::ValuesIn(kPictures),
                         [](const testing::TestParamInfo<PictureCase>& row) { return std::string(row.param.name); });

TEST(FrameMarkers, TellBaselineFromProgressiveAndRejectBrokenHeaders) {
    EXPECT_EQ(FrameMarkers(EncodeSample(0)), std::vector<int>{0xC0});
    EXPECT_EQ(FrameMarkers(EncodeSample(TJFLAG_PROGRESSIVE)), std::vector<int>{0xC2});
    std::vector<unsigned char> cut = EncodeSample(0);
    cut.resize(40);
    EXPECT_TRUE(FrameMarkers(cut).empty());
}

TEST(Decode, ReportsACorruptPicture) {
    std::vector<unsigned char> corrupt = EncodeSample(0);
    corrupt.resize(corrupt.size() - 20);
    EXPECT_NE(Decode(corrupt).error, "");
}

// Mean colour of an inclusive pixel rectangle.
struct Area {
    int left;
    int top;
    int right;
    int bottom;
};

std::array<double, 3> MeanColour(const Decoded& picture, const Area& area) {
    std::array<double, 3> sum{};
    int count = 0;
    for (int y = area.top; y <= area.bottom; ++y)
        for (int x = area.left; x <= area.right; ++x, ++count) {
            const QColor pixel = picture.At(x, y);
            sum[0] += pixel.red();
            sum[1] += pixel.green();
            sum[2] += pixel.blue();
        }
    for (double& channel : sum) channel /= count;
    return sum;
}

TEST(PanelPicture, EntrySlotMatchesTheEditBoxBackground) {
    const Decoded panel = Decode(Embedded("PanelPicture"));
    ASSERT_EQ(panel.error, "");
    ASSERT_EQ(panel.width, 472);
    ASSERT_EQ(panel.height, 478);
    const Area slot{170, 100, 258, 118};
    const std::array<double, 3> edit{43, 39, 38};
    const std::array<double, 3> mean = MeanColour(panel, slot);
    for (std::size_t c = 0; c < 3; ++c) EXPECT_NEAR(mean[c], edit[c], 20) << "channel " << c;
    // A caption or rim drawn into the slot would stand out even where the mean hides it.
    for (int y = slot.top; y <= slot.bottom; ++y)
        for (int x = slot.left; x <= slot.right; ++x) {
            const QColor pixel = panel.At(x, y);
            ASSERT_LE(std::abs(pixel.red() - 43) + std::abs(pixel.green() - 39) + std::abs(pixel.blue() - 38), 45)
                << "at " << x << "," << y;
        }
}

// Relative luminance as used for contrast ratios (sRGB, linearised).
double Luminance(const std::array<double, 3>& rgb) {
    const auto linear = [](double channel) {
        const double v = channel / 255;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb[0]) + 0.7152 * linear(rgb[1]) + 0.0722 * linear(rgb[2]);
}

double Contrast(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Where a label draws over the panel, in panel pixels, and the label's text colour.
struct TextArea {
    const char* name;
    Area area;
    std::array<double, 3> text;
};

void PrintTo(const TextArea& area, std::ostream* out) { *out << area.name; }

const TextArea kTextAreas[] = {
    {"Introduction", {30, 18, 453, 73}, {255, 255, 0}},
    {"Result", {145, 141, 229, 164}, {255, 255, 255}},
    {"StrengthHeading", {22, 210, 101, 241}, {216, 216, 0}},
    {"StrengthNote", {114, 210, 425, 241}, {0, 128, 128}},
    {"StrengthFigures", {49, 248, 456, 343}, {255, 255, 255}},
};

class PanelTextAreaTest : public testing::TestWithParam<TextArea> {};

// Contrast 3:1, the usual floor for large text; the teal note is the hardest case.
TEST_P(PanelTextAreaTest, IsDarkEnoughForItsLabel) {
    const Decoded panel = Decode(Embedded("PanelPicture"));
    ASSERT_EQ(panel.error, "");
    ASSERT_EQ(panel.width, 472);
    ASSERT_EQ(panel.height, 478);
    const std::array<double, 3> background = MeanColour(panel, GetParam().area);
    EXPECT_GE(Contrast(GetParam().text, background), 3.0)
        << "background " << background[0] << "," << background[1] << "," << background[2];
}

INSTANTIATE_TEST_SUITE_P(PanelPicture, PanelTextAreaTest, testing::ValuesIn(kTextAreas),
                         [](const testing::TestParamInfo<TextArea>& row) { return std::string(row.param.name); });

std::uint32_t BigEndian32(std::span<const unsigned char> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
           bytes[at + 3];
}

QImage IconImage() {
    const std::span<const unsigned char> png = Embedded("DEFAULT_ICON");
    return QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG");
}

TEST(DefaultIcon, IsA16x16PngWithEightBitAlpha) {
    const std::span<const unsigned char> png = Embedded("DEFAULT_ICON");
    const std::array<unsigned char, 8> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GE(png.size(), 33U);
    ASSERT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(BigEndian32(png, 16), 16U) << "width";
    EXPECT_EQ(BigEndian32(png, 20), 16U) << "height";
    EXPECT_EQ(png[24], 8) << "bit depth";
    EXPECT_EQ(png[25], 6) << "colour type (RGBA)";
}

TEST(DefaultIcon, IsABlackCharacterOutlinedInPinkOnTransparency) {
    const QImage icon = IconImage();
    ASSERT_FALSE(icon.isNull());
    for (const auto& [x, y] : std::array<std::pair<int, int>, 4>{{{0, 0}, {15, 0}, {0, 15}, {15, 15}}})
        EXPECT_EQ(qAlpha(icon.pixel(x, y)), 0) << "corner " << x << "," << y;
    int black = 0;
    int pink = 0;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) {
            const QColor pixel = icon.pixelColor(x, y);
            if (pixel.alpha() < 200) continue;
            if (pixel.red() < 60 && pixel.green() < 60 && pixel.blue() < 60) ++black;
            if (pixel.red() > 200 && pixel.green() < 160 && pixel.blue() > 120) ++pink;
        }
    EXPECT_GE(black, 20);
    EXPECT_GE(pink, 20);
}

// icon.ico is the same picture for the Windows resource; it must not drift from icon16.png.
TEST(DefaultIcon, WindowsIconFileHoldsTheSamePixels) {
    std::ifstream file(KESTRUNE_ICON_ICO, std::ios::binary);
    ASSERT_TRUE(file) << KESTRUNE_ICON_ICO << " is missing";
    const std::vector<unsigned char> ico{std::istreambuf_iterator<char>(file), {}};
    const auto little = [&](std::size_t at, int size) {
        std::uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i) value = value << 8 | ico[at + static_cast<std::size_t>(i)];
        return value;
    };
    ASSERT_GE(ico.size(), 22U + 40U + 16U * 16U * 4U);
    EXPECT_EQ(little(2, 2), 1U) << "type";
    EXPECT_EQ(little(4, 2), 1U) << "images";
    EXPECT_EQ(ico[6], 16) << "width";
    EXPECT_EQ(ico[7], 16) << "height";
    EXPECT_EQ(little(12, 2), 32U) << "bits per pixel";
    const std::size_t image = little(18, 4);
    ASSERT_EQ(image + little(14, 4), ico.size());
    ASSERT_EQ(little(image, 4), 40U) << "BITMAPINFOHEADER";
    EXPECT_EQ(little(image + 4, 4), 16U);
    EXPECT_EQ(little(image + 8, 4), 32U) << "colour rows plus mask rows";
    EXPECT_EQ(little(image + 14, 2), 32U);

    const QImage icon = IconImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(icon.isNull());
    const std::size_t pixels = image + 40;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const std::size_t at = pixels + (static_cast<std::size_t>(15 - y) * 16 + static_cast<std::size_t>(x)) * 4;
            ASSERT_EQ(little(at, 4), icon.pixel(x, y)) << "at " << x << "," << y;
        }
}

}  // namespace

// Paints the window's five pictures and the program icon from code.
//   kestrune_paint_assets OUTPUT_DIR
// writes backdrop.jpg, panel.jpg, lookup.jpg, previous_floor.jpg, next_floor.jpg (baseline JPEG),
// icon16.png and icon.ico. The output is the same on every run: textures come from fixed-seed
// random numbers and every font is named explicitly, whatever the locale.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <turbojpeg.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

// Stops the program with a message; the painter has no partial results worth keeping.
[[noreturn]] void Fail(const QString& message) {
    std::fprintf(stderr, "kestrune_paint_assets: %s\n", message.toLocal8Bit().constData());
    std::exit(1);
}

// SplitMix64: a tiny generator with a fixed seed per picture, so textures repeat exactly.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [low, high).
    double Uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(Next() >> 11) * 0x1.0p-53;
    }

    // A point uniform in [left, right) x [top, bottom). Its own function so that x is drawn before y:
    // the order of two draws inside one call's arguments differs between compilers.
    QPointF Point(double left, double top, double right, double bottom) {
        const double x = Uniform(left, right);
        const double y = Uniform(top, bottom);
        return {x, y};
    }

    // Uniform integer in [low, high].
    int Between(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::uint64_t state_;
};

unsigned char ToByte(double value) {
    return static_cast<unsigned char>(std::clamp(std::lround(value), 0L, 255L));
}

// ---- Canvases and pixel work ----

// All painting happens on byte-ordered RGBA so pixel loops need no casts.
constexpr QImage::Format kCanvasFormat = QImage::Format_RGBA8888_Premultiplied;

QImage NewCanvas(int width, int height, QColor fill = Qt::transparent) {
    QImage image(width, height, kCanvasFormat);
    image.fill(fill);
    return image;
}

// Blurs in place with three box passes per axis, close to a Gaussian of about `radius` pixels.
// Edges repeat the border pixels, so a full-frame scene keeps its colours at the edges.
void Blur(QImage& image, int radius) {
    if (radius <= 0) return;
    image = image.convertToFormat(kCanvasFormat);
    const int window = 2 * radius + 1;
    std::vector<int> line;
    const auto blurLine = [&](int count, const auto& pixelAt) {
        line.resize(static_cast<std::size_t>(count) * 4);
        for (int i = 0; i < count; ++i)
            for (int c = 0; c < 4; ++c) line[static_cast<std::size_t>(i * 4 + c)] = pixelAt(i)[c];
        for (int i = 0; i < count; ++i) {
            for (int c = 0; c < 4; ++c) {
                int sum = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const int j = std::clamp(i + k, 0, count - 1);
                    sum += line[static_cast<std::size_t>(j * 4 + c)];
                }
                pixelAt(i)[c] = static_cast<unsigned char>((sum + window / 2) / window);
            }
        }
    };
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < image.height(); ++y)
            blurLine(image.width(), [&](int i) { return image.scanLine(y) + i * 4; });
        for (int x = 0; x < image.width(); ++x)
            blurLine(image.height(), [&](int i) { return image.scanLine(i) + x * 4; });
    }
}

// Fine monochrome grain, so flat areas read as a material rather than a fill.
void AddGrain(QImage& image, Random& random, double amount) {
    for (int y = 0; y < image.height(); ++y) {
        unsigned char* pixel = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x, pixel += 4) {
            const double delta = random.Uniform(-amount, amount);
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<unsigned char>(std::min<int>(ToByte(pixel[c] + delta), pixel[3]));
        }
    }
}

// Soft cloudy variation in grey: random values on a coarse grid, enlarged smoothly.
QImage Mottle(int width, int height, int cell, Random& random) {
    QImage coarse(width / cell + 3, height / cell + 3, kCanvasFormat);
    for (int y = 0; y < coarse.height(); ++y) {
        unsigned char* pixel = coarse.scanLine(y);
        for (int x = 0; x < coarse.width(); ++x, pixel += 4) {
            const unsigned char v = ToByte(random.Uniform(40, 215));
            pixel[0] = pixel[1] = pixel[2] = v;
            pixel[3] = 255;
        }
    }
    QImage large = coarse.scaled(coarse.width() * cell, coarse.height() * cell, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    large = large.copy(cell, cell, width, height);
    Blur(large, std::max(1, cell / 3));
    return large;
}

// Lays a mottle over what is already painted, as a soft-light texture.
void OverlayMottle(QPainter& painter, const QRectF& area, int cell, double strength, Random& random) {
    const QImage mottle = Mottle(static_cast<int>(std::ceil(area.width())),
                                 static_cast<int>(std::ceil(area.height())), cell, random);
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SoftLight);
    painter.setOpacity(strength);
    painter.drawImage(area.topLeft(), mottle);
    painter.restore();
}

// Paints `draw` into a transparent layer, blurs it and lays it over the canvas: glows and soft shadows.
template <typename Draw>
void PaintBlurredLayer(QPainter& painter, QSize size, int radius, Draw draw,
                       QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver) {
    QImage layer = NewCanvas(size.width(), size.height());
    {
        QPainter layerPainter(&layer);
        layerPainter.setRenderHint(QPainter::Antialiasing);
        draw(layerPainter);
    }
    Blur(layer, radius);
    painter.save();
    painter.setCompositionMode(mode);
    painter.drawImage(0, 0, layer);
    painter.restore();
}

// ---- Text ----

// A font chosen by family name, never by locale: the listed families are the only ones accepted.
struct Face {
    QStringList families;
    QFont::Weight weight;
};

const Face& SerifBold() {
    static const Face face{{"Noto Serif CJK SC"}, QFont::Bold};
    return face;
}
const Face& SansBold() {
    static const Face face{{"Noto Sans CJK SC"}, QFont::Bold};
    return face;
}
const Face& Brush() {
    static const Face face{{"AR PL UKai CN"}, QFont::Normal};
    return face;
}

// Outlines are made at this em height and then scaled to their box.
constexpr int kOutlineEm = 200;

// A text outline with its em box starting at (0, 0) and `advance` wide.
struct TextOutline {
    QPainterPath path;
    double advance;
};

TextOutline MakeOutline(const QString& text, const Face& face) {
    QFont font;
    font.setFamilies(face.families);
    font.setWeight(face.weight);
    font.setPixelSize(kOutlineEm);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QString family = QFontInfo(font).family();
    if (!face.families.contains(family))
        Fail(QStringLiteral("font \"%1\" is not installed (got \"%2\")").arg(face.families.join(", "), family));
    const QFontMetricsF metrics(font);
    for (const char32_t c : text.toUcs4())
        if (!metrics.inFontUcs4(c))
            Fail(QStringLiteral("font \"%1\" lacks U+%2").arg(family).arg(static_cast<unsigned>(c), 4, 16, QChar('0')));
    TextOutline outline{{}, metrics.horizontalAdvance(text)};
    // CJK faces put the em box 0.88 em above and 0.12 em below the baseline.
    outline.path.addText(0, 0.88 * kOutlineEm, font, text);
    return outline;
}

// The outline scaled so its em box is as large as fits in `box`, centred there.
QPainterPath FitText(const QString& text, const Face& face, const QRectF& box) {
    const TextOutline outline = MakeOutline(text, face);
    const double scale = std::min(box.width() / outline.advance, box.height() / kOutlineEm);
    QTransform transform;
    transform.translate(box.center().x() - outline.advance * scale / 2, box.center().y() - kOutlineEm * scale / 2);
    transform.scale(scale, scale);
    return transform.map(outline.path);
}

// Metallic gold across a span: bright top, a darker band, warm bottom.
QLinearGradient MetalGold(QPointF from, QPointF to) {
    QLinearGradient gold(from, to);
    gold.setColorAt(0.00, QColor(255, 243, 190));
    gold.setColorAt(0.30, QColor(236, 196, 100));
    gold.setColorAt(0.52, QColor(168, 116, 38));
    gold.setColorAt(0.72, QColor(228, 182, 86));
    gold.setColorAt(1.00, QColor(132, 88, 28));
    return gold;
}

// Gold lettering: a soft dark halo, a dark brown outline, a pale-to-deep gold fill.
void PaintGoldText(QPainter& painter, const QPainterPath& path, double outline, double halo) {
    const QRectF bounds = path.boundingRect();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (halo > 0) {
        const QSize size(painter.device()->width(), painter.device()->height());
        PaintBlurredLayer(painter, size, static_cast<int>(std::ceil(halo)), [&](QPainter& layer) {
            layer.strokePath(path, QPen(QColor(0, 0, 0, 200), halo * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            layer.fillPath(path, QColor(0, 0, 0, 200));
        });
    }
    const QPointF drop(outline * 0.45, outline * 0.7);
    painter.strokePath(path.translated(drop),
                       QPen(QColor(10, 4, 0, 170), outline * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.strokePath(path, QPen(QColor(62, 32, 8), outline * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient gold(bounds.topLeft(), bounds.bottomLeft());
    gold.setColorAt(0.00, QColor(255, 250, 214));
    gold.setColorAt(0.40, QColor(250, 220, 120));
    gold.setColorAt(0.62, QColor(232, 174, 60));
    gold.setColorAt(1.00, QColor(196, 128, 36));
    painter.fillPath(path, gold);
    painter.restore();
}

// A line in gold leaf: a dark edge, a metallic body and a pale glint along the top.
void StrokeGold(QPainter& painter, const QPainterPath& path, double width) {
    const QRectF bounds = path.boundingRect();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.strokePath(path, QPen(QColor(20, 10, 2, 230), width + 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.strokePath(path, QPen(QBrush(MetalGold(bounds.topLeft(), bounds.bottomLeft())), width,
                                  Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.strokePath(path.translated(0, -width * 0.2),
                       QPen(QColor(255, 248, 210, 90), std::max(0.6, width * 0.3), Qt::SolidLine, Qt::FlatCap,
                            Qt::MiterJoin));
    painter.restore();
}

QPainterPath RoundedRect(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

// A polygon with its corners cut off: the outline of plaques and ribbon ends.
QPainterPath CutCornerRect(const QRectF& rect, double cut) {
    QPainterPath path;
    path.addPolygon(QPolygonF({
        {rect.left() + cut, rect.top()}, {rect.right() - cut, rect.top()}, {rect.right(), rect.top() + cut},
        {rect.right(), rect.bottom() - cut}, {rect.right() - cut, rect.bottom()}, {rect.left() + cut, rect.bottom()},
        {rect.left(), rect.bottom() - cut}, {rect.left(), rect.top() + cut}}));
    path.closeSubpath();
    return path;
}

// ---- The backdrop: the game world at dusk ----

void PaintSky(QPainter& painter, Random& random) {
    QLinearGradient sky(0, 0, 0, 330);
    sky.setColorAt(0.00, QColor(6, 10, 30));
    sky.setColorAt(0.45, QColor(16, 26, 64));
    sky.setColorAt(0.78, QColor(44, 48, 96));
    sky.setColorAt(0.93, QColor(104, 70, 96));
    sky.setColorAt(1.00, QColor(150, 96, 84));
    painter.fillRect(QRectF(0, 0, 540, 600), sky);

    QRadialGradient dusk(QPointF(270, 320), 260);
    dusk.setColorAt(0.0, QColor(236, 150, 96, 110));
    dusk.setColorAt(0.5, QColor(160, 90, 110, 40));
    dusk.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.fillRect(QRectF(0, 0, 540, 600), dusk);

    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        const QPointF at = random.Point(0, 0, 540, 220);
        const double size = random.Uniform(0.5, 1.5);
        painter.setBrush(QColor(220, 226, 255, static_cast<int>(random.Uniform(60, 200) * (1 - at.y() / 260))));
        painter.drawEllipse(at, size, size);
    }

    // A pale crescent moon high on the right.
    QPainterPath moon;
    moon.addEllipse(QPointF(452, 58), 22, 22);
    QPainterPath bite;
    bite.addEllipse(QPointF(462, 50), 20, 20);
    PaintBlurredLayer(painter, {540, 600}, 10, [](QPainter& layer) {
        layer.setPen(Qt::NoPen);
        layer.setBrush(QColor(230, 220, 170, 120));
        layer.drawEllipse(QPointF(452, 58), 30, 30);
    });
    painter.fillPath(moon.subtracted(bite), QColor(240, 232, 196));
}

void PaintMountains(QPainter& painter, Random& random) {
    const std::array<QColor, 2> tones{QColor(30, 34, 66), QColor(38, 46, 72)};
    for (int range = 0; range < 2; ++range) {
        QPainterPath ridge;
        ridge.moveTo(0, 340);
        const double base = 270 + range * 22;
        for (double x = 0; x <= 540; x += 18) ridge.lineTo(x, base - random.Uniform(0, 46 - range * 16));
        ridge.lineTo(540, 340);
        ridge.closeSubpath();
        painter.fillPath(ridge, tones[static_cast<std::size_t>(range)]);
    }
    // Haze where the hills meet the glowing horizon.
    QLinearGradient haze(0, 280, 0, 345);
    haze.setColorAt(0, QColor(150, 100, 120, 0));
    haze.setColorAt(1, QColor(150, 100, 120, 90));
    painter.fillRect(QRectF(0, 280, 540, 65), haze);
}

void PaintSlopes(QPainter& painter, Random& random) {
    // Far hills, bluish green, then the near slopes on either side of the road.
    QPainterPath far;
    far.moveTo(0, 318);
    far.cubicTo(120, 300, 200, 336, 270, 344);
    far.cubicTo(340, 336, 420, 300, 540, 318);
    far.lineTo(540, 600);
    far.lineTo(0, 600);
    far.closeSubpath();
    QLinearGradient farTone(0, 300, 0, 400);
    farTone.setColorAt(0, QColor(44, 74, 66));
    farTone.setColorAt(1, QColor(26, 48, 40));
    painter.fillPath(far, farTone);

    for (int side = 0; side < 2; ++side) {
        const auto x = [&](double value) { return side == 0 ? value : 540 - value; };
        QPainterPath slope;
        slope.moveTo(x(0), 306);
        slope.cubicTo(x(90), 300, x(180), 334, x(246), 380);
        slope.lineTo(x(148), 600);
        slope.lineTo(x(0), 600);
        slope.closeSubpath();
        QLinearGradient tone(0, 300, 0, 600);
        tone.setColorAt(0, QColor(46, 86, 46));
        tone.setColorAt(0.5, QColor(30, 64, 36));
        tone.setColorAt(1, QColor(14, 36, 20));
        painter.fillPath(slope, tone);

        painter.save();
        painter.setClipPath(slope);
        for (int i = 0; i < 700; ++i) {
            const QPointF spot = random.Point(0, 300, 250, 600);
            const QPointF at(x(spot.x()), spot.y());
            const double length = random.Uniform(2, 6) * (at.y() / 400);
            const int shade = random.Between(0, 2);
            const QColor blade = shade == 0 ? QColor(78, 130, 62, 150)
                                 : shade == 1 ? QColor(20, 50, 26, 160)
                                              : QColor(110, 150, 70, 110);
            painter.setPen(QPen(blade, 1.1));
            painter.drawLine(at, at + QPointF(random.Uniform(-1.5, 1.5), -length));
        }
        painter.restore();
    }
}

void PaintRoad(QPainter& painter, Random& random) {
    QPainterPath road;
    road.moveTo(244, 378);
    road.cubicTo(226, 440, 190, 520, 150, 600);
    road.lineTo(392, 600);
    road.cubicTo(352, 520, 316, 440, 296, 378);
    road.closeSubpath();
    QLinearGradient tone(0, 378, 0, 600);
    tone.setColorAt(0, QColor(82, 62, 50));
    tone.setColorAt(1, QColor(124, 94, 64));
    painter.fillPath(road, tone);

    painter.save();
    painter.setClipPath(road);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 420; ++i) {
        const double y = random.Uniform(378, 600);
        const double half = 26 + (y - 378) * 0.55;
        const QPointF at(270 + random.Uniform(-half, half), y);
        const double size = random.Uniform(0.6, 2.2) * (y / 450);
        painter.setBrush(random.Between(0, 1) == 0 ? QColor(50, 36, 26, 120) : QColor(170, 140, 100, 90));
        painter.drawEllipse(at, size * 1.4, size);
    }
    // Two wheel ruts.
    for (const double offset : {-0.45, 0.45}) {
        QPainterPath rut;
        rut.moveTo(270 + offset * 30, 380);
        rut.cubicTo(270 + offset * 50, 450, 270 + offset * 90, 520, 270 + offset * 150, 600);
        painter.strokePath(rut, QPen(QColor(52, 38, 28, 110), 3));
    }
    painter.restore();
    // Grass overhangs the road edges.
    painter.strokePath(road, QPen(QColor(26, 56, 30, 200), 2.5));
}

// A round stone tower with a conical roof and a lit window; `base` is the centre of its foot.
void PaintTower(QPainter& painter, QPointF base, double scale, QColor roof) {
    const double width = 28 * scale;
    const double height = 58 * scale;
    const QRectF body(base.x() - width / 2, base.y() - height, width, height);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawEllipse(QPointF(base.x() + 4 * scale, base.y()), width * 0.75, 4 * scale);

    QLinearGradient stone(body.left(), 0, body.right(), 0);
    stone.setColorAt(0.0, QColor(46, 42, 54));
    stone.setColorAt(0.35, QColor(104, 96, 104));
    stone.setColorAt(1.0, QColor(34, 30, 42));
    QPainterPath cylinder;
    cylinder.moveTo(body.topLeft());
    cylinder.lineTo(body.bottomLeft());
    cylinder.quadTo(base.x(), base.y() + 5 * scale, body.right(), body.bottom());
    cylinder.lineTo(body.topRight());
    cylinder.closeSubpath();
    painter.fillPath(cylinder, stone);
    for (double y = body.top() + 9 * scale; y < body.bottom() - 2; y += 9 * scale) {
        QPainterPath course;
        course.moveTo(body.left(), y);
        course.quadTo(base.x(), y + 4 * scale, body.right(), y);
        painter.strokePath(course, QPen(QColor(20, 18, 26, 140), 0.8));
    }

    // Battlement ring and roof.
    const QRectF ring(body.left() - 3 * scale, body.top() - 4 * scale, width + 6 * scale, 8 * scale);
    painter.setBrush(QColor(70, 64, 76));
    painter.drawRoundedRect(ring, 2, 2);
    QLinearGradient roofTone(ring.left(), 0, ring.right(), 0);
    roofTone.setColorAt(0, roof.darker(160));
    roofTone.setColorAt(0.35, roof);
    roofTone.setColorAt(1, roof.darker(220));
    QPainterPath cone;
    cone.moveTo(ring.left() - 1 * scale, ring.top() + 2 * scale);
    cone.lineTo(base.x(), ring.top() - 34 * scale);
    cone.lineTo(ring.right() + 1 * scale, ring.top() + 2 * scale);
    cone.quadTo(base.x(), ring.top() + 7 * scale, ring.left() - 1 * scale, ring.top() + 2 * scale);
    painter.fillPath(cone, roofTone);
    painter.setPen(QPen(QColor(50, 36, 36), 1.0 * scale));
    painter.drawLine(QPointF(base.x(), ring.top() - 34 * scale), QPointF(base.x(), ring.top() - 42 * scale));
    painter.setPen(Qt::NoPen);

    // A warmly lit window with a little glow.
    const QRectF window(base.x() - 3.5 * scale, body.top() + 14 * scale, 7 * scale, 11 * scale);
    QRadialGradient glow(window.center(), 12 * scale);
    glow.setColorAt(0, QColor(255, 190, 90, 120));
    glow.setColorAt(1, QColor(255, 150, 60, 0));
    painter.setBrush(glow);
    painter.drawEllipse(window.center(), 12 * scale, 12 * scale);
    QPainterPath arch;
    arch.moveTo(window.bottomLeft());
    arch.lineTo(window.left(), window.top() + window.width() / 2);
    arch.arcTo(QRectF(window.left(), window.top(), window.width(), window.width()), 180, -180);
    arch.lineTo(window.bottomRight());
    arch.closeSubpath();
    painter.fillPath(arch, QColor(255, 206, 110));
}

// A clump of rounded bushes or tree crowns.
void PaintBushes(QPainter& painter, QPointF at, double size, Random& random) {
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        const QPointF centre = at + random.Point(-size, -size * 0.5, size, 0);
        const double radius = random.Uniform(size * 0.4, size * 0.8);
        QRadialGradient leaves(centre - QPointF(radius * 0.3, radius * 0.4), radius * 1.2);
        leaves.setColorAt(0, QColor(48, 92, 48));
        leaves.setColorAt(1, QColor(12, 32, 18));
        painter.setBrush(leaves);
        painter.drawEllipse(centre, radius, radius * 0.85);
    }
}

void PaintArch(QPainter& painter, Random& random) {
    const QPointF centre(270, 214);
    constexpr double outer = 96;
    constexpr double inner = 46;

    // What lies beyond the arch: a faint violet shimmer over the far road.
    QPainterPath opening;
    opening.moveTo(centre.x() - inner, 378);
    opening.lineTo(centre.x() - inner, centre.y());
    opening.arcTo(QRectF(centre.x() - inner, centre.y() - inner, inner * 2, inner * 2), 180, -180);
    opening.lineTo(centre.x() + inner, 378);
    opening.closeSubpath();
    QRadialGradient shimmer(QPointF(270, 290), 90);
    shimmer.setColorAt(0, QColor(190, 160, 255, 150));
    shimmer.setColorAt(0.6, QColor(110, 90, 200, 70));
    shimmer.setColorAt(1, QColor(60, 50, 140, 0));
    painter.fillPath(opening, shimmer);

    QPainterPath stone;
    stone.addRect(QRectF(centre.x() - outer, centre.y(), outer - inner, 378 - centre.y()));
    stone.addRect(QRectF(centre.x() + inner, centre.y(), outer - inner, 378 - centre.y()));
    QPainterPath ring;
    ring.moveTo(centre.x() - outer, centre.y());
    ring.arcTo(QRectF(centre.x() - outer, centre.y() - outer, outer * 2, outer * 2), 180, -180);
    ring.lineTo(centre.x() + inner, centre.y());
    ring.arcTo(QRectF(centre.x() - inner, centre.y() - inner, inner * 2, inner * 2), 0, 180);
    ring.closeSubpath();
    stone = stone.united(ring);

    QLinearGradient lit(centre.x() - outer, 0, centre.x() + outer, 0);
    lit.setColorAt(0, QColor(62, 60, 76));
    lit.setColorAt(0.45, QColor(48, 46, 60));
    lit.setColorAt(1, QColor(28, 26, 38));
    painter.fillPath(stone, lit);

    painter.save();
    painter.setClipPath(stone);
    const QPen mortar(QColor(14, 12, 20, 200), 1.1);
    // Courses of the two piers, joints staggered.
    for (int row = 0; centre.y() + row * 16 < 378; ++row) {
        const double y = centre.y() + row * 16;
        painter.setPen(mortar);
        painter.drawLine(QPointF(centre.x() - outer, y), QPointF(centre.x() - inner, y));
        painter.drawLine(QPointF(centre.x() + inner, y), QPointF(centre.x() + outer, y));
        const double joint = row % 2 == 0 ? 22 : 36;
        painter.drawLine(QPointF(centre.x() - outer + joint, y), QPointF(centre.x() - outer + joint, y + 16));
        painter.drawLine(QPointF(centre.x() + inner + joint, y), QPointF(centre.x() + inner + joint, y + 16));
    }
    // Voussoirs of the arch.
    for (int i = 1; i < 13; ++i) {
        const double angle = kPi * i / 13;
        const QPointF direction(-std::cos(angle), -std::sin(angle));
        painter.drawLine(centre + direction * inner, centre + direction * outer);
    }
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) {
        const QPointF at = random.Point(centre.x() - outer, 110, centre.x() + outer, 378);
        painter.setBrush(random.Between(0, 1) == 0 ? QColor(0, 0, 0, 50) : QColor(140, 140, 160, 30));
        const QPointF radii = random.Point(1, 1, 4, 3);
        painter.drawEllipse(at, radii.x(), radii.y());
    }
    painter.restore();

    // Keystone, capitals and plinths stand proud of the wall.
    QPainterPath key;
    key.addPolygon(QPolygonF({{257, 112}, {283, 112}, {278, 172}, {262, 172}}));
    painter.fillPath(key, QColor(74, 72, 88));
    painter.strokePath(key, QPen(QColor(14, 12, 20), 1));
    for (const double x : {centre.x() - outer - 6, centre.x() + inner - 6}) {
        const QRectF capital(x, centre.y() - 8, outer - inner + 12, 10);
        const QRectF plinth(x - 4, 352, outer - inner + 20, 28);
        for (const QRectF& block : {capital, plinth}) {
            QLinearGradient tone(0, block.top(), 0, block.bottom());
            tone.setColorAt(0, QColor(84, 82, 98));
            tone.setColorAt(1, QColor(36, 34, 46));
            painter.setPen(QPen(QColor(14, 12, 20), 1));
            painter.setBrush(tone);
            painter.drawRect(block);
        }
    }
    painter.strokePath(stone, QPen(QColor(14, 12, 20), 1.2));

    // Ivy creeping over the stones.
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const bool left = i % 2 == 0;
        const double t = random.Uniform(0, 1);
        QPointF at = left ? QPointF(centre.x() - outer + random.Uniform(-2, 20), 378 - t * 170)
                          : QPointF(centre.x() + outer - random.Uniform(-2, 14), 378 - t * 120);
        painter.setBrush(random.Between(0, 1) == 0 ? QColor(40, 86, 44, 200) : QColor(22, 56, 30, 220));
        const QPointF radii = random.Point(2, 1.5, 5, 3.5);
        painter.drawEllipse(at, radii.x(), radii.y());
    }
}

void PaintLeavesAndBirds(QPainter& painter, Random& random) {
    const std::array<QColor, 4> tints{QColor(128, 176, 64), QColor(204, 168, 56), QColor(206, 112, 44),
                                      QColor(96, 148, 76)};
    for (int i = 0; i < 54; ++i) {
        const double length = random.Uniform(4, 9);
        QPainterPath leaf;
        leaf.moveTo(-length, 0);
        leaf.quadTo(0, -length * 0.55, length, 0);
        leaf.quadTo(0, length * 0.55, -length, 0);
        painter.save();
        painter.translate(random.Point(10, 20, 530, 590));
        painter.rotate(random.Uniform(0, 360));
        QColor tint = tints[static_cast<std::size_t>(random.Between(0, 3))];
        tint.setAlpha(210);
        painter.fillPath(leaf, tint);
        painter.setPen(QPen(tint.darker(170), 0.7));
        painter.drawLine(QPointF(-length, 0), QPointF(length * 0.8, 0));
        painter.restore();
    }
    for (int i = 0; i < 16; ++i) {
        const double span = random.Uniform(4, 11);
        const QPointF at = random.Point(20, 24, 520, 250);
        const double lift = random.Uniform(0.3, 0.7);
        QPainterPath bird;
        bird.moveTo(at + QPointF(-span, -span * 0.15));
        bird.quadTo(at + QPointF(-span * 0.5, -span * lift), at);
        bird.quadTo(at + QPointF(span * 0.5, -span * lift), at + QPointF(span, -span * 0.15));
        painter.strokePath(bird, QPen(QColor(12, 14, 26, 220), std::max(1.0, span / 6), Qt::SolidLine,
                                      Qt::RoundCap, Qt::RoundJoin));
    }
}

// A violet summoning circle, seen flat on the ground at the bottom centre, glowing faintly.
void PaintStarPattern(QPainter& painter) {
    const auto draw = [](QPainter& layer, QColor colour, double width) {
        layer.save();
        layer.translate(270, 578);
        layer.scale(1, 0.27);
        QPen pen(colour, width);
        pen.setCosmetic(true);
        layer.setPen(pen);
        layer.setBrush(Qt::NoBrush);
        layer.drawEllipse(QPointF(0, 0), 168, 168);
        layer.drawEllipse(QPointF(0, 0), 150, 150);
        layer.drawEllipse(QPointF(0, 0), 70, 70);
        for (int triangle = 0; triangle < 2; ++triangle) {
            QPolygonF points;
            for (int k = 0; k < 3; ++k) {
                const double angle = kPi / 2 + triangle * kPi / 3 + k * 2 * kPi / 3;
                points << QPointF(150 * std::cos(angle), -150 * std::sin(angle));
            }
            layer.drawPolygon(points);
        }
        for (int k = 0; k < 24; ++k) {
            const double angle = k * 2 * kPi / 24;
            const QPointF at(159 * std::cos(angle), 159 * std::sin(angle));
            layer.drawLine(at * 0.985, at * 1.015);
        }
        layer.restore();
    };
    const QSize size(540, 600);
    PaintBlurredLayer(painter, size, 14, [](QPainter& layer) {
        QRadialGradient halo(QPointF(270, 578), 190);
        halo.setColorAt(0, QColor(170, 90, 255, 150));
        halo.setColorAt(1, QColor(100, 40, 200, 0));
        layer.save();
        layer.translate(0, 578);
        layer.scale(1, 0.35);
        layer.translate(0, -578);
        layer.fillRect(QRectF(0, 0, 540, 2000), halo);
        layer.restore();
    }, QPainter::CompositionMode_Screen);
    PaintBlurredLayer(painter, size, 4, [&](QPainter& layer) { draw(layer, QColor(190, 110, 255), 5); },
                      QPainter::CompositionMode_Screen);
    PaintBlurredLayer(painter, size, 1, [&](QPainter& layer) { draw(layer, QColor(226, 190, 255, 200), 1.6); },
                      QPainter::CompositionMode_Screen);
}

// The thin gold-and-black frame round the whole picture.
void PaintOuterFrame(QPainter& painter, QSize size) {
    const QRectF all(0, 0, size.width(), size.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::NoBrush);
    QPainterPath band;
    band.addRect(all);
    band.addRect(all.adjusted(5, 5, -5, -5));
    painter.fillPath(band, QColor(0, 0, 0));
    painter.restore();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath line;
    line.addRect(all.adjusted(2.5, 2.5, -2.5, -2.5));
    painter.strokePath(line, QPen(QBrush(MetalGold(QPointF(0, 0), QPointF(16, 16))), 2));
    QLinearGradient spread(0, 0, 0, size.height());
    spread.setColorAt(0, QColor(255, 236, 170, 160));
    spread.setColorAt(0.5, QColor(120, 80, 20, 0));
    spread.setColorAt(1, QColor(255, 236, 170, 120));
    painter.strokePath(line, QPen(QBrush(spread), 1));
    // An inner shadow lets the frame sit above the scene.
    for (int i = 0; i < 5; ++i) {
        QPainterPath shade;
        shade.addRect(all.adjusted(5.5 + i, 5.5 + i, -5.5 - i, -5.5 - i));
        painter.strokePath(shade, QPen(QColor(0, 0, 0, 110 - i * 22), 1));
    }
}

// The title banner across the top, with a two-character plaque at each end.
void PaintBanner(QPainter& painter) {
    const QSize size(540, 600);
    QPainterPath ribbon;
    ribbon.addPolygon(QPolygonF({{94, 45}, {116, 17}, {424, 17}, {446, 45}, {424, 73}, {116, 73}}));
    ribbon.closeSubpath();
    const QRectF leftPlaque(30, 19, 78, 52);
    const QRectF rightPlaque(432, 19, 78, 52);

    // Soft shadow of the whole banner on the scene.
    PaintBlurredLayer(painter, size, 5, [&](QPainter& layer) {
        layer.translate(0, 4);
        layer.fillPath(ribbon, QColor(0, 0, 0, 210));
        layer.fillPath(CutCornerRect(leftPlaque, 10), QColor(0, 0, 0, 210));
        layer.fillPath(CutCornerRect(rightPlaque, 10), QColor(0, 0, 0, 210));
    });

    QLinearGradient lacquer(0, 17, 0, 73);
    lacquer.setColorAt(0, QColor(124, 30, 26));
    lacquer.setColorAt(0.5, QColor(92, 18, 18));
    lacquer.setColorAt(1, QColor(52, 8, 10));
    painter.fillPath(ribbon, lacquer);
    {
        Random random(0xBA77E5);
        painter.save();
        painter.setClipPath(ribbon);
        OverlayMottle(painter, QRectF(90, 15, 360, 60), 6, 0.35, random);
        // A faint lattice pressed into the lacquer.
        painter.setPen(QPen(QColor(255, 200, 140, 18), 1));
        for (double x = 80; x < 460; x += 12) {
            painter.drawLine(QPointF(x, 17), QPointF(x + 28, 73));
            painter.drawLine(QPointF(x + 28, 17), QPointF(x, 73));
        }
        QLinearGradient gloss(0, 17, 0, 45);
        gloss.setColorAt(0, QColor(255, 220, 200, 50));
        gloss.setColorAt(1, QColor(255, 220, 200, 0));
        painter.fillRect(QRectF(90, 17, 360, 28), gloss);
        painter.restore();
    }
    StrokeGold(painter, ribbon, 2.6);
    QPainterPath innerLine;
    innerLine.addPolygon(QPolygonF({{103, 45}, {120, 23}, {420, 23}, {437, 45}, {420, 67}, {120, 67}}));
    innerLine.closeSubpath();
    StrokeGold(painter, innerLine, 0.9);

    // The title, with a warm glow behind it.
    const QPainterPath title = FitText(QStringLiteral("洞穴布阵查询"), SerifBold(), QRectF(150, 25, 240, 40));
    PaintBlurredLayer(painter, size, 7, [&](QPainter& layer) {
        layer.strokePath(title, QPen(QColor(255, 170, 60, 150), 6));
    }, QPainter::CompositionMode_Screen);
    PaintGoldText(painter, title, 1.6, 0);

    const auto plaque = [&](const QRectF& rect, const QString& text) {
        const QPainterPath shape = CutCornerRect(rect, 10);
        QLinearGradient bronze(0, rect.top(), 0, rect.bottom());
        bronze.setColorAt(0, QColor(44, 32, 22));
        bronze.setColorAt(1, QColor(14, 10, 6));
        painter.fillPath(shape, bronze);
        QLinearGradient gloss(0, rect.top(), 0, rect.center().y());
        gloss.setColorAt(0, QColor(255, 230, 180, 40));
        gloss.setColorAt(1, QColor(255, 230, 180, 0));
        painter.fillPath(shape, gloss);
        StrokeGold(painter, shape, 2.6);
        StrokeGold(painter, CutCornerRect(rect.adjusted(5, 5, -5, -5), 7), 0.8);
        painter.setPen(Qt::NoPen);
        for (const QPointF& stud : {QPointF(rect.left() + 6, rect.center().y()),
                                    QPointF(rect.right() - 6, rect.center().y())}) {
            QRadialGradient shine(stud - QPointF(0.6, 0.6), 2.4);
            shine.setColorAt(0, QColor(255, 244, 196));
            shine.setColorAt(1, QColor(150, 100, 30));
            painter.setBrush(shine);
            painter.drawEllipse(stud, 2, 2);
        }
        PaintGoldText(painter, FitText(text, Brush(), rect.adjusted(12, 11, -12, -11)), 1.2, 0);
    };
    plaque(leftPlaque, QStringLiteral("试炼"));
    plaque(rightPlaque, QStringLiteral("助手"));
}

QImage PaintBackdrop() {
    QImage scene = NewCanvas(540, 600, Qt::black);
    Random random(0x5CE7E);
    {
        QPainter painter(&scene);
        painter.setRenderHint(QPainter::Antialiasing);
        PaintSky(painter, random);
        PaintMountains(painter, random);
        PaintSlopes(painter, random);
        PaintRoad(painter, random);
        PaintArch(painter, random);
        PaintTower(painter, {40, 316}, 0.85, QColor(120, 44, 48));
        PaintTower(painter, {104, 334}, 1.05, QColor(52, 70, 126));
        PaintTower(painter, {160, 356}, 0.7, QColor(120, 44, 48));
        PaintTower(painter, {500, 316}, 0.85, QColor(52, 70, 126));
        PaintTower(painter, {436, 334}, 1.05, QColor(120, 44, 48));
        PaintTower(painter, {380, 356}, 0.7, QColor(52, 70, 126));
        for (const QPointF at : {QPointF(14, 330), QPointF(72, 348), QPointF(136, 372), QPointF(196, 392),
                                 QPointF(526, 330), QPointF(468, 348), QPointF(404, 372), QPointF(346, 392),
                                 QPointF(40, 470), QPointF(500, 470), QPointF(90, 560), QPointF(450, 560)})
            PaintBushes(painter, at, at.y() / 40, random);
        PaintLeavesAndBirds(painter, random);
        PaintStarPattern(painter);
    }
    Blur(scene, 2);
    {
        QPainter painter(&scene);
        painter.setRenderHint(QPainter::Antialiasing);
        // Dusk: the whole scene dimmed, darker still towards the edges.
        painter.setCompositionMode(QPainter::CompositionMode_Multiply);
        painter.fillRect(scene.rect(), QColor(196, 196, 212));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        QRadialGradient vignette(QPointF(270, 300), 420);
        vignette.setColorAt(0.45, QColor(0, 0, 10, 0));
        vignette.setColorAt(1.0, QColor(0, 0, 10, 170));
        painter.fillRect(scene.rect(), vignette);
        OverlayMottle(painter, QRectF(0, 0, 540, 600), 24, 0.18, random);
    }
    AddGrain(scene, random, 5);
    {
        QPainter painter(&scene);
        painter.setRenderHint(QPainter::Antialiasing);
        PaintBanner(painter);
        PaintOuterFrame(painter, scene.size());
    }
    return scene;
}

// ---- The panel ----

// A recessed area of the panel: darker glass, an inner shadow, a light rim and gold corner fittings.
void PaintWell(QPainter& painter, const QRectF& rect, QColor glass) {
    constexpr double radius = 10;
    const QPainterPath shape = RoundedRect(rect, radius);
    painter.fillPath(shape, glass);
    painter.save();
    painter.setClipPath(shape);
    for (int i = 1; i <= 6; ++i) {
        painter.strokePath(RoundedRect(rect.adjusted(i, i, -i, -i), radius - i * 0.5),
                           QPen(QColor(0, 0, 0, 70 - i * 11), 1));
    }
    painter.restore();
    painter.strokePath(RoundedRect(rect.adjusted(-1, -1, 1, 1), radius + 1), QPen(QColor(0, 10, 10, 180), 1));
    painter.strokePath(shape, QPen(QColor(128, 176, 160, 210), 1));

    // Gold fittings over the four rounded corners.
    const double d = radius * 2;
    const std::array<std::pair<QRectF, double>, 4> corners{{
        {QRectF(rect.left(), rect.top(), d, d), 90},
        {QRectF(rect.right() - d, rect.top(), d, d), 0},
        {QRectF(rect.right() - d, rect.bottom() - d, d, d), 270},
        {QRectF(rect.left(), rect.bottom() - d, d, d), 180},
    }};
    for (const auto& [box, start] : corners) {
        QPainterPath arc;
        arc.arcMoveTo(box, start + 8);
        arc.arcTo(box, start + 8, 74);
        StrokeGold(painter, arc, 2.2);
    }
}

// A small gold diamond that marks a caption.
void PaintDiamond(QPainter& painter, QPointF centre, double size) {
    QPainterPath diamond;
    diamond.addPolygon(QPolygonF({centre + QPointF(0, -size), centre + QPointF(size, 0), centre + QPointF(0, size),
                                  centre + QPointF(-size, 0)}));
    diamond.closeSubpath();
    painter.fillPath(diamond.translated(0.6, 0.9), QColor(0, 0, 0, 150));
    painter.fillPath(diamond, MetalGold(centre - QPointF(size, size), centre + QPointF(size, size)));
    painter.strokePath(diamond, QPen(QColor(70, 40, 10), 0.7));
}

// The slot that the floor entry box sits in; its inside is the entry box's own colour.
void PaintInputSlot(QPainter& painter, const QRectF& rect) {
    constexpr double radius = 6;
    const QColor inside(43, 39, 38);
    QLinearGradient bevel(0, rect.top(), 0, rect.bottom());
    bevel.setColorAt(0, QColor(0, 0, 0, 170));
    bevel.setColorAt(1, QColor(150, 200, 180, 150));
    painter.strokePath(RoundedRect(rect.adjusted(-1, -1, 1, 1), radius + 1), QPen(QBrush(bevel), 1));
    painter.fillPath(RoundedRect(rect, radius), QColor(20, 16, 14));
    painter.strokePath(RoundedRect(rect.adjusted(1, 1, -1, -1), radius - 1), QPen(QColor(150, 116, 56, 200), 1));
    const QRectF well = rect.adjusted(2, 2, -2, -2);
    painter.fillPath(RoundedRect(well, radius - 2), inside);
    painter.save();
    painter.setClipPath(RoundedRect(well, radius - 2));
    painter.strokePath(RoundedRect(well.adjusted(0.5, 0.5, -0.5, 1), radius - 2), QPen(QColor(24, 21, 20, 200), 1));
    painter.restore();
}

QImage PaintPanel() {
    constexpr int width = 472;
    constexpr int height = 478;
    QImage canvas = NewCanvas(width, height, Qt::black);
    Random random(0x9A4E1);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient base(0, 0, 0, height);
    base.setColorAt(0, QColor(30, 80, 72));
    base.setColorAt(0.45, QColor(22, 62, 57));
    base.setColorAt(1, QColor(14, 44, 41));
    painter.fillRect(canvas.rect(), base);
    OverlayMottle(painter, QRectF(0, 0, width, height), 14, 0.30, random);
    // Faint brushed streaks across the metal.
    for (int i = 0; i < 160; ++i) {
        const double y = random.Uniform(0, height);
        const double x = random.Uniform(-40, width);
        painter.setPen(QPen(random.Between(0, 1) == 0 ? QColor(255, 255, 255, 10) : QColor(0, 0, 0, 16), 1));
        painter.drawLine(QPointF(x, y), QPointF(x, y) + random.Point(30, -1, 120, 1));
    }

    // Upper area: introduction, floor entry row and result.
    PaintWell(painter, QRectF(8.5, 8.5, 455, 183), QColor(4, 22, 20, 150));
    // Lower area: reference strength figures; dark enough for white, yellow and teal text.
    PaintWell(painter, QRectF(8.5, 198.5, 455, 157), QColor(2, 12, 12, 200));
    // A faint rule under the heading of the figures.
    QLinearGradient rule(22, 0, 450, 0);
    rule.setColorAt(0, QColor(190, 160, 80, 0));
    rule.setColorAt(0.15, QColor(190, 160, 80, 110));
    rule.setColorAt(0.85, QColor(190, 160, 80, 110));
    rule.setColorAt(1, QColor(190, 160, 80, 0));
    painter.fillRect(QRectF(22, 244, 428, 1), rule);

    // The darker strip behind the row of link buttons.
    const QRectF strip(3, 360, width - 6, height - 363);
    QLinearGradient stripTone(0, strip.top(), 0, strip.bottom());
    stripTone.setColorAt(0, QColor(6, 22, 21));
    stripTone.setColorAt(1, QColor(3, 13, 13));
    painter.fillRect(strip, stripTone);
    OverlayMottle(painter, strip, 10, 0.2, random);
    painter.fillRect(QRectF(3, 360, width - 6, 1), QColor(0, 0, 0, 200));
    painter.fillRect(QRectF(3, 361, width - 6, 1), QColor(110, 160, 146, 120));
    QLinearGradient stripShade(0, 362, 0, 372);
    stripShade.setColorAt(0, QColor(0, 0, 0, 120));
    stripShade.setColorAt(1, QColor(0, 0, 0, 0));
    painter.fillRect(QRectF(3, 362, width - 6, 10), stripShade);

    PaintInputSlot(painter, QRectF(153, 96, 118, 27));
    PaintDiamond(painter, QPointF(34, 108), 3.5);
    PaintGoldText(painter, FitText(QStringLiteral("请输入试练层数："), SansBold(), QRectF(43, 101, 107, 14)), 0.9,
                  1.5);
    PaintDiamond(painter, QPointF(34, 154), 3.5);
    PaintGoldText(painter, FitText(QStringLiteral("最佳阵容为："), SansBold(), QRectF(43, 147, 79, 14)), 0.9, 1.5);

    // Thin light border round the whole panel.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QColor(4, 16, 16));
    painter.drawRect(0, 0, width - 1, height - 1);
    painter.setPen(QColor(172, 210, 196));
    painter.drawRect(1, 1, width - 3, height - 3);
    painter.setPen(QColor(6, 26, 24));
    painter.drawRect(2, 2, width - 5, height - 5);
    painter.end();
    AddGrain(canvas, random, 2.5);
    return canvas;
}

// ---- Buttons ----

// A dark plate with a thin greenish-grey rim, a glossy top half and a gold caption.
void PaintPlate(QPainter& painter, const QRectF& rect, double radius, const QPainterPath& caption, double outline) {
    painter.fillPath(RoundedRect(rect.adjusted(-1, -1, 1, 1), radius + 1), QColor(0, 6, 6, 220));
    QLinearGradient tone(0, rect.top(), 0, rect.bottom());
    tone.setColorAt(0, QColor(52, 60, 58));
    tone.setColorAt(0.5, QColor(30, 36, 35));
    tone.setColorAt(0.52, QColor(22, 27, 27));
    tone.setColorAt(1, QColor(14, 18, 18));
    painter.fillPath(RoundedRect(rect, radius), tone);
    painter.strokePath(RoundedRect(rect, radius), QPen(QColor(126, 150, 138), 1));
    painter.strokePath(RoundedRect(rect.adjusted(1, 1, -1, -1), std::max(1.0, radius - 1)),
                       QPen(QColor(0, 0, 0, 120), 1));
    QLinearGradient gloss(0, rect.top(), 0, rect.center().y());
    gloss.setColorAt(0, QColor(255, 255, 255, 40));
    gloss.setColorAt(1, QColor(255, 255, 255, 6));
    painter.fillPath(RoundedRect(rect.adjusted(2, 2, -2, -rect.height() / 2), std::max(1.0, radius - 2)), gloss);
    PaintGoldText(painter, caption, outline, 0);
}

QImage PaintLookup() {
    QImage canvas = NewCanvas(127, 65, QColor(16, 46, 43));
    Random random(0x100C);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    // The outer bezel, mostly cut away by the button; the inner plate lies in the visible middle.
    QLinearGradient bezel(0, 0, 0, 65);
    bezel.setColorAt(0, QColor(40, 48, 46));
    bezel.setColorAt(1, QColor(10, 14, 14));
    painter.fillPath(RoundedRect(QRectF(0.5, 0.5, 126, 64), 12), bezel);
    painter.strokePath(RoundedRect(QRectF(0.5, 0.5, 126, 64), 12), QPen(QColor(104, 126, 116), 1));
    OverlayMottle(painter, QRectF(0, 0, 127, 65), 5, 0.35, random);
    const QPainterPath caption = FitText(QStringLiteral("查询"), SerifBold(), QRectF(33.5, 19.5, 60, 26));
    PaintPlate(painter, QRectF(13.5, 9.5, 100, 46), 8, caption, 1.4);
    painter.end();
    AddGrain(canvas, random, 3);
    return canvas;
}

QImage PaintStepButton(const QString& caption, std::uint64_t seed) {
    QImage canvas = NewCanvas(70, 26, QColor(16, 46, 43));
    Random random(seed);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintPlate(painter, QRectF(0.5, 0.5, 69, 25), 5, FitText(caption, SansBold(), QRectF(13, 5.5, 44, 15)), 0.9);
    painter.end();
    AddGrain(canvas, random, 3);
    return canvas;
}

// ---- Icon ----

// One black character with a pink outline on a transparent ground. The outline is the glyph
// grown by one pixel, so it stays a crisp single pixel wide; the corners stay clear.
QImage PaintIcon() {
    constexpr int side = 16;
    QImage glyph = NewCanvas(side, side);
    {
        QPainter painter(&glyph);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(FitText(QStringLiteral("阵"), SansBold(), QRectF(1.5, 1.5, 13, 13)), Qt::black);
    }
    // Firmer edges: half-covered pixels count as mostly ink, so thin strokes stay black.
    for (int y = 0; y < side; ++y) {
        unsigned char* pixel = glyph.scanLine(y);
        for (int x = 0; x < side; ++x, pixel += 4) pixel[3] = ToByte(std::pow(pixel[3] / 255.0, 0.6) * 255);
    }
    const auto alphaAt = [&](int x, int y) {
        return x < 0 || y < 0 || x >= side || y >= side ? 0 : static_cast<int>(glyph.constScanLine(y)[x * 4 + 3]);
    };
    QImage icon = NewCanvas(side, side);
    QPainter painter(&icon);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            int grown = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) grown = std::max(grown, alphaAt(x + dx, y + dy));
            painter.fillRect(x, y, 1, 1, QColor(255, 105, 180, grown));
        }
    }
    painter.drawImage(0, 0, glyph);
    painter.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

// ---- Files ----

void WriteFile(const QDir& directory, const QString& name, const QByteArray& bytes) {
    QFile file(directory.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        !file.flush())
        Fail(QStringLiteral("cannot write %1").arg(file.fileName()));
    std::printf("%-20s %7lld bytes\n", name.toLocal8Bit().constData(), static_cast<long long>(bytes.size()));
}

// Baseline JPEG: standard Huffman tables, one sequential scan (no TJFLAG_PROGRESSIVE).
QByteArray EncodeJpeg(const QImage& image, int quality, TJSAMP subsampling) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    tjhandle handle = tjInitCompress();
    if (handle == nullptr) Fail(QStringLiteral("tjInitCompress failed"));
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    if (tjCompress2(handle, rgb.constBits(), rgb.width(), static_cast<int>(rgb.bytesPerLine()), rgb.height(), TJPF_RGB,
                    &jpeg, &size, subsampling, quality, TJFLAG_ACCURATEDCT) != 0)
        Fail(QStringLiteral("tjCompress2: %1").arg(QString::fromUtf8(tjGetErrorStr2(handle))));
    QByteArray bytes(reinterpret_cast<const char*>(jpeg), static_cast<qsizetype>(size));
    tjFree(jpeg);
    tjDestroy(handle);
    return bytes;
}

QByteArray EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) Fail(QStringLiteral("cannot encode PNG"));
    return bytes;
}

void AppendLittleEndian(QByteArray& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.append(static_cast<char>((value >> (8 * i)) & 0xFFU));
}

// A Windows icon file holding one 32-bit image as a classic DIB (colour rows bottom-up, then the
// 1-bit AND mask), which every resource compiler and every Windows version accepts.
QByteArray EncodeIco(const QImage& icon) {
    const QImage image = icon.convertToFormat(QImage::Format_ARGB32);
    const auto side = static_cast<std::uint32_t>(image.width());
    const std::uint32_t maskStride = ((side + 31) / 32) * 4;
    const std::uint32_t imageBytes = 40 + side * side * 4 + maskStride * side;
    QByteArray bytes;
    AppendLittleEndian(bytes, 0, 2);  // reserved
    AppendLittleEndian(bytes, 1, 2);  // type: icon
    AppendLittleEndian(bytes, 1, 2);  // one image
    AppendLittleEndian(bytes, side, 1);
    AppendLittleEndian(bytes, side, 1);
    AppendLittleEndian(bytes, 0, 1);  // no palette
    AppendLittleEndian(bytes, 0, 1);
    AppendLittleEndian(bytes, 1, 2);   // planes
    AppendLittleEndian(bytes, 32, 2);  // bits per pixel
    AppendLittleEndian(bytes, imageBytes, 4);
    AppendLittleEndian(bytes, 6 + 16, 4);  // offset of the image

    AppendLittleEndian(bytes, 40, 4);  // BITMAPINFOHEADER
    AppendLittleEndian(bytes, side, 4);
    AppendLittleEndian(bytes, side * 2, 4);  // colour rows and mask rows
    AppendLittleEndian(bytes, 1, 2);
    AppendLittleEndian(bytes, 32, 2);
    AppendLittleEndian(bytes, 0, 4);  // BI_RGB
    AppendLittleEndian(bytes, side * side * 4 + maskStride * side, 4);
    for (int i = 0; i < 4; ++i) AppendLittleEndian(bytes, 0, 4);

    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = 0; x < image.width(); ++x) AppendLittleEndian(bytes, image.pixel(x, y), 4);  // B G R A
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(static_cast<qsizetype>(maskStride), '\0');
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = static_cast<char>(static_cast<unsigned char>(row[x / 8]) | (0x80U >> (x % 8)));
        bytes.append(row);
    }
    return bytes;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Headless, and no TurboJPEG switch from the environment may change the files.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char* name : {"TJ_OPTIMIZE", "TJ_ARITHMETIC", "TJ_PROGRESSIVE", "TJ_RESTART"}) qunsetenv(name);
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrune_paint_assets OUTPUT_DIR\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!output.exists()) Fail(QStringLiteral("no such directory: %1").arg(output.path()));

    WriteFile(output, QStringLiteral("backdrop.jpg"), EncodeJpeg(PaintBackdrop(), 93, TJSAMP_444));
    WriteFile(output, QStringLiteral("panel.jpg"), EncodeJpeg(PaintPanel(), 85, TJSAMP_444));
    WriteFile(output, QStringLiteral("lookup.jpg"), EncodeJpeg(PaintLookup(), 98, TJSAMP_444));
    WriteFile(output, QStringLiteral("previous_floor.jpg"),
              EncodeJpeg(PaintStepButton(QStringLiteral("上一层"), 0x5E01), 98, TJSAMP_444));
    WriteFile(output, QStringLiteral("next_floor.jpg"),
              EncodeJpeg(PaintStepButton(QStringLiteral("下一层"), 0x5E02), 98, TJSAMP_444));
    const QImage icon = PaintIcon();
    WriteFile(output, QStringLiteral("icon16.png"), EncodePng(icon));
    WriteFile(output, QStringLiteral("icon.ico"), EncodeIco(icon));
    return 0;
}

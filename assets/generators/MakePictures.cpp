// Draws the eight built-in background pictures into the program folder:
//   MakePictures <folder>
// Each is our own picture, drawn here with gradients and shapes and signed
// with its name. The drawing is seeded, so every build makes the same files.
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QConicalGradient>
#include <QtMath>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

using Rng = std::mt19937;

double uniform(Rng& rng, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(rng);
}

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

void fillVertical(QPainter& p, const QRectF& area, std::initializer_list<std::pair<double, QColor>> stops)
{
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    for (const auto& [at, colour] : stops)
        gradient.setColorAt(at, colour);
    p.fillRect(area, gradient);
}

// A soft round glow of the colour, fading out to its edge.
void glow(QPainter& p, QPointF centre, double radius, const QColor& colour)
{
    QRadialGradient gradient(centre, radius);
    gradient.setColorAt(0, colour);
    gradient.setColorAt(1, withAlpha(colour, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawEllipse(centre, radius, radius);
}

// A ridge line across the picture: a closed shape from the bottom edge up to
// a curve through the given heights (evenly spread from left to right).
QPainterPath ridge(double width, double bottom, const std::vector<double>& heights)
{
    QPainterPath path(QPointF(0, bottom));
    const double step = width / (heights.size() - 1);
    path.lineTo(0, heights.front());
    for (size_t i = 1; i < heights.size(); ++i) {
        const QPointF from((i - 1) * step, heights[i - 1]);
        const QPointF to(i * step, heights[i]);
        path.cubicTo(from + QPointF(step / 2, 0), to - QPointF(step / 2, 0), to);
    }
    path.lineTo(width, bottom);
    path.closeSubpath();
    return path;
}

// The picture's name in the lower left corner on a dark translucent band.
void signature(QPainter& p, const QSize& size, const QString& name)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(26);
    font.setWeight(QFont::DemiBold);
    p.setFont(font);
    const QFontMetrics metrics(font);
    const QRectF text(22, size.height() - 56, metrics.horizontalAdvance(name), metrics.height());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawRoundedRect(text.adjusted(-12, -6, 12, 6), 10, 10);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(text.translated(1.5, 1.5), Qt::AlignLeft | Qt::AlignVCenter, name);
    p.setPen(QColor(255, 255, 250));
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, name);
}

// ---- the pictures ----

void cosmos(QPainter& p, const QSize& size, Rng& rng)
{
    const double w = size.width(), h = size.height();
    fillVertical(p, QRectF(0, 0, w, h), {{0, QColor(96, 168, 228)}, {0.45, QColor(200, 228, 246)}, {1, QColor(236, 244, 250)}});
    glow(p, QPointF(w * 0.8, h * 0.12), 120, QColor(255, 255, 240, 170));
    p.setBrush(QColor(132, 176, 120));
    p.drawPath(ridge(w, h, {h * 0.48, h * 0.42, h * 0.46, h * 0.40, h * 0.47}));
    QLinearGradient meadow(0, h * 0.5, 0, h);
    meadow.setColorAt(0, QColor(110, 168, 84));
    meadow.setColorAt(1, QColor(48, 110, 46));
    p.setBrush(meadow);
    p.drawPath(ridge(w, h, {h * 0.55, h * 0.52, h * 0.56, h * 0.53}));

    struct Flower { QPointF at; double radius; QColor colour; double turn; };
    std::vector<Flower> flowers;
    const QColor colours[] = {QColor(244, 154, 193), QColor(214, 51, 108), QColor(255, 240, 246), QColor(236, 112, 170)};
    for (int i = 0; i < 70; ++i) {
        const double y = uniform(rng, h * 0.5, h * 1.02);
        const double depth = (y - h * 0.5) / (h * 0.5);
        flowers.push_back({QPointF(uniform(rng, -10, w + 10), y), 7 + depth * 30 * uniform(rng, 0.8, 1.2),
                           colours[rng() % 4], uniform(rng, 0, 45)});
    }
    std::sort(flowers.begin(), flowers.end(), [](const Flower& a, const Flower& b) { return a.at.y() < b.at.y(); });
    p.setRenderHint(QPainter::Antialiasing);
    for (const Flower& f : flowers) {
        p.setPen(QPen(QColor(60, 120, 50), std::max(1.0, f.radius / 10)));
        p.drawLine(f.at, f.at + QPointF(f.radius * 0.2, f.radius * 3));
        p.save();
        p.translate(f.at);
        p.rotate(f.turn);
        p.setPen(QPen(f.colour.darker(125), 0.8));
        for (int petal = 0; petal < 8; ++petal) {
            QRadialGradient shade(QPointF(0, 0), f.radius);
            shade.setColorAt(0.2, f.colour.darker(115));
            shade.setColorAt(1, f.colour.lighter(108));
            p.setBrush(shade);
            p.drawEllipse(QRectF(f.radius * 0.15, -f.radius * 0.22, f.radius * 0.9, f.radius * 0.44));
            p.rotate(45);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 200, 40));
        p.drawEllipse(QPointF(0, 0), f.radius * 0.22, f.radius * 0.22);
        p.setBrush(QColor(200, 130, 20));
        p.drawEllipse(QPointF(0, 0), f.radius * 0.1, f.radius * 0.1);
        p.restore();
    }
}

void mountain(QPainter& p, const QSize& size, Rng& rng)
{
    const double w = size.width(), h = size.height();
    const double shore = h * 0.66;
    fillVertical(p, QRectF(0, 0, w, shore),
                 {{0, QColor(38, 70, 128)}, {0.55, QColor(156, 150, 190)}, {0.85, QColor(246, 186, 126)}, {1, QColor(252, 214, 160)}});
    p.setRenderHint(QPainter::Antialiasing);
    glow(p, QPointF(w * 0.22, shore * 0.86), 150, QColor(255, 228, 170, 200));

    p.setBrush(QColor(150, 140, 186));
    p.drawPath(ridge(w, shore, {shore * 0.72, shore * 0.62, shore * 0.70, shore * 0.58, shore * 0.68, shore * 0.64}));

    // The main peak: a broad volcanic cone with snow on its shoulders.
    QPainterPath peak(QPointF(-20, shore));
    peak.cubicTo(w * 0.2, shore * 0.8, w * 0.38, shore * 0.3, w * 0.5, shore * 0.24);
    peak.cubicTo(w * 0.56, shore * 0.21, w * 0.62, shore * 0.23, w * 0.68, shore * 0.3);
    peak.cubicTo(w * 0.8, shore * 0.48, w * 0.92, shore * 0.72, w + 20, shore * 0.8);
    peak.lineTo(w + 20, shore);
    peak.closeSubpath();
    QLinearGradient rock(0, shore * 0.2, 0, shore);
    rock.setColorAt(0, QColor(86, 96, 140));
    rock.setColorAt(1, QColor(40, 66, 92));
    p.setBrush(rock);
    p.drawPath(peak);
    // Snow on the summit: the peak's own outline above a ragged snow line.
    QPolygonF snowLine;
    snowLine << QPointF(w * 0.3, 0);
    int step = 0;
    for (double x = 0.3; x <= 0.8; x += 0.025, ++step)
        snowLine << QPointF(w * x, shore * ((step % 2 ? 0.34 : 0.42) + uniform(rng, -0.03, 0.03)));
    snowLine << QPointF(w * 0.8, 0);
    QPainterPath snowArea;
    snowArea.addPolygon(snowLine);
    const QPainterPath snow = peak.intersected(snowArea);
    p.setBrush(QColor(246, 244, 252));
    p.drawPath(snow);

    p.setBrush(QColor(30, 62, 60));
    p.drawPath(ridge(w, shore, {shore * 0.9, shore * 0.84, shore * 0.93, shore * 0.88, shore * 0.95}));

    // The lake mirrors the sky and the peak.
    fillVertical(p, QRectF(0, shore, w, h - shore), {{0, QColor(236, 178, 130)}, {0.4, QColor(90, 110, 150)}, {1, QColor(30, 44, 80)}});
    p.save();
    p.translate(0, shore * 2);
    p.scale(1, -1);
    p.setOpacity(0.35);
    p.setBrush(rock);
    p.drawPath(peak);
    p.restore();
    p.setPen(QPen(QColor(255, 236, 200, 90), 1.5));
    for (int i = 0; i < 40; ++i) {
        const double y = uniform(rng, shore + 6, h - 10);
        const double x = uniform(rng, 0, w);
        p.drawLine(QPointF(x, y), QPointF(x + uniform(rng, 20, 70), y));
    }
    // Dark firs along the near shore.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(16, 36, 30));
    for (double x = -10; x < w; x += uniform(rng, 8, 18)) {
        const double tall = uniform(rng, 20, 46);
        QPolygonF fir({QPointF(x, shore + 4), QPointF(x + 7, shore - tall), QPointF(x + 14, shore + 4)});
        if (x < w * 0.3 || x > w * 0.78)
            p.drawPolygon(fir);
    }
}

void lumoNight(QPainter& p, const QSize& size, Rng& rng)
{
    const double w = size.width(), h = size.height();
    const double water = h * 0.74;
    fillVertical(p, QRectF(0, 0, w, water),
                 {{0, QColor(5, 10, 36)}, {0.6, QColor(34, 28, 92)}, {1, QColor(104, 48, 120)}});
    p.setRenderHint(QPainter::Antialiasing);
    // A faint green veil of light across the sky.
    for (int i = 0; i < 6; ++i)
        glow(p, QPointF(w * (0.15 + i * 0.14), h * (0.28 + 0.05 * std::sin(i))), 110, QColor(80, 255, 170, 28));
    for (int i = 0; i < 320; ++i) {
        const QPointF at(uniform(rng, 0, w), uniform(rng, 0, water * 0.9));
        const double r = uniform(rng, 0.4, 1.6);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 235, int(uniform(rng, 90, 255))));
        p.drawEllipse(at, r, r);
        if (r > 1.45) {
            p.setPen(QPen(QColor(255, 255, 255, 120), 0.7));
            p.drawLine(at - QPointF(5, 0), at + QPointF(5, 0));
            p.drawLine(at - QPointF(0, 5), at + QPointF(0, 5));
        }
    }
    // A crescent moon.
    const QPointF moon(w * 0.78, h * 0.2);
    glow(p, moon, 70, QColor(255, 244, 200, 80));
    QPainterPath disc;
    disc.addEllipse(moon, 30, 30);
    QPainterPath bite;
    bite.addEllipse(moon + QPointF(12, -8), 27, 27);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 190));
    p.drawPath(disc.subtracted(bite));

    // The town along the water, its windows lit.
    std::vector<QRectF> houses;
    for (double x = 0; x < w;) {
        const double width = uniform(rng, 22, 58);
        const double tall = uniform(rng, 30, 150) * (std::abs(x - w / 2) < w * 0.2 ? 1.3 : 1.0);
        houses.emplace_back(x, water - tall, width, tall);
        x += width + uniform(rng, 0, 6);
    }
    for (const QRectF& house : houses) {
        p.setBrush(QColor(14, 12, 34));
        p.drawRect(house);
        for (double y = house.top() + 6; y < water - 8; y += 11)
            for (double x = house.left() + 5; x < house.right() - 6; x += 9)
                if (rng() % 3 == 0) {
                    p.setBrush(QColor(255, int(uniform(rng, 190, 235)), 110));
                    p.drawRect(QRectF(x, y, 4, 5));
                }
    }
    fillVertical(p, QRectF(0, water, w, h - water), {{0, QColor(40, 26, 70)}, {1, QColor(6, 8, 26)}});
    for (int i = 0; i < 120; ++i) {
        const double x = uniform(rng, 0, w), y = uniform(rng, water + 3, h);
        p.setPen(QPen(QColor(255, 210, 120, int(uniform(rng, 40, 140))), 1.2));
        p.drawLine(QPointF(x, y), QPointF(x + uniform(rng, 4, 16), y));
    }
    p.setPen(QPen(QColor(255, 240, 190, 110), 2));
    for (double y = water + 8; y < h; y += 7)
        p.drawLine(QPointF(moon.x() - uniform(rng, 4, 20), y), QPointF(moon.x() + uniform(rng, 4, 20), y));
}

void zazidU(QPainter& p, const QSize& size, Rng& rng)
{
    const double w = size.width(), h = size.height();
    QConicalGradient sweep(QPointF(w * 0.45, h * 0.5), 30);
    sweep.setColorAt(0, QColor(24, 40, 72));
    sweep.setColorAt(0.35, QColor(20, 96, 112));
    sweep.setColorAt(0.7, QColor(72, 28, 90));
    sweep.setColorAt(1, QColor(24, 40, 72));
    p.fillRect(QRectF(0, 0, w, h), sweep);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor palette[] = {QColor(255, 138, 60), QColor(255, 214, 64), QColor(40, 210, 190), QColor(236, 64, 122), QColor(120, 140, 255)};
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    for (int i = 0; i < 14; ++i) {
        const QPointF centre(uniform(rng, 0, w), uniform(rng, 0, h));
        const double r = uniform(rng, 30, 150);
        QRadialGradient ball(centre - QPointF(r / 3, r / 3), r * 1.3);
        const QColor colour = palette[i % 5];
        ball.setColorAt(0, withAlpha(colour.lighter(130), 220));
        ball.setColorAt(1, withAlpha(colour.darker(160), 120));
        p.setPen(Qt::NoPen);
        p.setBrush(ball);
        p.drawEllipse(centre, r, r);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (int i = 0; i < 7; ++i) {
        const QPointF a(uniform(rng, 0, w), uniform(rng, 0, h));
        const double r = uniform(rng, 40, 110), turn = uniform(rng, 0, 2 * M_PI);
        QPolygonF triangle;
        for (int k = 0; k < 3; ++k)
            triangle << a + QPointF(r * std::cos(turn + k * 2.094), r * std::sin(turn + k * 2.094));
        p.setPen(QPen(QColor(255, 255, 255, 200), 2.5));
        p.setBrush(withAlpha(palette[(i + 2) % 5], 90));
        p.drawPolygon(triangle);
    }
    // Bold stripes and rings on top.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i) {
        p.setPen(QPen(withAlpha(palette[i], 200), uniform(rng, 3, 9), Qt::SolidLine, Qt::RoundCap));
        const double y = uniform(rng, 0, h);
        QPainterPath wave(QPointF(-10, y));
        wave.cubicTo(w * 0.3, y - 120, w * 0.6, y + 120, w + 10, y + uniform(rng, -60, 60));
        p.drawPath(wave);
    }
    for (int i = 0; i < 4; ++i) {
        const QPointF c(uniform(rng, w * 0.1, w * 0.9), uniform(rng, h * 0.1, h * 0.9));
        p.setPen(QPen(QColor(255, 255, 255, 150), 1.5, Qt::DashLine));
        p.drawEllipse(c, 40.0 + i * 18, 40.0 + i * 18);
    }
}

void mudBath(QPainter& p, const QSize& size, Rng& rng)
{
    const double w = size.width(), h = size.height();
    fillVertical(p, QRectF(0, 0, w, h), {{0, QColor(170, 200, 226)}, {0.5, QColor(226, 220, 200)}, {1, QColor(200, 190, 170)}});
    p.setRenderHint(QPainter::Antialiasing);
    // Autumn hillsides.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 96, 60));
    p.drawPath(ridge(w, h, {h * 0.25, h * 0.18, h * 0.3, h * 0.22, h * 0.34}));
    const QColor leaves[] = {QColor(222, 92, 38), QColor(240, 160, 40), QColor(196, 52, 40), QColor(250, 200, 80), QColor(120, 130, 50)};
    for (int i = 0; i < 420; ++i) {
        const double x = uniform(rng, -20, w + 20);
        const double y = uniform(rng, h * 0.2, h * 0.58) + 0.12 * h * std::sin(x / w * 3.0);
        p.setBrush(withAlpha(leaves[rng() % 5], 210));
        p.drawEllipse(QPointF(x, y), uniform(rng, 8, 22), uniform(rng, 7, 16));
    }
    // Grey volcanic ground around the pool.
    QLinearGradient ground(0, h * 0.55, 0, h);
    ground.setColorAt(0, QColor(168, 160, 150));
    ground.setColorAt(1, QColor(118, 110, 104));
    p.setBrush(ground);
    p.drawPath(ridge(w, h, {h * 0.6, h * 0.57, h * 0.62, h * 0.58}));

    // A small wooden bath house.
    const QRectF hut(w * 0.64, h * 0.44, w * 0.22, h * 0.17);
    p.setBrush(QColor(104, 70, 44));
    p.drawRect(hut);
    p.setPen(QPen(QColor(70, 44, 26), 1.5));
    for (double x = hut.left() + 8; x < hut.right(); x += 9)
        p.drawLine(QPointF(x, hut.top()), QPointF(x, hut.bottom()));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 52, 50));
    p.drawPolygon(QPolygonF({QPointF(hut.left() - 14, hut.top() + 2), QPointF(hut.center().x(), hut.top() - 34),
                             QPointF(hut.right() + 14, hut.top() + 2)}));
    p.setBrush(QColor(255, 220, 150));
    p.drawRect(QRectF(hut.left() + 16, hut.top() + 20, 22, 18));

    // The pool of warm milky grey water, with rocks along its rim.
    const QRectF pool(w * 0.1, h * 0.64, w * 0.7, h * 0.26);
    QRadialGradient mud(pool.center(), pool.width() / 2);
    mud.setColorAt(0, QColor(190, 196, 184));
    mud.setColorAt(0.7, QColor(150, 156, 146));
    mud.setColorAt(1, QColor(110, 112, 104));
    p.setBrush(mud);
    p.drawEllipse(pool);
    for (double t = 0; t < 2 * M_PI; t += 0.22) {
        const QPointF rim(pool.center().x() + pool.width() / 2 * std::cos(t), pool.center().y() + pool.height() / 2 * std::sin(t));
        p.setBrush(QColor(int(uniform(rng, 80, 120)), int(uniform(rng, 76, 110)), 96));
        p.drawEllipse(rim, uniform(rng, 10, 20), uniform(rng, 7, 12));
    }
    // Steam rising from the water.
    for (int i = 0; i < 90; ++i) {
        const double x = uniform(rng, pool.left() + 40, pool.right() - 40);
        const double rise = uniform(rng, 0, 1);
        const QPointF at(x + 30 * std::sin(rise * 6 + x), pool.center().y() - rise * h * 0.55);
        glow(p, at, 20 + rise * 50, QColor(255, 255, 255, int(70 * (1 - rise) + 20)));
    }
}

void rose(QPainter& p, const QSize& size, Rng& rng)
{
    const double w = size.width(), h = size.height();
    QRadialGradient velvet(QPointF(w * 0.5, h * 0.42), w * 0.7);
    velvet.setColorAt(0, QColor(70, 18, 40));
    velvet.setColorAt(1, QColor(12, 2, 8));
    p.fillRect(QRectF(0, 0, w, h), velvet);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 30; ++i)
        glow(p, QPointF(uniform(rng, 0, w), uniform(rng, 0, h)), uniform(rng, 8, 30), QColor(255, 170, 200, 40));

    const QPointF centre(w * 0.5, h * 0.4);
    // Stem and leaves.
    p.setPen(QPen(QColor(46, 110, 50), 7, Qt::SolidLine, Qt::RoundCap));
    QPainterPath stem(centre + QPointF(0, 60));
    stem.cubicTo(centre + QPointF(-10, 160), centre + QPointF(20, 220), centre + QPointF(6, h));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    for (int side : {-1, 1}) {
        p.save();
        p.translate(centre + QPointF(side * 4, side < 0 ? 170 : 130));
        p.rotate(side * 30 - 90 * (side < 0));
        QPainterPath leaf(QPointF(0, 0));
        leaf.cubicTo(30, -30, 80, -20, 100, 0);
        leaf.cubicTo(80, 20, 30, 30, 0, 0);
        QLinearGradient green(0, -20, 0, 20);
        green.setColorAt(0, QColor(90, 170, 80));
        green.setColorAt(1, QColor(30, 90, 40));
        p.setPen(QPen(QColor(24, 70, 30), 1.2));
        p.setBrush(green);
        p.drawPath(leaf);
        p.drawLine(QPointF(4, 0), QPointF(92, 0));
        p.restore();
    }
    // Petals from the outside in, each ring smaller and darker.
    for (int ring = 0; ring < 6; ++ring) {
        const double radius = 95 - ring * 15;
        const int petals = 5;
        for (int k = 0; k < petals; ++k) {
            p.save();
            p.translate(centre);
            p.rotate(k * 360.0 / petals + ring * 37);
            QPainterPath petal(QPointF(0, 0));
            petal.cubicTo(radius * 0.6, -radius * 0.3, radius * 1.05, -radius * 0.2, radius, radius * 0.15);
            petal.cubicTo(radius * 0.9, radius * 0.55, radius * 0.3, radius * 0.5, 0, 0);
            QRadialGradient red(QPointF(0, 0), radius);
            red.setColorAt(0, QColor(110, 0, 20));
            red.setColorAt(0.75, QColor(210 - ring * 14, 24, 48));
            red.setColorAt(1, QColor(240 - ring * 12, 80, 100));
            p.setPen(QPen(QColor(90, 0, 20), 1));
            p.setBrush(red);
            p.drawPath(petal);
            p.restore();
        }
    }
    p.setPen(QPen(QColor(80, 0, 16), 2));
    p.setBrush(QColor(140, 10, 34));
    p.drawEllipse(centre, 10, 8);
    // A few drops of dew.
    for (int i = 0; i < 6; ++i) {
        const QPointF drop = centre + QPointF(uniform(rng, -80, 80), uniform(rng, -70, 70));
        p.setPen(QPen(QColor(255, 255, 255, 120), 1));
        p.setBrush(QColor(255, 255, 255, 60));
        p.drawEllipse(drop, 3.5, 3.5);
    }
}

// A figure seen from behind and aside, drawn in flat shapes: long hair, a
// flower in it, a dress in soft blue. No face.
void girl(QPainter& p, const QSize& size, Rng& rng)
{
    const double w = size.width(), h = size.height();
    fillVertical(p, QRectF(0, 0, w, h), {{0, QColor(252, 214, 196)}, {0.6, QColor(226, 200, 236)}, {1, QColor(186, 180, 232)}});
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 26; ++i)
        glow(p, QPointF(uniform(rng, 0, w), uniform(rng, 0, h)), uniform(rng, 14, 46),
             withAlpha(QColor::fromHsv(int(uniform(rng, 280, 400)) % 360, 90, 255), 110));

    const QPointF head(w * 0.56, h * 0.36);
    // Shoulders and dress.
    QPainterPath dress(QPointF(head.x() - 150, h + 10));
    dress.cubicTo(head.x() - 140, h * 0.7, head.x() - 90, h * 0.58, head.x() - 20, h * 0.56);
    dress.cubicTo(head.x() + 50, h * 0.56, head.x() + 110, h * 0.66, head.x() + 130, h + 10);
    dress.closeSubpath();
    QLinearGradient blue(0, h * 0.55, 0, h);
    blue.setColorAt(0, QColor(120, 160, 220));
    blue.setColorAt(1, QColor(60, 90, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPath(dress);
    // Neck and head, turned away.
    p.setBrush(QColor(246, 206, 180));
    p.drawRoundedRect(QRectF(head.x() - 14, head.y() + 40, 30, 56), 12, 12);
    p.drawEllipse(head + QPointF(-38, 6), 12, 16);  // ear side
    p.drawEllipse(head, 52, 62);
    // Long hair falling over the back.
    QPainterPath hair(head + QPointF(-50, -20));
    hair.cubicTo(head + QPointF(-40, -80), head + QPointF(50, -86), head + QPointF(60, -10));
    hair.cubicTo(head + QPointF(78, 60), head + QPointF(70, 150), head + QPointF(110, 210));
    hair.cubicTo(head + QPointF(40, 190), head + QPointF(-10, 170), head + QPointF(-20, 120));
    hair.cubicTo(head + QPointF(-26, 70), head + QPointF(-30, 20), head + QPointF(-50, -20));
    QLinearGradient brown(head + QPointF(-40, -60), head + QPointF(90, 200));
    brown.setColorAt(0, QColor(110, 62, 40));
    brown.setColorAt(1, QColor(58, 30, 24));
    p.setBrush(brown);
    p.drawPath(hair);
    p.setPen(QPen(QColor(150, 90, 60, 140), 1.5));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 7; ++i) {
        QPainterPath strand(head + QPointF(-20 + i * 10, -60));
        strand.cubicTo(head + QPointF(30 + i * 6, 0), head + QPointF(30 + i * 8, 120), head + QPointF(60 + i * 6, 190));
        p.drawPath(strand);
    }
    // A flower in the hair.
    p.setPen(Qt::NoPen);
    const QPointF flower = head + QPointF(30, -40);
    for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * M_PI / 5;
        p.setBrush(QColor(255, 250, 252));
        p.drawEllipse(flower + QPointF(11 * std::cos(a), 11 * std::sin(a)), 9, 9);
    }
    p.setBrush(QColor(250, 196, 60));
    p.drawEllipse(flower, 6, 6);
}

// A figure in a wide hat against the evening sun over a field, in silhouette.
void girl2(QPainter& p, const QSize& size, Rng& rng)
{
    const double w = size.width(), h = size.height();
    const double horizon = h * 0.68;
    fillVertical(p, QRectF(0, 0, w, horizon),
                 {{0, QColor(80, 70, 150)}, {0.45, QColor(232, 120, 140)}, {0.85, QColor(252, 186, 110)}, {1, QColor(255, 220, 150)}});
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF sun(w * 0.35, horizon - 10);
    glow(p, sun, 160, QColor(255, 230, 160, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 244, 210));
    p.drawEllipse(sun, 40, 40);
    // Thin clouds.
    for (int i = 0; i < 8; ++i) {
        const double y = uniform(rng, h * 0.08, h * 0.45);
        const double x = uniform(rng, -40, w);
        p.setBrush(QColor(255, 210, 220, 90));
        p.drawRoundedRect(QRectF(x, y, uniform(rng, 80, 200), uniform(rng, 6, 12)), 6, 6);
    }
    // The field of grass heads.
    fillVertical(p, QRectF(0, horizon, w, h - horizon), {{0, QColor(170, 100, 70)}, {1, QColor(70, 36, 50)}});
    p.setPen(QPen(QColor(120, 60, 60, 160), 1.2));
    for (int i = 0; i < 500; ++i) {
        const double x = uniform(rng, 0, w), y = uniform(rng, horizon, h);
        const double tall = 4 + (y - horizon) / (h - horizon) * 26;
        p.drawLine(QPointF(x, y), QPointF(x + uniform(rng, -3, 3), y - tall));
    }
    // The figure: dress, arms, head and a wide-brimmed hat.
    const QColor shade(54, 28, 58);
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    const double cx = w * 0.66, feet = h * 0.92;
    QPainterPath dress(QPointF(cx - 16, feet - 170));
    dress.lineTo(cx + 14, feet - 170);
    dress.cubicTo(cx + 30, feet - 110, cx + 70, feet - 60, cx + 62, feet - 30);
    dress.cubicTo(cx + 20, feet - 20, cx - 30, feet - 24, cx - 52, feet - 30);
    dress.cubicTo(cx - 40, feet - 70, cx - 30, feet - 120, cx - 16, feet - 170);
    p.drawPath(dress);
    p.drawRect(QRectF(cx - 12, feet - 32, 6, 32));
    p.drawRect(QRectF(cx + 6, feet - 32, 6, 32));
    p.drawRect(QRectF(cx - 4, feet - 196, 8, 30));
    p.drawEllipse(QPointF(cx, feet - 212), 17, 21);
    p.setPen(QPen(shade, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx + 12, feet - 166), QPointF(cx + 34, feet - 214));
    p.drawLine(QPointF(cx - 14, feet - 166), QPointF(cx - 30, feet - 110));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(cx + 4, feet - 226), 58, 11);
    p.drawEllipse(QPointF(cx + 2, feet - 236), 24, 16);
    p.setBrush(QColor(230, 110, 120));
    p.drawRect(QRectF(cx - 22, feet - 232, 48, 5));
    // Birds far away.
    p.setPen(QPen(QColor(60, 30, 60), 1.8));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i) {
        const QPointF at(uniform(rng, w * 0.05, w * 0.5), uniform(rng, h * 0.12, h * 0.35));
        QPainterPath bird(at);
        bird.quadTo(at + QPointF(5, -5), at + QPointF(10, 0));
        bird.quadTo(at + QPointF(15, -5), at + QPointF(20, 0));
        p.drawPath(bird);
    }
}

struct Picture {
    QString name;
    QSize size;
    std::function<void(QPainter&, const QSize&, Rng&)> draw;
};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakePictures <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const std::vector<Picture> pictures = {
        {QStringLiteral("コスモス.jpg"), {640, 480}, cosmos},
        {QStringLiteral("吾妻山.jpg"), {656, 480}, mountain},
        {QStringLiteral("LumoNight.jpg"), {640, 464}, lumoNight},
        {QStringLiteral("ZazidU.jpg"), {624, 480}, zazidU},
        {QStringLiteral("秋田の泥湯.jpg"), {640, 480}, mudBath},
        {QStringLiteral("Rose.jpg"), {600, 480}, rose},
        {QStringLiteral("Girl.jpg"), {640, 480}, girl},
        {QStringLiteral("Girl2.jpg"), {660, 480}, girl2},
    };
    unsigned seed = 1;
    for (const Picture& picture : pictures) {
        QImage image(picture.size, QImage::Format_RGB32);
        image.fill(Qt::black);
        Rng rng(seed++);
        {
            QPainter painter(&image);
            picture.draw(painter, picture.size, rng);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.setOpacity(1.0);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            signature(painter, picture.size, QFileInfo(picture.name).completeBaseName());
        }
        const QString path = folder.filePath(picture.name);
        if (!image.save(path, "JPEG", 90)) {
            std::fprintf(stderr, "MakePictures: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

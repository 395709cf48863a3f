#include "PreviewDrawing.h"

#include <algorithm>
#include <cstdint>

namespace kzt {

namespace {

using i64 = std::int64_t;

// Fonts are sized for a 96 dpi screen, as the applet's host draws them.
constexpr int kDotsPerMeter = 3780;

bool drawable(const QImage& surface)
{
    return !surface.isNull()
        && (surface.format() == QImage::Format_RGB32 || surface.format() == QImage::Format_ARGB32);
}

QRgb opaque(QRgb color)
{
    return color | 0xFF000000u;
}

// Fills columns [x0, x1) of rows [y0, y1), clipped to the surface.
void fillClipped(QImage& surface, i64 x0, i64 y0, i64 x1, i64 y1, QRgb color)
{
    x0 = std::max<i64>(x0, 0);
    y0 = std::max<i64>(y0, 0);
    x1 = std::min<i64>(x1, surface.width());
    y1 = std::min<i64>(y1, surface.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    const QRgb value = opaque(color);
    for (i64 y = y0; y < y1; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(surface.scanLine(int(y)));
        std::fill(line + x0, line + x1, value);
    }
}

int channelStep(int from, int to, i64 step, i64 steps)
{
    return int(from + i64(to - from) * step / steps);
}

QRgb rampColor(QRgb from, QRgb to, i64 step, i64 steps)
{
    return qRgb(channelStep(qRed(from), qRed(to), step, steps),
                channelStep(qGreen(from), qGreen(to), step, steps),
                channelStep(qBlue(from), qBlue(to), step, steps));
}

// The ramp of the bevels runs from a grey base (0 or 255) toward the colour.
QRgb bevelColor(int base, QRgb color, i64 step, i64 steps)
{
    return rampColor(qRgb(base, base, base), color, step, steps);
}

void lineClipped(QImage& surface, i64 x0, i64 y0, i64 x1, i64 y1, QRgb color)
{
    if (y0 == y1) {
        if (x1 > x0)
            fillClipped(surface, x0, y0, x1, y0 + 1, color);
        else if (x1 < x0)
            fillClipped(surface, x1 + 1, y0, x0 + 1, y0 + 1, color);
    } else if (x0 == x1) {
        if (y1 > y0)
            fillClipped(surface, x0, y0, x0 + 1, y1, color);
        else
            fillClipped(surface, x0, y1 + 1, x0 + 1, y0 + 1, color);
    }
}

// One colour for each strip of a ramp across [from, to); the last writer of
// a pixel wins, so the strips are laid in order.
void horizontalSingle(QImage& surface, const Box& b, QRgb c1, QRgb c2)
{
    const i64 span = i64(b.right) - b.left;
    for (i64 i = 0; i < 256; ++i)
        fillClipped(surface, b.left + i * span / 256, b.top, b.left + (i + 1) * span / 256, b.bottom,
                    rampColor(c1, c2, i, 255));
}

void verticalSingle(QImage& surface, const Box& b, QRgb c1, QRgb c2)
{
    const i64 span = i64(b.bottom) - b.top;
    for (i64 i = 0; i < 256; ++i)
        fillClipped(surface, b.left, b.top + i * span / 256, b.right, b.top + (i + 1) * span / 256,
                    rampColor(c1, c2, i, 255));
}

// Step i paints position from + i and position to - i - 1 for i = 0 to half;
// a position painted twice keeps the later, larger step.
i64 biStep(i64 position, i64 from, i64 to, i64 half)
{
    const i64 fromStart = position - from;
    const i64 fromEnd = to - 1 - position;
    i64 step = -1;
    if (fromStart <= half)
        step = fromStart;
    if (fromEnd <= half)
        step = std::max(step, fromEnd);
    return step;
}

void horizontalBi(QImage& surface, const Box& b, QRgb c1, QRgb c2)
{
    const i64 half = (i64(b.right) - b.left) / 2;
    if (half == 0) {
        fillClipped(surface, b.left, b.top, b.right, b.bottom, c1);
        return;
    }
    const i64 x0 = std::max<i64>(b.left, 0);
    const i64 x1 = std::min<i64>(b.right, surface.width());
    for (i64 x = x0; x < x1; ++x)
        fillClipped(surface, x, b.top, x + 1, b.bottom,
                    rampColor(c1, c2, biStep(x, b.left, b.right, half), half));
}

void verticalBi(QImage& surface, const Box& b, QRgb c1, QRgb c2)
{
    const i64 half = (i64(b.bottom) - b.top) / 2;
    if (half == 0) {
        fillClipped(surface, b.left, b.top, b.right, b.bottom, c1);
        return;
    }
    const i64 y0 = std::max<i64>(b.top, 0);
    const i64 y1 = std::min<i64>(b.bottom, surface.height());
    for (i64 y = y0; y < y1; ++y)
        fillClipped(surface, b.left, y, b.right, y + 1,
                    rampColor(c1, c2, biStep(y, b.top, b.bottom, half), half));
}

// The band of a frame border: every pixel of the box less than width pixels
// from its edge, which is what the nested one-pixel frames cover together.
void frameBand(QImage& surface, const Box& b, i64 width, QRgb color)
{
    const i64 y0 = std::max<i64>(b.top, 0);
    const i64 y1 = std::min<i64>(b.bottom, surface.height());
    for (i64 y = y0; y < y1; ++y) {
        const i64 fromEdge = std::min<i64>(y - b.top, i64(b.bottom) - 1 - y);
        if (fromEdge < width) {
            fillClipped(surface, b.left, y, b.right, y + 1, color);
            continue;
        }
        fillClipped(surface, b.left, y, std::min<i64>(i64(b.left) + width, b.right), y + 1, color);
        fillClipped(surface, std::max<i64>(i64(b.right) - width, b.left), y, b.right, y + 1, color);
    }
}

void frameBorder(QImage& surface, const Box& b, i64 w, QRgb color, bool raised)
{
    if (b.right > b.left && b.bottom > b.top)
        frameBand(surface, b, w, color);
    const QRgb penA = raised ? lighterColor(color) : darkerColor(color);
    const QRgb penB = raised ? darkerColor(color) : lighterColor(color);
    const i64 l = b.left, t = b.top, r = b.right, bt = b.bottom;
    lineClipped(surface, l, t, r, t, penA);
    lineClipped(surface, l, t, l, bt, penA);
    lineClipped(surface, r - w, t + w, r - w, bt - w, penA);
    lineClipped(surface, l + w, bt - w, r - w, bt - w, penA);
    lineClipped(surface, l + w, t + w, r - w, t + w, penB);
    lineClipped(surface, l + w, t + w, l + w, bt - w, penB);
    lineClipped(surface, r, t, r, bt, penB);
    lineClipped(surface, l, bt, r, bt, penB);
}

struct Range
{
    i64 from;
    i64 to; // exclusive
};

// Calls step(i) in ascending order for every i of the two ranges within
// [0, count); each range is at most a surface side long, so a bevel of any
// width costs no more than the lines that can show.
template <typename Step>
void forEachStep(Range a, Range b, i64 count, Step step)
{
    a = {std::max<i64>(a.from, 0), std::min(a.to, count)};
    b = {std::max<i64>(b.from, 0), std::min(b.to, count)};
    if (a.from >= a.to)
        a = b;
    else if (b.from >= b.to)
        b = a;
    if (b.from < a.from)
        std::swap(a, b);
    if (b.from <= a.to) {
        for (i64 i = a.from; i < std::max(a.to, b.to); ++i)
            step(i);
        return;
    }
    for (i64 i = a.from; i < a.to; ++i)
        step(i);
    for (i64 i = b.from; i < b.to; ++i)
        step(i);
}

void bevelBorder(QImage& surface, const Box& b, i64 w, QRgb color, bool raised)
{
    const i64 l = b.left, t = b.top, r = b.right, bt = b.bottom;
    const i64 width = surface.width(), height = surface.height();
    const int lightBase = raised ? 255 : 0;
    forEachStep({-t, height - t}, {-l, width - l}, w, [&](i64 i) {
        const QRgb c = bevelColor(lightBase, color, i, w);
        lineClipped(surface, l + i, t + i, r - i, t + i, c);
        lineClipped(surface, l + i, t + i, l + i, bt - i, c);
    });
    const int darkBase = raised ? 0 : 255;
    forEachStep({r - width + 1, r + 1}, {bt - height + 1, bt + 1}, w, [&](i64 i) {
        const QRgb c = bevelColor(darkBase, color, i, w);
        lineClipped(surface, r - i, t + i, r - i, bt - i, c);
        lineClipped(surface, l + i, bt - i, r - i + 1, bt - i, c);
    });
}

} // namespace

QImage makeSurface(int width, int height)
{
    if (width < 1 || height < 1 || width > kMaxSurfaceSide || height > kMaxSurfaceSide)
        return {};
    QImage surface(width, height, QImage::Format_RGB32);
    if (surface.isNull())
        return {};
    surface.setDotsPerMeterX(kDotsPerMeter);
    surface.setDotsPerMeterY(kDotsPerMeter);
    surface.fill(qRgb(255, 255, 255));
    return surface;
}

QRgb lighterColor(QRgb color)
{
    const auto up = [](int c) { return std::min(c * 3 / 2, 255); };
    return qRgb(up(qRed(color)), up(qGreen(color)), up(qBlue(color)));
}

QRgb darkerColor(QRgb color)
{
    const auto down = [](int c) { return std::max(c * 7 / 10, 0); };
    return qRgb(down(qRed(color)), down(qGreen(color)), down(qBlue(color)));
}

void fillBox(QImage& surface, const Box& box, QRgb color1, FillMode mode, QRgb color2)
{
    if (!drawable(surface) || box.right <= box.left || box.bottom <= box.top)
        return;
    switch (mode) {
    case FillMode::HorizontalSingle:
        horizontalSingle(surface, box, color1, color2);
        return;
    case FillMode::HorizontalBi:
        horizontalBi(surface, box, color1, color2);
        return;
    case FillMode::VerticalSingle:
        verticalSingle(surface, box, color1, color2);
        return;
    case FillMode::VerticalBi:
        verticalBi(surface, box, color1, color2);
        return;
    case FillMode::Flat:
        break;
    }
    fillClipped(surface, box.left, box.top, box.right, box.bottom, color1);
}

void drawLine(QImage& surface, int x0, int y0, int x1, int y1, QRgb color)
{
    if (drawable(surface))
        lineClipped(surface, x0, y0, x1, y1, color);
}

void drawBorder(QImage& surface, const Box& box, int width, QRgb color, BorderStyle style)
{
    if (!drawable(surface))
        return;
    // A negative width (only in a hand-edited file) draws as width 0.
    const i64 w = std::max(width, 0);
    switch (style) {
    case BorderStyle::RaisedFrame:
    case BorderStyle::LoweredFrame:
        frameBorder(surface, box, w, color, style == BorderStyle::RaisedFrame);
        return;
    case BorderStyle::RaisedBevel:
    case BorderStyle::LoweredBevel:
        bevelBorder(surface, box, w, color, style == BorderStyle::RaisedBevel);
        return;
    case BorderStyle::None:
        return;
    }
}

void fillArrow(QImage& surface, int centerX, int centerY, bool up, QRgb color)
{
    if (!drawable(surface))
        return;
    const i64 cx = centerX, cy = centerY;
    for (i64 d = 0; d <= 6; ++d) {
        const i64 y = up ? cy - 3 + d : cy + 3 - d;
        const i64 half = (d + 1) / 2;
        fillClipped(surface, cx - half, y, cx + half + 1, y + 1, color);
    }
}

} // namespace kzt

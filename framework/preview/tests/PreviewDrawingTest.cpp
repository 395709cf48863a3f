// Fills and borders against a model that follows the drawing rules step by
// step: strips, columns, nested frames and lines painted one after another
// on a plain pixel array, later paint winning.
#include "PreviewDrawing.h"

#include <QElapsedTimer>
#include <QtTest>

#include <vector>

using namespace kzt;

namespace {

// The rules as written, drawn pixel by pixel with clipping.
class Model
{
public:
    Model(int width, int height, QRgb background)
        : m_width(width), m_height(height), m_pixels(size_t(width) * size_t(height), background)
    {
    }

    QRgb at(int x, int y) const { return m_pixels[size_t(y) * size_t(m_width) + size_t(x)]; }

    void set(long long x, long long y, QRgb c)
    {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height)
            m_pixels[size_t(y) * size_t(m_width) + size_t(x)] = c;
    }

    void fillRect(long long l, long long t, long long r, long long b, QRgb c)
    {
        for (long long y = t; y < b; ++y)
            for (long long x = l; x < r; ++x)
                set(x, y, c);
    }

    // From the first point toward the second, the second left out.
    void line(long long x0, long long y0, long long x1, long long y1, QRgb c)
    {
        const long long dx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0;
        const long long dy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
        for (long long x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy)
            set(x, y, c);
    }

    void frame(long long l, long long t, long long r, long long b, QRgb c)
    {
        if (r <= l || b <= t)
            return;
        for (long long x = l; x < r; ++x) {
            set(x, t, c);
            set(x, b - 1, c);
        }
        for (long long y = t; y < b; ++y) {
            set(l, y, c);
            set(r - 1, y, c);
        }
    }

private:
    int m_width;
    int m_height;
    std::vector<QRgb> m_pixels;
};

QRgb ramp(QRgb c1, QRgb c2, long long i, long long steps)
{
    const auto ch = [&](int a, int b) { return int(a + (b - a) * i / steps); };
    return qRgb(ch(qRed(c1), qRed(c2)), ch(qGreen(c1), qGreen(c2)), ch(qBlue(c1), qBlue(c2)));
}

QRgb lighter(QRgb c)
{
    const auto up = [](int v) { return v * 3 / 2 > 255 ? 255 : v * 3 / 2; };
    return qRgb(up(qRed(c)), up(qGreen(c)), up(qBlue(c)));
}

QRgb darker(QRgb c)
{
    return qRgb(qRed(c) * 7 / 10, qGreen(c) * 7 / 10, qBlue(c) * 7 / 10);
}

void modelFill(Model& m, const Box& b, QRgb c1, int mode, QRgb c2)
{
    const long long l = b.left, t = b.top, r = b.right, bt = b.bottom;
    switch (mode) {
    case 1:
        for (long long i = 0; i <= 255; ++i)
            m.fillRect(l + i * (r - l) / 256, t, l + (i + 1) * (r - l) / 256, bt, ramp(c1, c2, i, 255));
        return;
    case 3:
        for (long long i = 0; i <= 255; ++i)
            m.fillRect(l, t + i * (bt - t) / 256, r, t + (i + 1) * (bt - t) / 256, ramp(c1, c2, i, 255));
        return;
    case 2: {
        const long long h = (r - l) / 2;
        if (h == 0)
            break;
        for (long long i = 0; i <= h; ++i) {
            m.fillRect(l + i, t, l + i + 1, bt, ramp(c1, c2, i, h));
            m.fillRect(r - i - 1, t, r - i, bt, ramp(c1, c2, i, h));
        }
        return;
    }
    case 4: {
        const long long h = (bt - t) / 2;
        if (h == 0)
            break;
        for (long long i = 0; i <= h; ++i) {
            m.fillRect(l, t + i, r, t + i + 1, ramp(c1, c2, i, h));
            m.fillRect(l, bt - i - 1, r, bt - i, ramp(c1, c2, i, h));
        }
        return;
    }
    default:
        break;
    }
    m.fillRect(l, t, r, bt, c1);
}

void modelBorder(Model& m, const Box& b, int w, QRgb c, int style)
{
    const long long l = b.left, t = b.top, r = b.right, bt = b.bottom;
    if (style == 1 || style == 2) {
        for (long long i = 0; i < w; ++i)
            m.frame(l + i, t + i, r - i, bt - i, c);
        const QRgb a = style == 1 ? lighter(c) : darker(c);
        const QRgb z = style == 1 ? darker(c) : lighter(c);
        m.line(l, t, r, t, a);
        m.line(l, t, l, bt, a);
        m.line(r - w, t + w, r - w, bt - w, a);
        m.line(l + w, bt - w, r - w, bt - w, a);
        m.line(l + w, t + w, r - w, t + w, z);
        m.line(l + w, t + w, l + w, bt - w, z);
        m.line(r, t, r, bt, z);
        m.line(l, bt, r, bt, z);
    } else if (style == 3 || style == 4) {
        const int light = style == 3 ? 255 : 0;
        const int dark = style == 3 ? 0 : 255;
        for (long long i = 0; i < w; ++i) {
            const QRgb col = ramp(qRgb(light, light, light), c, i, w);
            m.line(l + i, t + i, r - i, t + i, col);
            m.line(l + i, t + i, l + i, bt - i, col);
        }
        for (long long i = 0; i < w; ++i) {
            const QRgb col = ramp(qRgb(dark, dark, dark), c, i, w);
            m.line(r - i, t + i, r - i, bt - i, col);
            m.line(l + i, bt - i, r - i + 1, bt - i, col);
        }
    }
}

QString rgb(QRgb c)
{
    return QStringLiteral("(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

// Empty when equal, else the first pixel that differs.
QString firstDifference(const QImage& image, const Model& model)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb got = image.pixel(x, y) & 0xFFFFFF;
            const QRgb want = model.at(x, y) & 0xFFFFFF;
            if (got != want)
                return QStringLiteral("at (%1,%2): drawn %3, expected %4")
                    .arg(x).arg(y).arg(rgb(got), rgb(want));
        }
    return {};
}

const QRgb kBackground = qRgb(17, 34, 51);

struct Case
{
    const char* name;
    int surfaceWidth;
    int surfaceHeight;
    Box box;
};

// Odd and even sizes, a box filling its surface (the outer right and bottom
// lines fall off it), one inside with room around, one hanging over the edges.
const Case kCases[] = {
    {"even inside", 40, 30, {3, 2, 3 + 30, 2 + 20}},
    {"odd inside", 41, 31, {4, 3, 4 + 29, 3 + 21}},
    {"whole surface even", 24, 16, {0, 0, 24, 16}},
    {"whole surface odd", 23, 15, {0, 0, 23, 15}},
    {"hanging over", 20, 14, {-3, -2, 25, 17}},
    {"wide", 600, 6, {1, 1, 1 + 513, 5}},
    {"tall", 6, 600, {1, 1, 5, 1 + 515}},
    {"two pixels", 8, 8, {2, 2, 4, 4}},
};

} // namespace

class PreviewDrawingTest : public QObject
{
    Q_OBJECT

private slots:
    void fills_matchTheRulesPixelByPixel();
    void fills_knownValues();
    void fills_narrowAndEmptyBoxes();
    void borders_matchTheRulesPixelByPixel();
    void borders_knownValues();
    void hugeBoxesAndWidths_drawOnlyWhatShows();
    void surfaces_cappedAndOddFormatsLeftAlone();
};

void PreviewDrawingTest::fills_matchTheRulesPixelByPixel()
{
    // Channels that rise and fall, with odd differences, so truncation
    // toward zero shows on the falling ones.
    const QRgb pairs[][2] = {{qRgb(250, 10, 100), qRgb(3, 240, 7)},
                             {qRgb(0, 0, 0), qRgb(255, 255, 255)},
                             {qRgb(200, 17, 99), qRgb(200, 17, 99)}};
    for (const Case& c : kCases)
        for (const auto& pair : pairs)
            for (int mode = 0; mode <= 5; ++mode) {
                QImage image = makeSurface(c.surfaceWidth, c.surfaceHeight);
                image.fill(kBackground);
                fillBox(image, c.box, pair[0], FillMode(mode), pair[1]);
                Model model(c.surfaceWidth, c.surfaceHeight, kBackground);
                modelFill(model, c.box, pair[0], mode, pair[1]);
                const QString diff = firstDifference(image, model);
                QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("%1, mode %2, %3 to %4: %5")
                                                        .arg(QLatin1String(c.name)).arg(mode)
                                                        .arg(rgb(pair[0]), rgb(pair[1]), diff)));
            }
}

void PreviewDrawingTest::fills_knownValues()
{
    const QRgb c1 = qRgb(250, 10, 100), c2 = qRgb(3, 240, 7);
    QImage image = makeSurface(512, 4);
    fillBox(image, {0, 0, 512, 4}, c1, FillMode::HorizontalSingle, c2);
    // Two columns a strip; red falls 247 over 255 steps: strip 1 is still 250.
    QCOMPARE(image.pixel(0, 0) & 0xFFFFFF, c1 & 0xFFFFFF);
    QCOMPARE(qRed(image.pixel(2, 0)), 250);
    QCOMPARE(qRed(image.pixel(4, 0)), 249);
    QCOMPARE(image.pixel(511, 3) & 0xFFFFFF, c2 & 0xFFFFFF);

    // Ten columns: c1 at both edges, c2 on the two middle columns.
    image = makeSurface(10, 3);
    fillBox(image, {0, 0, 10, 3}, qRgb(0, 0, 0), FillMode::HorizontalBi, qRgb(200, 100, 50));
    QCOMPARE(image.pixel(0, 1) & 0xFFFFFF, 0u);
    QCOMPARE(image.pixel(9, 1) & 0xFFFFFF, 0u);
    QCOMPARE(image.pixel(4, 1) & 0xFFFFFF, qRgb(200, 100, 50) & 0xFFFFFF);
    QCOMPARE(image.pixel(5, 1) & 0xFFFFFF, qRgb(200, 100, 50) & 0xFFFFFF);
    QCOMPARE(image.pixel(1, 1) & 0xFFFFFF, qRgb(40, 20, 10) & 0xFFFFFF);

    // Seven rows: one middle row.
    image = makeSurface(2, 7);
    fillBox(image, {0, 0, 2, 7}, qRgb(0, 0, 0), FillMode::VerticalBi, qRgb(90, 90, 90));
    QCOMPARE(image.pixel(0, 3) & 0xFFFFFF, qRgb(90, 90, 90) & 0xFFFFFF);
    QCOMPARE(image.pixel(1, 2) & 0xFFFFFF, qRgb(60, 60, 60) & 0xFFFFFF);
    QCOMPARE(image.pixel(1, 4) & 0xFFFFFF, qRgb(60, 60, 60) & 0xFFFFFF);
}

void PreviewDrawingTest::fills_narrowAndEmptyBoxes()
{
    const QRgb c1 = qRgb(10, 20, 30), c2 = qRgb(240, 230, 220);
    // Under two pixels across the ramp direction: the first colour, flat.
    for (int mode : {2, 4}) {
        QImage image = makeSurface(6, 6);
        image.fill(kBackground);
        const Box box = mode == 2 ? Box{2, 1, 3, 5} : Box{1, 2, 5, 3};
        fillBox(image, box, c1, FillMode(mode), c2);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x) {
                const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                QCOMPARE(image.pixel(x, y) & 0xFFFFFF, (inside ? c1 : kBackground) & 0xFFFFFF);
            }
    }
    // Empty and inverted boxes draw nothing in any mode.
    for (int mode = 0; mode <= 4; ++mode)
        for (const Box& box : {Box{3, 1, 3, 5}, Box{1, 3, 5, 3}, Box{5, 5, 1, 1}}) {
            QImage image = makeSurface(6, 6);
            image.fill(kBackground);
            fillBox(image, box, c1, FillMode(mode), c2);
            QImage untouched = makeSurface(6, 6);
            untouched.fill(kBackground);
            QCOMPARE(image, untouched);
        }
}

void PreviewDrawingTest::borders_matchTheRulesPixelByPixel()
{
    const QRgb colors[] = {qRgb(192, 192, 192), qRgb(200, 100, 30), qRgb(0, 0, 0),
                           qRgb(255, 255, 255)};
    for (const Case& c : kCases)
        for (QRgb color : colors)
            for (int style = 0; style <= 4; ++style)
                for (int width : {0, 1, 5, 12}) {
                    QImage image = makeSurface(c.surfaceWidth, c.surfaceHeight);
                    image.fill(kBackground);
                    drawBorder(image, c.box, width, color, BorderStyle(style));
                    Model model(c.surfaceWidth, c.surfaceHeight, kBackground);
                    modelBorder(model, c.box, width, color, style);
                    const QString diff = firstDifference(image, model);
                    QVERIFY2(diff.isEmpty(),
                             qPrintable(QStringLiteral("%1, style %2, width %3, colour %4: %5")
                                            .arg(QLatin1String(c.name)).arg(style).arg(width)
                                            .arg(rgb(color), diff)));
                }
}

void PreviewDrawingTest::borders_knownValues()
{
    const QRgb c = qRgb(200, 100, 30);
    QCOMPARE(lighterColor(c) & 0xFFFFFF, qRgb(255, 150, 45) & 0xFFFFFF);
    QCOMPARE(darkerColor(c) & 0xFFFFFF, qRgb(140, 70, 21) & 0xFFFFFF);

    // A raised frame one pixel wide on a 10 x 10 box in a 12 x 12 surface.
    QImage image = makeSurface(12, 12);
    image.fill(kBackground);
    drawBorder(image, {0, 0, 10, 10}, 1, c, BorderStyle::RaisedFrame);
    const auto at = [&](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };
    QCOMPARE(at(5, 0), lighterColor(c) & 0xFFFFFF);  // outer top
    QCOMPARE(at(0, 5), lighterColor(c) & 0xFFFFFF);  // outer left
    QCOMPARE(at(9, 5), lighterColor(c) & 0xFFFFFF);  // inner right, on the band
    QCOMPARE(at(5, 9), lighterColor(c) & 0xFFFFFF);  // inner bottom, on the band
    QCOMPARE(at(5, 1), darkerColor(c) & 0xFFFFFF);   // inner top, inside the band
    QCOMPARE(at(1, 5), darkerColor(c) & 0xFFFFFF);   // inner left
    QCOMPARE(at(10, 5), darkerColor(c) & 0xFFFFFF);  // outer right, past the box
    QCOMPARE(at(5, 10), darkerColor(c) & 0xFFFFFF);  // outer bottom
    QCOMPARE(at(9, 9), c & 0xFFFFFF);                // band corner no line reaches
    QCOMPARE(at(5, 5), kBackground & 0xFFFFFF);

    // A raised bevel four wide: white outside, ramping toward the colour.
    image.fill(kBackground);
    drawBorder(image, {0, 0, 11, 11}, 4, c, BorderStyle::RaisedBevel);
    QCOMPARE(at(5, 0), qRgb(255, 255, 255) & 0xFFFFFF);
    QCOMPARE(at(5, 1), qRgb(242, 217, 199) & 0xFFFFFF);  // 255 + (c - 255) * 1 / 4, toward zero
    QCOMPARE(at(11, 5), qRgb(0, 0, 0) & 0xFFFFFF);
    QCOMPARE(at(10, 5), qRgb(50, 25, 7) & 0xFFFFFF);
    QCOMPARE(at(5, 11), qRgb(0, 0, 0) & 0xFFFFFF);
    QCOMPARE(at(5, 5), kBackground & 0xFFFFFF);
}

void PreviewDrawingTest::hugeBoxesAndWidths_drawOnlyWhatShows()
{
    const int far = 2000000000;
    const Box huge{-far, -far, far, far};
    const QRgb c1 = qRgb(0, 0, 0), c2 = qRgb(200, 200, 200);
    QElapsedTimer clock;
    clock.start();
    for (int mode = 0; mode <= 4; ++mode) {
        QImage image = makeSurface(16, 16);
        fillBox(image, huge, c1, FillMode(mode), c2);
        // The surface sits in the middle of the ramps.
        if (mode == 2 || mode == 4)
            QCOMPARE(image.pixel(0, 0) & 0xFFFFFF, c2 & 0xFFFFFF);
        if (mode == 0)
            QCOMPARE(image.pixel(8, 8) & 0xFFFFFF, c1 & 0xFFFFFF);
    }
    for (int style = 1; style <= 4; ++style) {
        QImage image = makeSurface(16, 16);
        image.fill(kBackground);
        drawBorder(image, huge, far, c2, BorderStyle(style));
        drawBorder(image, {0, 0, 16, 16}, far, c2, BorderStyle(style));
        drawBorder(image, {0, 0, 16, 16}, -5, c2, BorderStyle(style));
    }
    QImage image = makeSurface(16, 16);
    drawLine(image, -far, 3, far, 3, c2);
    QCOMPARE(image.pixel(15, 3) & 0xFFFFFF, c2 & 0xFFFFFF);
    drawLine(image, 3, far, 3, -far, c1);
    QCOMPARE(image.pixel(3, 0) & 0xFFFFFF, c1 & 0xFFFFFF);
    // Work in proportion to the surface, not to the numbers.
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
}

void PreviewDrawingTest::surfaces_cappedAndOddFormatsLeftAlone()
{
    QVERIFY(makeSurface(0, 10).isNull());
    QVERIFY(makeSurface(10, -1).isNull());
    QVERIFY(makeSurface(kMaxSurfaceSide + 1, 1).isNull());
    QVERIFY(makeSurface(1, 2000000000).isNull());
    const QImage largest = makeSurface(kMaxSurfaceSide, 1);
    QCOMPARE(largest.size(), QSize(kMaxSurfaceSide, 1));
    QCOMPARE(largest.format(), QImage::Format_RGB32);

    QImage none;
    fillBox(none, {0, 0, 5, 5}, 0, FillMode::Flat, 0);
    drawBorder(none, {0, 0, 5, 5}, 2, 0, BorderStyle::RaisedBevel);
    drawLine(none, 0, 0, 5, 0, 0);
    fillArrow(none, 2, 2, true, 0);
    QImage indexed(8, 8, QImage::Format_Indexed8);
    indexed.setColorCount(2);
    indexed.fill(1);
    const QImage before = indexed;
    fillBox(indexed, {0, 0, 8, 8}, 0, FillMode::HorizontalBi, 0);
    drawBorder(indexed, {0, 0, 8, 8}, 2, 0, BorderStyle::LoweredFrame);
    QCOMPARE(indexed, before);
}

QTEST_MAIN(PreviewDrawingTest)
#include "PreviewDrawingTest.moc"

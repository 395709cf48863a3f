// Pictures land where their alignment puts them; names pick the decoder;
// captions wrap at the wrap box and lay out by margins, offsets and alignments.
#include "PreviewDrawing.h"

#include "PictureWriter.h"

#include <QDir>
#include <QFontMetrics>
#include <QFontMetricsF>

#include <cmath>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace kzt;

Q_DECLARE_METATYPE(kzt::Box)

namespace {

const QRgb kBackground = qRgb(250, 250, 250);

// Six by four, four colours in a diagonal pattern: any misplacement shows.
const std::vector<QColor> kPalette = {QColor(220, 0, 0), QColor(0, 160, 0), QColor(0, 0, 200),
                                      QColor(240, 200, 0)};

int patternIndex(int x, int y)
{
    return (x + 2 * y) % 4;
}

bool writeGif(const QString& path, int width, int height)
{
    PictureWriter::GifFrame frame;
    frame.width = width;
    frame.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame.pixels.push_back(static_cast<unsigned char>(patternIndex(x, y)));
    return PictureWriter::gif(path, width, height, kPalette, {frame});
}

// Sixteen by eight: a red left half and a blue right half, kind to JPEG.
QImage jpegSource()
{
    QImage image(16, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, x < 8 ? qRgb(230, 20, 20) : qRgb(20, 20, 230));
    return image;
}

QImage blankSurface(int width, int height)
{
    QImage surface = makeSurface(width, height);
    surface.fill(kBackground);
    return surface;
}

// Every pixel of the surface is the picture's where one of the copies at
// origins covers it, else the background.
QString checkCopies(const QImage& surface, const QImage& picture, const QList<QPoint>& origins)
{
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            QRgb want = kBackground;
            for (const QPoint& o : origins)
                if (x >= o.x() && y >= o.y() && x < o.x() + picture.width()
                    && y < o.y() + picture.height())
                    want = picture.pixel(x - o.x(), y - o.y());
            if ((surface.pixel(x, y) & 0xFFFFFF) != (want & 0xFFFFFF))
                return QStringLiteral("pixel (%1,%2)").arg(x).arg(y);
        }
    return {};
}

} // namespace

class PreviewPictureTextTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void gifAndJpeg_decodeByName();
    void names_thatDrawNothing();
    void alignments_placeThePicture_data();
    void alignments_placeThePicture();
    void tile_coversTheBoxFromItsCorner();
    void resize_stretchesOverTheBox();
    void pictures_overTheSizeCapAreRefused();
    void fonts_byIndexSizeAndStyle();
    void wrap_greedyAtTheWrapBoxWidth();
    void wrap_breaksLongWordsAndKeepsHardBreaks();
    void text_laidOutByMarginOffsetAndAlignment();
    void text_farOffOrEndlessDrawsOnlyWhatShows();

private:
    QTemporaryDir m_dir;
    QImage m_gif;
};

void PreviewPictureTextTest::init()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(writeGif(m_dir.filePath(QStringLiteral("pic.gif")), 6, 4));
    m_gif = loadPicture(m_dir.path(), QStringLiteral("pic.gif"));
    QVERIFY(!m_gif.isNull());
}

void PreviewPictureTextTest::gifAndJpeg_decodeByName()
{
    QCOMPARE(m_gif.size(), QSize(6, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            QCOMPARE(m_gif.pixel(x, y) & 0xFFFFFF,
                     kPalette[size_t(patternIndex(x, y))].rgb() & 0xFFFFFF);

    const QByteArray jpeg = PictureWriter::jpeg(jpegSource());
    for (const char* name : {"photo.jpg", "photo.jpeg", "PHOTO.JPG", "a.jpg"}) {
        QVERIFY(PictureWriter::writeAll(m_dir.filePath(QLatin1String(name)), jpeg));
        const QImage photo = loadPicture(m_dir.path(), QLatin1String(name));
        QCOMPARE(photo.size(), QSize(16, 8));
        QVERIFY(qRed(photo.pixel(2, 4)) > 180 && qBlue(photo.pixel(2, 4)) < 80);
        QVERIFY(qBlue(photo.pixel(13, 4)) > 180 && qRed(photo.pixel(13, 4)) < 80);
    }
    QVERIFY(QFile::copy(m_dir.filePath(QStringLiteral("pic.gif")), m_dir.filePath(QStringLiteral("UP.GIF"))));
    QCOMPARE(loadPicture(m_dir.path(), QStringLiteral("UP.GIF")), m_gif);

    // A JPEG is drawn as decoded, at its alignment.
    QImage surface = blankSurface(30, 20);
    const QImage photo = loadPicture(m_dir.path(), QStringLiteral("photo.jpg"));
    drawPicture(surface, {2, 2, 28, 18}, photo, ImageAlign::Center, 0, 0);
    const QString where = checkCopies(surface, photo, {QPoint(2 + (26 - 16) / 2, 2 + (16 - 8) / 2)});
    QVERIFY2(where.isEmpty(), qPrintable(where));
}

void PreviewPictureTextTest::names_thatDrawNothing()
{
    const QString folder = m_dir.path();
    const QByteArray gif = PictureWriter::readAll(m_dir.filePath(QStringLiteral("pic.gif")));
    const QByteArray jpeg = PictureWriter::jpeg(jpegSource());
    QVERIFY(PictureWriter::writeAll(m_dir.filePath(QStringLiteral(".gif")), gif));
    QVERIFY(PictureWriter::writeAll(m_dir.filePath(QStringLiteral("gif-inside.jpg")), gif));
    QVERIFY(PictureWriter::writeAll(m_dir.filePath(QStringLiteral("jpeg-inside.gif")), jpeg));
    QVERIFY(PictureWriter::writeAll(m_dir.filePath(QStringLiteral("cut.gif")), gif.left(gif.size() / 2)));
    QVERIFY(PictureWriter::writeAll(m_dir.filePath(QStringLiteral("cut.jpg")), jpeg.left(40)));
    QVERIFY(PictureWriter::writeAll(m_dir.filePath(QStringLiteral("noise.gif")), QByteArray("GIF89a\xff\xff\xff\xff", 10)));
    QImage png(4, 4, QImage::Format_RGB32);
    png.fill(Qt::red);
    QVERIFY(png.save(m_dir.filePath(QStringLiteral("pic.png")), "PNG"));
    QVERIFY(png.save(m_dir.filePath(QStringLiteral("png-inside.gif")), "PNG"));
    QVERIFY(QDir(folder).mkdir(QStringLiteral("sub")));
    QVERIFY(QFile::copy(m_dir.filePath(QStringLiteral("pic.gif")), m_dir.filePath(QStringLiteral("sub/in.gif"))));

    for (const char* name : {"", ".gif", "x.gi", "pic.png", "pic.gif ", "gif-inside.jpg",
                             "jpeg-inside.gif", "png-inside.gif", "cut.gif", "cut.jpg", "noise.gif",
                             "missing.gif", "sub/in.gif", "../pic.gif", "sub"}) {
        QVERIFY2(loadPicture(folder, QLatin1String(name)).isNull(), name);
    }
    // From the sub folder, the parent's picture is out of reach.
    QVERIFY(loadPicture(m_dir.filePath(QStringLiteral("sub")), QStringLiteral("../pic.gif")).isNull());
    QVERIFY(!loadPicture(m_dir.filePath(QStringLiteral("sub")), QStringLiteral("in.gif")).isNull());
    QVERIFY(loadPicture(QString(), QStringLiteral("pic.gif")).isNull());

    QImage surface = blankSurface(10, 10);
    const QImage before = surface;
    for (int align = 0; align <= 6; ++align)
        drawPicture(surface, {0, 0, 10, 10}, QImage(), ImageAlign(align), 0, 0);
    QCOMPARE(surface, before);
}

void PreviewPictureTextTest::alignments_placeThePicture_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<Box>("box");
    QTest::addColumn<QPoint>("free");
    QTest::addColumn<QPoint>("expected");
    const Box box{5, 3, 35, 27};
    // "Free" is on the surface, not in the box.
    QTest::newRow("free") << 0 << box << QPoint(2, 20) << QPoint(2, 20);
    QTest::newRow("free off the edge") << 0 << box << QPoint(-3, -2) << QPoint(-3, -2);
    QTest::newRow("center") << 1 << box << QPoint() << QPoint(5 + (30 - 6) / 2, 3 + (24 - 4) / 2);
    QTest::newRow("left") << 2 << box << QPoint() << QPoint(5, 13);
    QTest::newRow("right") << 3 << box << QPoint() << QPoint(35 - 6, 13);
    // Odd room: halves truncate toward zero, also when the picture is larger.
    QTest::newRow("center odd") << 1 << Box{4, 4, 15, 13} << QPoint() << QPoint(4 + 2, 4 + 2);
    QTest::newRow("center larger") << 1 << Box{10, 10, 15, 13} << QPoint() << QPoint(10, 10);
    QTest::newRow("right larger") << 3 << Box{10, 10, 15, 13} << QPoint() << QPoint(9, 10);
    QTest::newRow("left larger") << 2 << Box{10, 10, 15, 11} << QPoint() << QPoint(10, 9);
}

void PreviewPictureTextTest::alignments_placeThePicture()
{
    QFETCH(int, align);
    QFETCH(Box, box);
    QFETCH(QPoint, free);
    QFETCH(QPoint, expected);
    QImage surface = blankSurface(40, 30);
    drawPicture(surface, box, m_gif, ImageAlign(align), free.x(), free.y());
    const QString where = checkCopies(surface, m_gif, {expected});
    QVERIFY2(where.isEmpty(), qPrintable(where));
}

void PreviewPictureTextTest::tile_coversTheBoxFromItsCorner()
{
    // Box 30 x 24 of a 6 x 4 picture: columns 0 to 5, rows 0 to 6, so the
    // last copies run past the right and bottom edges.
    QImage surface = blankSurface(45, 36);
    const Box box{5, 3, 35, 27};
    drawPicture(surface, box, m_gif, ImageAlign::Tile, 0, 0);
    QList<QPoint> origins;
    for (int row = 0; row <= 24 / 4; ++row)
        for (int col = 0; col <= 30 / 6; ++col)
            origins.append(QPoint(5 + col * 6, 3 + row * 4));
    QString where = checkCopies(surface, m_gif, origins);
    QVERIFY2(where.isEmpty(), qPrintable(where));
    // Every pixel of the box shows the picture.
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            QCOMPARE(surface.pixel(x, y), m_gif.pixel((x - 5) % 6, (y - 3) % 4));

    // A box hanging over the surface's top left: only the copies that show.
    surface = blankSurface(20, 20);
    drawPicture(surface, {-1000001, -999999, 30, 30}, m_gif, ImageAlign::Tile, 0, 0);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            QCOMPARE(surface.pixel(x, y),
                     m_gif.pixel(int((x + 1000001LL) % 6), int((y + 999999LL) % 4)));
}

void PreviewPictureTextTest::resize_stretchesOverTheBox()
{
    // Five times as wide and six times as tall: each picture pixel a block.
    QImage surface = blankSurface(40, 30);
    drawPicture(surface, {5, 3, 35, 27}, m_gif, ImageAlign::Resize, 0, 0);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 5 && x < 35 && y >= 3 && y < 27;
            const QRgb want = inside ? m_gif.pixel((x - 5) / 5, (y - 3) / 6) : kBackground;
            QCOMPARE(surface.pixel(x, y) & 0xFFFFFF, want & 0xFFFFFF);
        }
    // Empty boxes and huge ones cost nothing and never fail.
    const QImage before = blankSurface(40, 30);
    surface = before;
    drawPicture(surface, {5, 5, 5, 20}, m_gif, ImageAlign::Resize, 0, 0);
    drawPicture(surface, {5, 5, 20, 4}, m_gif, ImageAlign::Resize, 0, 0);
    QCOMPARE(surface, before);
    drawPicture(surface, {-2000000000, -2000000000, 2000000000, 2000000000}, m_gif,
                ImageAlign::Resize, 0, 0);
    QCOMPARE(surface.pixel(0, 0) & 0xFFFFFF, m_gif.pixel(3, 2) & 0xFFFFFF);
}

void PreviewPictureTextTest::pictures_overTheSizeCapAreRefused()
{
    QVERIFY(writeGif(m_dir.filePath(QStringLiteral("wide.gif")), kMaxSurfaceSide + 1, 1));
    QVERIFY(writeGif(m_dir.filePath(QStringLiteral("widest.gif")), kMaxSurfaceSide, 1));
    QVERIFY(loadPicture(m_dir.path(), QStringLiteral("wide.gif")).isNull());
    QCOMPARE(loadPicture(m_dir.path(), QStringLiteral("widest.gif")).width(), kMaxSurfaceSide);
}

void PreviewPictureTextTest::fonts_byIndexSizeAndStyle()
{
    // Stored 14 draws at 8 points.
    const QFont normal = textFont(1, 14, 0);
    QCOMPARE(normal.family(), QStringLiteral("Helvetica"));
    QCOMPARE(normal.pointSize(), 8);
    QVERIFY(!normal.bold() && !normal.italic());
    const QFont times = textFont(0, 20, 3);
    QCOMPARE(times.family(), QStringLiteral("TimesRoman"));
    QCOMPARE(times.pointSize(), 14);
    QVERIFY(times.bold() && times.italic());
    QCOMPARE(textFont(2, 10, 1).family(), QStringLiteral("Courier"));
    QVERIFY(textFont(2, 10, 1).bold() && !textFont(2, 10, 1).italic());
    QCOMPARE(textFont(3, 10, 2).family(), QStringLiteral("Dialog"));
    QVERIFY(textFont(3, 10, 2).italic());
    // Off the list: the surface's own face. Sizes from hand-edited files are
    // kept drawable.
    QCOMPARE(textFont(9, 14, 0).family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(textFont(-1, 14, 0).family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(textFont(1, 6, 0).pointSize(), 1);
    QCOMPARE(textFont(1, -9999, 0).pointSize(), 1);
    QCOMPARE(textFont(1, 2000000000, 0).pointSize(), 1000);
    QCOMPARE(wrapBoxFont().pixelSize(), 11);
}

void PreviewPictureTextTest::wrap_greedyAtTheWrapBoxWidth()
{
    const QImage screen = makeSurface(1, 1);
    const QFontMetricsF metrics(wrapBoxFont(), &screen);
    // Widths of whole strings may differ from their parts by rounding only.
    const qreal slack = 0.5;
    const QString text = QStringLiteral("Products and services of the company, and news");
    QCOMPARE(wrapText(text, 100000), QStringList{text});
    QVERIFY(wrapText(QString(), 80).isEmpty());
    for (int width : {40, 60, 80, 120, 200}) {
        const QStringList lines = wrapText(text, width);
        QCOMPARE(lines.join(QString()), text);
        const int available = width - kWrapBoxFrame;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString shown = QString(lines[i]).remove(QRegularExpression(QStringLiteral(" +$")));
            QVERIFY2(metrics.horizontalAdvance(shown) <= available + slack,
                     qPrintable(QStringLiteral("%1: '%2'").arg(width).arg(lines[i])));
            // Greedy: the next line's first word would not have fitted.
            if (i + 1 < lines.size()) {
                const QString next = lines[i + 1].section(QLatin1Char(' '), 0, 0);
                QVERIFY(metrics.horizontalAdvance(lines[i] + next) > available - slack);
            }
        }
    }
    // The break depends on the wrap box only: a caption that fits at its
    // 11 pixels wraps the same whatever the item's font.
    const QString caption = QStringLiteral("Home page");
    const int fits = int(std::ceil(metrics.horizontalAdvance(QStringLiteral("Home page"))));
    QCOMPARE(wrapText(caption, fits + kWrapBoxFrame), QStringList{caption});
    QCOMPARE(wrapText(caption, fits + kWrapBoxFrame - 2),
             (QStringList{QStringLiteral("Home "), QStringLiteral("page")}));
}

void PreviewPictureTextTest::wrap_breaksLongWordsAndKeepsHardBreaks()
{
    QCOMPARE(wrapText(QStringLiteral("one\r\ntwo\nthree\rfour"), 500),
             (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"),
                          QStringLiteral("four")}));
    QCOMPARE(wrapText(QStringLiteral("a\n\nb"), 500),
             (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));

    const QString word = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJ");
    const QStringList pieces = wrapText(word, 40);
    QVERIFY(pieces.size() > 2);
    QCOMPARE(pieces.join(QString()), word);

    // No room at all: one character a line, never an endless loop.
    QCOMPARE(wrapText(QStringLiteral("ab cd"), 0),
             (QStringList{QStringLiteral("a"), QStringLiteral("b "), QStringLiteral("c"),
                          QStringLiteral("d")}));
    QCOMPARE(wrapText(QStringLiteral("xyz"), -50).size(), 3);

    const QString endless = QStringLiteral("word ").repeated(40000);
    const QStringList many = wrapText(endless, 80);
    QVERIFY(many.size() > 1000);
    QCOMPARE(many.join(QString()), endless);
}

void PreviewPictureTextTest::text_laidOutByMarginOffsetAndAlignment()
{
    const QStringList lines = {QStringLiteral("Wide first line"), QStringLiteral("mid"),
                               QStringLiteral("last one")};
    const Box box{6, 4, 126, 94};
    for (int h = 0; h < 3; ++h)
        for (int v = 0; v < 3; ++v)
            for (int count : {1, 3}) {
                TextLook look;
                look.fontIndex = 1;
                look.size = 14;
                look.style = h == 1 ? 1 : 0;
                look.color = qRgb(200, 0, 80);
                look.hAlign = HAlign(h);
                look.hOffset = 3 - h;
                look.vAlign = VAlign(v);
                look.vOffset = v - 2;
                look.margin = 5;
                const QStringList shown = lines.mid(0, count);
                QImage drawn = blankSurface(140, 100);
                drawTextLines(drawn, box, shown, look);

                // The same lines put where the layout rules say, at 8 points.
                QFont font(QStringLiteral("Helvetica"));
                font.setPointSize(8);
                font.setBold(h == 1);
                QImage expected = blankSurface(140, 100);
                const QFontMetrics fm(font, &expected);
                const int lh = fm.height(), m = 5, n = count;
                const int width = box.right - box.left, height = box.bottom - box.top;
                const int yo = v == 0 ? m : v == 1 ? (height - 2 * m - n * lh) / 2 + m
                                                   : height - 2 * m - n * lh + m;
                QPainter painter(&expected);
                painter.setFont(font);
                painter.setPen(QColor(200, 0, 80));
                for (int j = 0; j < n; ++j) {
                    const int tw = fm.horizontalAdvance(shown[j]);
                    const int xo = h == 0 ? m : h == 1 ? (width - 2 * m - tw) / 2 + m
                                                       : width - 2 * m - tw + m;
                    painter.drawText(QPoint(box.left + xo + look.hOffset,
                                            box.top + yo + look.vOffset + j * lh + fm.ascent()),
                                     shown[j]);
                }
                painter.end();
                QVERIFY2(drawn == expected,
                         qPrintable(QStringLiteral("h %1 v %2 lines %3").arg(h).arg(v).arg(count)));
                QVERIFY(drawn != blankSurface(140, 100));
            }
}

void PreviewPictureTextTest::text_farOffOrEndlessDrawsOnlyWhatShows()
{
    const QImage before = blankSurface(60, 40);
    QImage surface = before;
    TextLook look;
    look.vOffset = -2000000000;
    drawTextLines(surface, {0, 0, 60, 40}, {QStringLiteral("far")}, look);
    look.vOffset = 0;
    look.hOffset = 2000000000;
    drawTextLines(surface, {0, 0, 60, 40}, {QStringLiteral("far")}, look);
    look.hOffset = 0;
    drawTextLines(surface, {2000000000, 0, 2000000040, 40}, {QStringLiteral("far")}, look);
    QCOMPARE(surface, before);
    drawTextLines(surface, {0, 0, 60, 40}, {}, look);
    QCOMPARE(surface, before);

    // The largest size a file can hold is drawn capped (a glyph larger than
    // the surface, so nothing to check but that it comes back).
    look.size = 9999;
    drawTextLines(surface, {0, 0, 60, 40}, {QStringLiteral("W")}, look);
    surface = before;
    look.size = 14;

    // A hundred thousand lines, centred: only the middle few are drawn.
    QStringList many;
    for (int i = 0; i < 100000; ++i)
        many.append(QStringLiteral("line %1").arg(i));
    look.vAlign = VAlign::Center;
    drawTextLines(surface, {0, 0, 60, 40}, many, look);
    QVERIFY(surface != before);
}

QTEST_MAIN(PreviewPictureTextTest)
#include "PreviewPictureTextTest.moc"

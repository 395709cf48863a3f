#include "PictureDecoder.h"
#include "PictureWriter.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using kzt::PictureDecoder;
using PictureWriter::GifFrame;
using PictureWriter::JpegKind;

namespace {

bool near(QRgb actual, QColor expected, int tolerance = 24)
{
    return std::abs(qRed(actual) - expected.red()) <= tolerance
        && std::abs(qGreen(actual) - expected.green()) <= tolerance
        && std::abs(qBlue(actual) - expected.blue()) <= tolerance;
}

QString describe(QRgb c)
{
    return QStringLiteral("rgba(%1,%2,%3,%4)")
        .arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)).arg(qAlpha(c));
}

// Left half red, right half blue, a green band across the bottom quarter.
QImage testCard(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, y >= height * 3 / 4 ? qRgb(0, 200, 0)
                                 : x < width / 2    ? qRgb(220, 20, 20)
                                                    : qRgb(20, 20, 220));
    return image;
}

// Overwrites the size fields of the first start-of-frame marker.
QByteArray withJpegSize(QByteArray data, int width, int height)
{
    for (qsizetype i = 2; i + 9 < data.size(); ++i) {
        const uchar marker = uchar(data[i + 1]);
        if (uchar(data[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            data[i + 5] = char(height >> 8);
            data[i + 6] = char(height & 0xFF);
            data[i + 7] = char(width >> 8);
            data[i + 8] = char(width & 0xFF);
            return data;
        }
    }
    return {};
}

GifFrame solidFrame(int width, int height, unsigned char index)
{
    GifFrame frame;
    frame.width = width;
    frame.height = height;
    frame.pixels.assign(size_t(width * height), index);
    return frame;
}

const std::vector<QColor> kRgbMap{Qt::red, Qt::green, Qt::blue, Qt::black};

} // namespace

class PictureDecoderTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString writeGif(const QString& name, int sw, int sh, const std::vector<QColor>& global,
                     const std::vector<GifFrame>& frames)
    {
        const QString file = path(name);
        if (!PictureWriter::gif(file, sw, sh, global, frames))
            return {};
        return file;
    }

    // Every prefix and a run of byte flips: none may crash, and results that
    // claim success must still be whole pictures of a sane size.
    void checkDamagedCopies(const QByteArray& good, qsizetype mustFailBelow)
    {
        for (qsizetype n = 0; n < good.size(); ++n) {
            const PictureDecoder::Result r = PictureDecoder::decodeData(good.left(n));
            if (n < mustFailBelow) {
                QVERIFY2(!r.ok(), qPrintable(QStringLiteral("prefix %1 decoded").arg(n)));
                QVERIFY(!r.error.isEmpty());
            }
        }
        QRandomGenerator random(1234);
        for (int round = 0; round < 400; ++round) {
            QByteArray copy = good;
            const int flips = 1 + int(random.bounded(4));
            for (int i = 0; i < flips; ++i)
                copy[qsizetype(random.bounded(quint32(copy.size())))] = char(random.bounded(256));
            const PictureDecoder::Result r = PictureDecoder::decodeData(copy);
            if (r.ok())
                QVERIFY(qint64(r.image.width()) * r.image.height() <= PictureDecoder::kMaxPixels);
            else
                QVERIFY(!r.error.isEmpty());
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // The damaged-file rounds would otherwise fill the log with libpng's complaints.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio=false"));
    }

    void jpeg_decodesSizeAndColours_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("baseline") << int(JpegKind::Rgb);
        QTest::newRow("progressive") << int(JpegKind::Progressive);
        QTest::newRow("adobe cmyk") << int(JpegKind::AdobeCmyk);
        QTest::newRow("grey") << int(JpegKind::Gray);
    }

    void jpeg_decodesSizeAndColours()
    {
        QFETCH(int, kind);
        const QString file = path(QStringLiteral("card%1.jpg").arg(kind));
        QVERIFY(PictureWriter::writeAll(file, PictureWriter::jpeg(testCard(64, 48), JpegKind(kind))));
        const PictureDecoder::Result r = PictureDecoder::decodeFile(file);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.image.size(), QSize(64, 48));
        QCOMPARE(r.fullSize, QSize(64, 48));
        const QRgb left = r.image.pixel(8, 10), right = r.image.pixel(56, 10),
                   bottom = r.image.pixel(32, 44);
        if (JpegKind(kind) == JpegKind::Gray) {
            QVERIFY2(near(left, QColor(79, 79, 79)), qPrintable(describe(left)));
            QVERIFY2(near(right, QColor(42, 42, 42)), qPrintable(describe(right)));
            QVERIFY2(near(bottom, QColor(117, 117, 117)), qPrintable(describe(bottom)));
        } else {
            QVERIFY2(near(left, QColor(220, 20, 20)), qPrintable(describe(left)));
            QVERIFY2(near(right, QColor(20, 20, 220)), qPrintable(describe(right)));
            QVERIFY2(near(bottom, QColor(0, 200, 0)), qPrintable(describe(bottom)));
        }
    }

    void jpeg_thumbnail_fitsBoxAndKeepsFullSize()
    {
        const QByteArray data = PictureWriter::jpeg(testCard(800, 600));
        const PictureDecoder::Result r = PictureDecoder::thumbnailData(data, QSize(160, 160));
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.fullSize, QSize(800, 600));
        QCOMPARE(r.image.size(), QSize(160, 120));
        QVERIFY(near(r.image.pixel(20, 30), QColor(220, 20, 20)));
        QVERIFY(near(r.image.pixel(140, 30), QColor(20, 20, 220)));
        QVERIFY(near(r.image.pixel(80, 115), QColor(0, 200, 0)));

        // Small pictures are never blown up.
        const PictureDecoder::Result small =
            PictureDecoder::thumbnailData(PictureWriter::jpeg(testCard(40, 30)), QSize(160, 160));
        QCOMPARE(small.image.size(), QSize(40, 30));
    }

    void gif_honoursColourMapsAndTransparency()
    {
        GifFrame frame;
        frame.width = 4;
        frame.height = 1;
        frame.pixels = {0, 1, 2, 3};
        frame.transparentIndex = 3;
        const QString global = writeGif(QStringLiteral("global.gif"), 4, 1, kRgbMap, {frame});
        QVERIFY(!global.isEmpty());
        PictureDecoder::Result r = PictureDecoder::decodeFile(global);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.image.size(), QSize(4, 1));
        QCOMPARE(r.image.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(r.image.pixel(1, 0), qRgb(0, 255, 0));
        QCOMPARE(r.image.pixel(2, 0), qRgb(0, 0, 255));
        QCOMPARE(qAlpha(r.image.pixel(3, 0)), 0);

        // A frame's own map wins over the global one; no control block, no transparency.
        frame.localMap = {Qt::white, Qt::yellow, Qt::cyan, Qt::magenta};
        frame.transparentIndex = -1;
        const QString local = writeGif(QStringLiteral("local.gif"), 4, 1, kRgbMap, {frame});
        r = PictureDecoder::decodeFile(local);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.image.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(r.image.pixel(1, 0), qRgb(255, 255, 0));
        QCOMPARE(r.image.pixel(2, 0), qRgb(0, 255, 255));
        QCOMPARE(r.image.pixel(3, 0), qRgb(255, 0, 255));

        // Neither map (the encoder refuses to write that, so drop the global
        // table by hand): nothing to show colours with.
        QByteArray none = PictureWriter::readAll(global);
        const uchar packed = uchar(none[10]);
        QVERIFY(packed & 0x80);
        none.remove(13, 3 * (2 << (packed & 7)));
        none[10] = char(packed & 0x7F);
        r = PictureDecoder::decodeData(none);
        QVERIFY(!r.ok());
        QCOMPARE(r.error, PictureDecoder::damagedText());
    }

    void gif_interlacedRowsLandInPlace()
    {
        // Eleven rows cover all four passes including a short last one.
        std::vector<QColor> map;
        for (int i = 0; i < 16; ++i)
            map.emplace_back(i * 16, 255 - i * 16, (i * 40) % 256);
        GifFrame frame;
        frame.width = 3;
        frame.height = 11;
        frame.interlaced = true;
        for (int y = 0; y < frame.height; ++y)
            for (int x = 0; x < frame.width; ++x)
                frame.pixels.push_back(uchar(y));
        const QString file = writeGif(QStringLiteral("interlaced.gif"), 3, 11, map, {frame});
        QVERIFY(!file.isEmpty());
        const PictureDecoder::Result r = PictureDecoder::decodeFile(file);
        QVERIFY2(r.ok(), qPrintable(r.error));
        for (int y = 0; y < 11; ++y)
            QCOMPARE(r.image.pixel(1, y), map[size_t(y)].rgb());
    }

    void gif_smallFirstFrameSitsAtItsOffsetOnTheScreen()
    {
        GifFrame first = solidFrame(3, 2, 2);
        first.left = 4;
        first.top = 5;
        const GifFrame second = solidFrame(10, 8, 0);
        const QString file = writeGif(QStringLiteral("offset.gif"), 10, 8, kRgbMap, {first, second});
        QVERIFY(!file.isEmpty());
        const PictureDecoder::Result r = PictureDecoder::decodeFile(file);
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.image.size(), QSize(10, 8));
        QCOMPARE(r.image.pixel(4, 5), qRgb(0, 0, 255));
        QCOMPARE(r.image.pixel(6, 6), qRgb(0, 0, 255));
        QCOMPARE(qAlpha(r.image.pixel(3, 5)), 0);
        QCOMPARE(qAlpha(r.image.pixel(7, 6)), 0);
        QCOMPARE(qAlpha(r.image.pixel(0, 0)), 0);

        // A frame reaching past the screen is shown whole.
        GifFrame wide = solidFrame(6, 2, 1);
        wide.left = 2;
        const QString past = writeGif(QStringLiteral("past.gif"), 4, 1, kRgbMap, {wide});
        const PictureDecoder::Result p = PictureDecoder::decodeFile(past);
        QVERIFY2(p.ok(), qPrintable(p.error));
        QCOMPARE(p.image.size(), QSize(8, 2));
        QCOMPARE(p.image.pixel(7, 1), qRgb(0, 255, 0));
    }

    void damagedJpeg_failsWithoutCrashing()
    {
        const QByteArray good = PictureWriter::jpeg(testCard(48, 40), JpegKind::Rgb, 80);
        QVERIFY(PictureDecoder::decodeData(good).ok());
        checkDamagedCopies(good, good.size() - 16);
        const QByteArray progressive = PictureWriter::jpeg(testCard(48, 40), JpegKind::Progressive);
        checkDamagedCopies(progressive, progressive.size() - 16);
    }

    void damagedGif_failsWithoutCrashing()
    {
        std::vector<QColor> map;
        for (int i = 0; i < 64; ++i)
            map.emplace_back(i * 4, 255 - i * 4, i * 2);
        GifFrame frame;
        frame.width = 40;
        frame.height = 30;
        for (int i = 0; i < 40 * 30; ++i)
            frame.pixels.push_back(uchar((i * 7 + i / 40) % 64));
        GifFrame interlaced = frame;
        interlaced.interlaced = true;
        interlaced.transparentIndex = 5;
        const QString file = writeGif(QStringLiteral("fuzz.gif"), 40, 30, map, {frame});
        const QString file2 = writeGif(QStringLiteral("fuzz2.gif"), 40, 30, map, {interlaced});
        for (const QString& f : {file, file2}) {
            const QByteArray good = PictureWriter::readAll(f);
            QVERIFY(PictureDecoder::decodeData(good).ok());
            // The trailer and the frame's end-of-data block may go missing
            // after every pixel is known.
            checkDamagedCopies(good, good.size() - 3);
        }
    }

    void garbage_isNotAPicture()
    {
        QRandomGenerator random(99);
        QByteArray noise(4096, '\0');
        for (char& c : noise)
            c = char(random.bounded(256));
        noise[0] = 'x';
        PictureDecoder::Result r = PictureDecoder::decodeData(noise);
        QVERIFY(!r.ok());
        QCOMPARE(r.error, PictureDecoder::notAPictureText());

        r = PictureDecoder::decodeData(QByteArray("\xFF\xD8\xFF", 3) + noise);
        QVERIFY(!r.ok());
        QCOMPARE(r.error, PictureDecoder::damagedText());
        r = PictureDecoder::decodeData("GIF89a" + noise);
        QVERIFY(!r.ok());
        r = PictureDecoder::decodeData("GIF87a");
        QVERIFY(!r.ok());
        r = PictureDecoder::decodeData({});
        QVERIFY(!r.ok());

        // A text file named like a picture, a folder and a missing file.
        const QString text = path(QStringLiteral("notes.jpg"));
        QVERIFY(PictureWriter::writeAll(text, "just some words\n"));
        QCOMPARE(PictureDecoder::decodeFile(text).error, PictureDecoder::notAPictureText());
        QCOMPARE(PictureDecoder::decodeFile(m_dir.path()).error, PictureDecoder::unreadableText());
        QCOMPARE(PictureDecoder::decodeFile(path(QStringLiteral("missing.gif"))).error,
                 PictureDecoder::unreadableText());
    }

    void hugeDimensions_areRefusedBeforeDecoding()
    {
        const QByteArray huge = withJpegSize(PictureWriter::jpeg(testCard(16, 16)), 60000, 60000);
        QVERIFY(!huge.isEmpty());
        PictureDecoder::Result r = PictureDecoder::decodeData(huge);
        QVERIFY(!r.ok());
        QCOMPARE(r.error, PictureDecoder::tooLargeText());
        QCOMPARE(r.fullSize, QSize(60000, 60000));
        QCOMPARE(PictureDecoder::thumbnailData(huge, QSize(160, 160)).error,
                 PictureDecoder::tooLargeText());

        const QString screen =
            writeGif(QStringLiteral("hugescreen.gif"), 60000, 60000, kRgbMap, {solidFrame(1, 1, 0)});
        r = PictureDecoder::decodeFile(screen);
        QCOMPARE(r.error, PictureDecoder::tooLargeText());

        // A small screen with a frame descriptor claiming the huge size.
        const QString frame =
            writeGif(QStringLiteral("hugeframe.gif"), 2, 2, kRgbMap, {solidFrame(1, 1, 0)});
        QByteArray data = PictureWriter::readAll(frame);
        const qsizetype desc = data.indexOf(',');
        QVERIFY(desc > 0);
        data[desc + 5] = char(60000 & 0xFF);
        data[desc + 6] = char(60000 >> 8);
        data[desc + 7] = char(60000 & 0xFF);
        data[desc + 8] = char(60000 >> 8);
        r = PictureDecoder::decodeData(data);
        QCOMPARE(r.error, PictureDecoder::tooLargeText());
    }

    void oversizedFile_isNotRead()
    {
        const QString file = path(QStringLiteral("big.jpg"));
        QFile big(file);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.write(PictureWriter::jpeg(testCard(8, 8))) > 0);
        QVERIFY(big.resize(PictureDecoder::kMaxFileBytes + 1)); // sparse: costs no disk
        big.close();
        QCOMPARE(PictureDecoder::decodeFile(file).error, PictureDecoder::tooLargeText());
        QFile::remove(file);
    }

    void pngAndBmp_goThroughQt()
    {
        for (const char* format : {"png", "bmp"}) {
            const QString file = path(QStringLiteral("card.") + QLatin1String(format));
            QVERIFY(testCard(30, 20).save(file, format));
            const PictureDecoder::Result r = PictureDecoder::decodeFile(file);
            QVERIFY2(r.ok(), qPrintable(r.error));
            QCOMPARE(r.image.size(), QSize(30, 20));
            QCOMPARE(r.image.pixel(2, 2), qRgb(220, 20, 20));
            // Qt's readers return the rows they got from a cut-off file.
            const QByteArray data = PictureWriter::readAll(file);
            checkDamagedCopies(data, format == QByteArrayView("png") ? data.size() - 4 : data.size());
        }
    }
};

QTEST_MAIN(PictureDecoderTest)
#include "PictureDecoderTest.moc"

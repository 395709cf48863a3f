#include "PictureDecoder.h"

#include "GifPictureReader.h"
#include "JpegPictureReader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>

namespace kzt {

namespace {

enum class Format { Jpeg, Gif, Other };

Format sniff(const QByteArray& data)
{
    if (data.size() >= 3 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8
        && uchar(data[2]) == 0xFF)
        return Format::Jpeg;
    if (data.startsWith("GIF87a") || data.startsWith("GIF89a"))
        return Format::Gif;
    return Format::Other;
}

quint32 littleEndian32(const QByteArray& data, qsizetype at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | uchar(data[at + i]);
    return value;
}

// Qt's BMP reader, like its PNG reader, fills a cut-off file's missing rows
// silently. The header says how long the file is; some writers leave that 0,
// so uncompressed pixel data is measured as well.
bool bmpIsWhole(const QByteArray& data)
{
    if (data.size() < 34)
        return false;
    const quint32 fileSize = littleEndian32(data, 2);
    if (fileSize != 0 && quint64(data.size()) < fileSize)
        return false;
    const quint32 headerSize = littleEndian32(data, 14);
    const quint32 compression = littleEndian32(data, 30);
    if (headerSize < 40 || (compression != 0 && compression != 3))
        return true;
    const qint64 width = qint32(littleEndian32(data, 18));
    const qint64 height = qint32(littleEndian32(data, 22));
    const qint64 bits = uchar(data[28]) | (uchar(data[29]) << 8);
    const qint64 rowBytes = (std::abs(width) * bits + 31) / 32 * 4;
    return data.size() >= qint64(littleEndian32(data, 10)) + rowBytes * std::abs(height);
}

// Only the plain raster formats go to Qt's readers; the picture dialogs
// offer nothing else, and odd plugins have no business reading random files.
PictureDecoder::Result readWithQt(const QByteArray& data, const QSize& box)
{
    PictureDecoder::Result result;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "png" && format != "bmp") {
        result.error = PictureDecoder::notAPictureText();
        return result;
    }
    const QSize size = reader.size();
    result.fullSize = size;
    if (!size.isValid() || size.isEmpty()) {
        result.error = PictureDecoder::damagedText();
        return result;
    }
    if (qint64(size.width()) * size.height() > PictureDecoder::kMaxPixels) {
        result.error = PictureDecoder::tooLargeText();
        return result;
    }
    // Room for the largest allowed picture at four bytes a pixel.
    reader.setAllocationLimit(int(PictureDecoder::kMaxPixels * 4 / (1024 * 1024)) + 1);
    // Qt's PNG reader hands back the rows it got from a cut-off file as if
    // all were well; a whole PNG always has its IEND chunk.
    if ((format == "png" && data.lastIndexOf("IEND") < 0) || (format == "bmp" && !bmpIsWhole(data))) {
        result.error = PictureDecoder::damagedText();
        return result;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        result.error = PictureDecoder::damagedText();
        return result;
    }
    result.image = box.isValid() ? PictureDecoder::scaledToFit(image, box) : image;
    return result;
}

PictureDecoder::Result decode(const QByteArray& data, const QSize& box)
{
    switch (sniff(data)) {
    case Format::Jpeg: {
        PictureDecoder::Result result = JpegPictureReader::read(data, box);
        if (result.ok() && box.isValid())
            result.image = PictureDecoder::scaledToFit(result.image, box);
        return result;
    }
    case Format::Gif: {
        PictureDecoder::Result result = GifPictureReader::read(data);
        if (result.ok() && box.isValid())
            result.image = PictureDecoder::scaledToFit(result.image, box);
        return result;
    }
    case Format::Other:
        break;
    }
    return readWithQt(data, box);
}

// Regular files only: a FIFO or device named like a picture would block or
// never end.
PictureDecoder::Result readFile(const QString& fileName, QByteArray& data)
{
    PictureDecoder::Result result;
    const QFileInfo info(fileName);
    if (!info.exists() || !info.isFile()) {
        result.error = PictureDecoder::unreadableText();
        return result;
    }
    if (info.size() > PictureDecoder::kMaxFileBytes) {
        result.error = PictureDecoder::tooLargeText();
        return result;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = PictureDecoder::unreadableText();
        return result;
    }
    // The file may grow while it is read; never take more than the limit.
    data = file.read(PictureDecoder::kMaxFileBytes + 1);
    if (data.size() > PictureDecoder::kMaxFileBytes) {
        data.clear();
        result.error = PictureDecoder::tooLargeText();
    } else if (data.isEmpty()) {
        result.error = PictureDecoder::notAPictureText();
    }
    return result;
}

} // namespace

PictureDecoder::Result PictureDecoder::decodeData(const QByteArray& data)
{
    return decode(data, {});
}

PictureDecoder::Result PictureDecoder::thumbnailData(const QByteArray& data, const QSize& box)
{
    return decode(data, box.isValid() ? box : QSize(1, 1));
}

PictureDecoder::Result PictureDecoder::decodeFile(const QString& fileName)
{
    QByteArray data;
    Result failure = readFile(fileName, data);
    if (!failure.error.isEmpty())
        return failure;
    return decodeData(data);
}

PictureDecoder::Result PictureDecoder::thumbnailFile(const QString& fileName, const QSize& box)
{
    QByteArray data;
    Result failure = readFile(fileName, data);
    if (!failure.error.isEmpty())
        return failure;
    return thumbnailData(data, box);
}

QImage PictureDecoder::scaledToFit(const QImage& image, const QSize& box)
{
    if (image.isNull() || !box.isValid() || box.isEmpty())
        return image;
    if (image.width() <= box.width() && image.height() <= box.height())
        return image;
    QSize target = image.size().scaled(box, Qt::KeepAspectRatio);
    // A sliver of a picture still gets a visible pixel across.
    target = target.expandedTo(QSize(1, 1));
    return image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QString PictureDecoder::notAPictureText()
{
    return QStringLiteral("Not a picture");
}

QString PictureDecoder::damagedText()
{
    return QStringLiteral("Damaged picture");
}

QString PictureDecoder::tooLargeText()
{
    return QStringLiteral("Picture too large");
}

QString PictureDecoder::unreadableText()
{
    return QStringLiteral("Cannot read the file");
}

} // namespace kzt

#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace kzt {

// Turns a picture file into a QImage for previews. JPEG goes through libjpeg,
// GIF (its first frame) through giflib, anything else through QImageReader.
// Every input is untrusted: damaged, truncated or hostile files give an error
// text, never a crash, and nothing is allocated for pictures beyond the limits.
class PictureDecoder
{
public:
    // Larger pictures are refused before any pixel memory is taken.
    static constexpr qint64 kMaxPixels = 64LL * 1024 * 1024;
    // No picture the programs use comes near this; bigger files are not read.
    static constexpr qint64 kMaxFileBytes = 128LL * 1024 * 1024;

    struct Result
    {
        QImage image;    // null on failure
        QSize fullSize;  // the picture's own size, also when image is a thumbnail
        QString error;   // a short caption when image is null
        bool ok() const { return !image.isNull(); }
    };

    static Result decodeFile(const QString& fileName);
    static Result decodeData(const QByteArray& data);

    // Decodes and scales to fit box, keeping the aspect ratio; never enlarges.
    // JPEG pictures are decoded at a reduced scale straight away.
    static Result thumbnailFile(const QString& fileName, const QSize& box);
    static Result thumbnailData(const QByteArray& data, const QSize& box);

    static QImage scaledToFit(const QImage& image, const QSize& box);

    static QString notAPictureText();
    static QString damagedText();
    static QString tooLargeText();
    static QString unreadableText();
};

} // namespace kzt

#include "PreviewDrawing.h"

#include "AppletUtility.h"
#include "PictureDecoder.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdint>

namespace kzt {

namespace {

using i64 = std::int64_t;

enum class Kind { None, Jpeg, Gif };

Kind kindOfName(const QString& name)
{
    if (name.size() < 5)
        return Kind::None;
    const QString ending = name.right(4).toLower();
    if (ending == QLatin1String(".jpg") || ending == QLatin1String("jpeg"))
        return Kind::Jpeg;
    if (ending == QLatin1String(".gif"))
        return Kind::Gif;
    return Kind::None;
}

// The decoder is chosen by the name; a file of another kind under that name
// does not decode.
bool contentIs(Kind kind, const QByteArray& head)
{
    if (kind == Kind::Jpeg)
        return head.size() >= 3 && uchar(head[0]) == 0xFF && uchar(head[1]) == 0xD8
            && uchar(head[2]) == 0xFF;
    return head.startsWith("GIF87a") || head.startsWith("GIF89a");
}

i64 floorDiv(i64 a, i64 b)
{
    i64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Copies picture with its top left corner at (x, y), every pixel opaque.
void blit(QImage& surface, const QImage& picture, i64 x, i64 y)
{
    const i64 x0 = std::max<i64>(x, 0);
    const i64 y0 = std::max<i64>(y, 0);
    const i64 x1 = std::min<i64>(x + picture.width(), surface.width());
    const i64 y1 = std::min<i64>(y + picture.height(), surface.height());
    if (x0 >= x1 || y0 >= y1)
        return;
    for (i64 row = y0; row < y1; ++row) {
        const QRgb* from = reinterpret_cast<const QRgb*>(picture.constScanLine(int(row - y))) + (x0 - x);
        QRgb* to = reinterpret_cast<QRgb*>(surface.scanLine(int(row))) + x0;
        for (i64 i = 0; i < x1 - x0; ++i)
            to[i] = from[i] | 0xFF000000u;
    }
}

// Nearest-pixel stretch onto the visible part of the box only.
void stretch(QImage& surface, const QImage& picture, const Box& b)
{
    const i64 width = i64(b.right) - b.left;
    const i64 height = i64(b.bottom) - b.top;
    if (width <= 0 || height <= 0)
        return;
    const i64 x0 = std::max<i64>(b.left, 0);
    const i64 y0 = std::max<i64>(b.top, 0);
    const i64 x1 = std::min<i64>(b.right, surface.width());
    const i64 y1 = std::min<i64>(b.bottom, surface.height());
    for (i64 y = y0; y < y1; ++y) {
        const i64 sy = (y - b.top) * picture.height() / height;
        const QRgb* from = reinterpret_cast<const QRgb*>(picture.constScanLine(int(sy)));
        QRgb* to = reinterpret_cast<QRgb*>(surface.scanLine(int(y)));
        for (i64 x = x0; x < x1; ++x)
            to[x] = from[(x - b.left) * picture.width() / width] | 0xFF000000u;
    }
}

// Copies at (left + col * w, top + row * h) for row 0 to (bottom - top) / h
// and col 0 to (right - left) / w, only those that reach the surface.
void tile(QImage& surface, const QImage& picture, const Box& b)
{
    const i64 w = picture.width(), h = picture.height();
    const i64 lastCol = (i64(b.right) - b.left) / w;
    const i64 lastRow = (i64(b.bottom) - b.top) / h;
    const i64 firstVisibleCol = std::max<i64>(0, floorDiv(-i64(b.left), w));
    const i64 lastVisibleCol = std::min(lastCol, floorDiv(surface.width() - i64(b.left) - 1, w));
    const i64 firstVisibleRow = std::max<i64>(0, floorDiv(-i64(b.top), h));
    const i64 lastVisibleRow = std::min(lastRow, floorDiv(surface.height() - i64(b.top) - 1, h));
    for (i64 row = firstVisibleRow; row <= lastVisibleRow; ++row)
        for (i64 col = firstVisibleCol; col <= lastVisibleCol; ++col)
            blit(surface, picture, b.left + col * w, b.top + row * h);
}

} // namespace

QImage loadPicture(const QString& folder, const QString& name)
{
    const Kind kind = kindOfName(name);
    if (kind == Kind::None || folder.isEmpty() || !kzt::IsBareFileName(name.toStdString()))
        return {};
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !contentIs(kind, file.peek(6)))
        return {};
    file.close();
    const kzt::PictureDecoder::Result decoded = kzt::PictureDecoder::decodeFile(path);
    if (!decoded.ok() || decoded.image.width() > kMaxSurfaceSide
        || decoded.image.height() > kMaxSurfaceSide)
        return {};
    return decoded.image;
}

void drawPicture(QImage& surface, const Box& box, const QImage& picture, ImageAlign align, int x,
                 int y)
{
    if (picture.isNull() || picture.width() < 1 || picture.height() < 1 || surface.isNull()
        || (surface.format() != QImage::Format_RGB32 && surface.format() != QImage::Format_ARGB32))
        return;
    const QImage source = picture.format() == QImage::Format_RGB32
            || picture.format() == QImage::Format_ARGB32
        ? picture
        : picture.convertToFormat(QImage::Format_ARGB32);
    const i64 iw = source.width(), ih = source.height();
    const i64 l = box.left, t = box.top, r = box.right, b = box.bottom;
    switch (align) {
    case ImageAlign::Free:
        blit(surface, source, x, y);
        return;
    case ImageAlign::Center:
        blit(surface, source, l + (r - l - iw) / 2, t + (b - t - ih) / 2);
        return;
    case ImageAlign::Left:
        blit(surface, source, l, t + (b - t - ih) / 2);
        return;
    case ImageAlign::Right:
        blit(surface, source, r - iw, t + (b - t - ih) / 2);
        return;
    case ImageAlign::Tile:
        tile(surface, source, box);
        return;
    case ImageAlign::Resize:
        stretch(surface, source, box);
        return;
    }
}

} // namespace kzt

#include "GifPictureReader.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace kzt {

namespace {

struct Source
{
    const char* data;
    qint64 size;
    qint64 pos;
};

int readFromSource(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* source = static_cast<Source*>(gif->UserData);
    const qint64 n = std::clamp<qint64>(source->size - source->pos, 0, std::max(length, 0));
    std::memcpy(buffer, source->data + source->pos, size_t(n));
    source->pos += n;
    return int(n);
}

struct GifCloser
{
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifPtr = std::unique_ptr<GifFileType, GifCloser>;

PictureDecoder::Result failure(const QString& text, QSize fullSize = {})
{
    PictureDecoder::Result result;
    result.error = text;
    result.fullSize = fullSize;
    return result;
}

bool tooLarge(qint64 width, qint64 height)
{
    return width * height > PictureDecoder::kMaxPixels;
}

// Reads the pixels of the current frame onto canvas at the frame's offset.
bool readFrame(GifFileType* gif, QImage& canvas, int transparentIndex)
{
    const GifImageDesc& desc = gif->Image;
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || !map->Colors || map->ColorCount <= 0)
        return false;
    // An index outside the map shows nothing rather than a made-up colour.
    std::vector<QRgb> palette(256, 0);
    for (int i = 0; i < std::min(map->ColorCount, 256); ++i) {
        const GifColorType& c = map->Colors[i];
        palette[size_t(i)] = qRgb(c.Red, c.Green, c.Blue);
    }
    if (transparentIndex >= 0 && transparentIndex < 256)
        palette[size_t(transparentIndex)] = 0;

    std::vector<GifPixelType> line(size_t(desc.Width));
    auto putRow = [&](int y) {
        QRgb* out = reinterpret_cast<QRgb*>(canvas.scanLine(desc.Top + y)) + desc.Left;
        for (int x = 0; x < desc.Width; ++x)
            out[x] = palette[line[size_t(x)]];
    };
    if (desc.Interlace) {
        static constexpr int kStart[] = {0, 4, 2, 1};
        static constexpr int kStep[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass) {
            for (int y = kStart[pass]; y < desc.Height; y += kStep[pass]) {
                if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR)
                    return false;
                putRow(y);
            }
        }
    } else {
        for (int y = 0; y < desc.Height; ++y) {
            if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR)
                return false;
            putRow(y);
        }
    }
    return true;
}

} // namespace

PictureDecoder::Result GifPictureReader::read(const QByteArray& data)
{
    Source source{data.constData(), data.size(), 0};
    int error = 0;
    GifPtr gif(DGifOpen(&source, readFromSource, &error));
    if (!gif)
        return failure(PictureDecoder::damagedText());
    const QSize screen(gif->SWidth, gif->SHeight);
    if (tooLarge(screen.width(), screen.height()))
        return failure(PictureDecoder::tooLargeText(), screen);

    int transparentIndex = -1;
    // Every record consumes input, so this ends at the latest with the data.
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
            return failure(PictureDecoder::damagedText(), screen);
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(gif.get(), &code, &ext) == GIF_ERROR)
                return failure(PictureDecoder::damagedText(), screen);
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
                GraphicsControlBlock gcb;
                if (DGifExtensionToGCB(ext[0], ext + 1, &gcb) == GIF_OK)
                    transparentIndex = gcb.TransparentColor;
            }
            while (ext) {
                if (DGifGetExtensionNext(gif.get(), &ext) == GIF_ERROR)
                    return failure(PictureDecoder::damagedText(), screen);
            }
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            break;
        } else {
            // The stream ended without a frame.
            return failure(PictureDecoder::damagedText(), screen);
        }
    }

    if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
        return failure(PictureDecoder::damagedText(), screen);
    const GifImageDesc& desc = gif->Image;
    if (desc.Width <= 0 || desc.Height <= 0 || desc.Left < 0 || desc.Top < 0)
        return failure(PictureDecoder::damagedText(), screen);
    // Frames reaching past the logical screen widen the canvas instead of
    // being cut, as browsers do.
    const QSize canvasSize(std::max(screen.width(), desc.Left + desc.Width),
                           std::max(screen.height(), desc.Top + desc.Height));
    if (tooLarge(canvasSize.width(), canvasSize.height()))
        return failure(PictureDecoder::tooLargeText(), canvasSize);

    QImage canvas(canvasSize, QImage::Format_ARGB32);
    if (canvas.isNull())
        return failure(PictureDecoder::tooLargeText(), canvasSize);
    canvas.fill(Qt::transparent);
    if (!readFrame(gif.get(), canvas, transparentIndex))
        return failure(PictureDecoder::damagedText(), canvasSize);

    PictureDecoder::Result result;
    result.image = std::move(canvas);
    result.fullSize = canvasSize;
    return result;
}

} // namespace kzt

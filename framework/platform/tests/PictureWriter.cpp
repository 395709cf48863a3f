#include "PictureWriter.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

#include <gif_lib.h>
#include <jpeglib.h>

namespace PictureWriter {

QByteArray jpeg(const QImage& source, JpegKind kind, int quality)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    const bool gray = kind == JpegKind::Gray;
    const bool cmyk = kind == JpegKind::AdobeCmyk;
    cinfo.input_components = gray ? 1 : cmyk ? 4 : 3;
    cinfo.in_color_space = gray ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (cmyk)
        jpeg_set_colorspace(&cinfo, JCS_CMYK);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (kind == JpegKind::Progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(size_t(image.width()) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uchar* in = image.constScanLine(int(cinfo.next_scanline));
        for (int x = 0; x < image.width(); ++x) {
            const int r = in[3 * x], g = in[3 * x + 1], b = in[3 * x + 2];
            if (gray) {
                row[size_t(x)] = uchar((r * 299 + g * 587 + b * 114) / 1000);
            } else if (cmyk) {
                // Adobe's convention: 255 means no ink.
                const int k = std::max({r, g, b});
                row[size_t(4 * x)] = uchar(k ? r * 255 / k : 0);
                row[size_t(4 * x + 1)] = uchar(k ? g * 255 / k : 0);
                row[size_t(4 * x + 2)] = uchar(k ? b * 255 / k : 0);
                row[size_t(4 * x + 3)] = uchar(k);
            } else {
                row[size_t(3 * x)] = uchar(r);
                row[size_t(3 * x + 1)] = uchar(g);
                row[size_t(3 * x + 2)] = uchar(b);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray result(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return result;
}

namespace {

ColorMapObject* makeMap(const std::vector<QColor>& colours)
{
    if (colours.empty())
        return nullptr;
    int count = 2;
    while (count < int(colours.size()))
        count *= 2;
    std::vector<GifColorType> entries(size_t(count), GifColorType{0, 0, 0});
    for (size_t i = 0; i < colours.size(); ++i)
        entries[i] = GifColorType{GifByteType(colours[i].red()), GifByteType(colours[i].green()),
                                  GifByteType(colours[i].blue())};
    return GifMakeMapObject(count, entries.data());
}

bool writeFrame(GifFileType* gif, const GifFrame& frame)
{
    if (frame.transparentIndex >= 0) {
        GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, frame.transparentIndex};
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(len), ext) == GIF_ERROR)
            return false;
    }
    ColorMapObject* local = makeMap(frame.localMap);
    const int ok = EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height,
                                    frame.interlaced, local);
    GifFreeMapObject(local);
    if (ok == GIF_ERROR)
        return false;
    std::vector<int> order;
    if (frame.interlaced) {
        const int start[] = {0, 4, 2, 1};
        const int step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < frame.height; y += step[pass])
                order.push_back(y);
    } else {
        for (int y = 0; y < frame.height; ++y)
            order.push_back(y);
    }
    std::vector<GifPixelType> line(size_t(frame.width));
    for (int y : order) {
        for (int x = 0; x < frame.width; ++x)
            line[size_t(x)] = frame.pixels.at(size_t(y * frame.width + x));
        if (EGifPutLine(gif, line.data(), frame.width) == GIF_ERROR)
            return false;
    }
    return true;
}

} // namespace

bool gif(const QString& fileName, int screenWidth, int screenHeight,
         const std::vector<QColor>& globalMap, const std::vector<GifFrame>& frames)
{
    int error = 0;
    GifFileType* out = EGifOpenFileName(QFile::encodeName(fileName).constData(), false, &error);
    if (!out)
        return false;
    EGifSetGifVersion(out, true);
    ColorMapObject* global = makeMap(globalMap);
    bool ok = EGifPutScreenDesc(out, screenWidth, screenHeight, 8, 0, global) != GIF_ERROR;
    GifFreeMapObject(global);
    for (const GifFrame& frame : frames)
        ok = ok && writeFrame(out, frame);
    ok = EGifCloseFile(out, &error) != GIF_ERROR && ok;
    return ok;
}

QByteArray readAll(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& fileName, const QByteArray& data)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

} // namespace PictureWriter

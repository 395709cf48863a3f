#include "JpegPictureReader.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

namespace kzt {

namespace {

// libjpeg's default error handler calls exit(); ours jumps back instead so a
// damaged file only fails its own decode.
struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool truncated;
};

[[noreturn]] void onError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings are not printed. Running out of data is remembered: libjpeg pads
// the missing rows with grey and would otherwise report success.
void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<ErrorManager*>(cinfo->err)->truncated = true;
}

struct Job
{
    const QByteArray* data = nullptr;
    QSize box;
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    QImage image;
    QSize fullSize;
    QString error;
};

// Largest of 1, 2, 4, 8 that still leaves the picture at least box large.
unsigned int scaleDenominator(JDIMENSION width, JDIMENSION height, const QSize& box)
{
    if (!box.isValid() || box.isEmpty())
        return 1;
    for (unsigned int d : {8u, 4u, 2u}) {
        const JDIMENSION w = (width + d - 1) / d;
        const JDIMENSION h = (height + d - 1) / d;
        if (w >= JDIMENSION(box.width()) && h >= JDIMENSION(box.height()))
            return d;
    }
    return 1;
}

void convertCmykRow(const JSAMPLE* in, uchar* out, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        // Adobe writes CMYK inverted; plain CMYK stores ink amounts.
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[0] = uchar(c * k / 255);
        out[1] = uchar(m * k / 255);
        out[2] = uchar(y * k / 255);
    }
}

// Holds no object with a destructor: libjpeg may longjmp out of any call here.
bool run(Job& job)
{
    jpeg_decompress_struct& cinfo = job.cinfo;
    cinfo.err = jpeg_std_error(&job.err.pub);
    job.err.pub.error_exit = onError;
    job.err.pub.emit_message = onMessage;
    job.err.truncated = false;
    if (setjmp(job.err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    // Progressive pictures keep all coefficients in memory; cap it.
    cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(job.data->constData()),
                 static_cast<unsigned long>(job.data->size()));
    jpeg_read_header(&cinfo, TRUE);
    job.fullSize = QSize(int(cinfo.image_width), int(cinfo.image_height));
    if (cinfo.image_width == 0 || cinfo.image_height == 0) {
        jpeg_destroy_decompress(&cinfo);
        job.error = PictureDecoder::damagedText();
        return false;
    }
    if (qint64(cinfo.image_width) * qint64(cinfo.image_height) > PictureDecoder::kMaxPixels) {
        jpeg_destroy_decompress(&cinfo);
        job.error = PictureDecoder::tooLargeText();
        return false;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    const bool gray = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    cinfo.out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_RGB;
    cinfo.scale_num = 1;
    cinfo.scale_denom = scaleDenominator(cinfo.image_width, cinfo.image_height, job.box);
    jpeg_start_decompress(&cinfo);

    job.image = QImage(int(cinfo.output_width), int(cinfo.output_height),
                       gray ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    if (job.image.isNull()) {
        jpeg_destroy_decompress(&cinfo);
        job.error = PictureDecoder::tooLargeText();
        return false;
    }
    JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                          JPOOL_IMAGE, cinfo.output_width * 4, 1)
                              : nullptr;
    while (cinfo.output_scanline < cinfo.output_height && !job.err.truncated) {
        uchar* line = job.image.scanLine(int(cinfo.output_scanline));
        if (cmyk) {
            jpeg_read_scanlines(&cinfo, cmykRow, 1);
            convertCmykRow(cmykRow[0], line, cinfo.output_width, cinfo.saw_Adobe_marker);
        } else {
            JSAMPROW row = line;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
    }
    const bool truncated = job.err.truncated;
    jpeg_destroy_decompress(&cinfo);
    if (truncated) {
        job.error = PictureDecoder::damagedText();
        return false;
    }
    return true;
}

} // namespace

PictureDecoder::Result JpegPictureReader::read(const QByteArray& data, const QSize& box)
{
    Job job;
    job.data = &data;
    job.box = box;
    PictureDecoder::Result result;
    if (run(job)) {
        result.image = std::move(job.image);
        result.fullSize = job.fullSize;
    } else {
        result.error = job.error.isEmpty() ? PictureDecoder::damagedText() : job.error;
        result.fullSize = job.fullSize;
    }
    return result;
}

} // namespace kzt

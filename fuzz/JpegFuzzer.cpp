// Pictures an author's project folder may hold: JPEG through libjpeg, whole
// and as a thumbnail, and through the decoder's own sniffing.
#include "FuzzSupport.h"

#include "JpegPictureReader.h"
#include "PictureDecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const kzt::PictureDecoder::Result whole = kzt::JpegPictureReader::read(bytes);
    KZT_FUZZ_CHECK(whole.ok() || !whole.error.isEmpty());
    if (whole.ok())
        KZT_FUZZ_CHECK(qint64(whole.image.width()) * whole.image.height() <= kzt::PictureDecoder::kMaxPixels);
    const kzt::PictureDecoder::Result small = kzt::JpegPictureReader::read(bytes, QSize(48, 48));
    KZT_FUZZ_CHECK(small.ok() || !small.error.isEmpty());
    (void)kzt::PictureDecoder::thumbnailData(bytes, QSize(32, 32));
    return 0;
}

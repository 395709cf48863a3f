// GIF pictures through giflib (the first frame on its logical screen), whole
// and through the decoder's own sniffing and scaling.
#include "FuzzSupport.h"

#include "GifPictureReader.h"
#include "PictureDecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const kzt::PictureDecoder::Result whole = kzt::GifPictureReader::read(bytes);
    KZT_FUZZ_CHECK(whole.ok() || !whole.error.isEmpty());
    if (whole.ok())
        KZT_FUZZ_CHECK(qint64(whole.image.width()) * whole.image.height() <= kzt::PictureDecoder::kMaxPixels);
    (void)kzt::PictureDecoder::thumbnailData(bytes, QSize(32, 32));
    return 0;
}

#pragma once

#include "PictureDecoder.h"

namespace kzt {

// The libjpeg half of PictureDecoder. A valid box lets libjpeg decode at 1/2,
// 1/4 or 1/8 scale when the result still covers the box.
class JpegPictureReader
{
public:
    static PictureDecoder::Result read(const QByteArray& data, const QSize& box = {});
};

} // namespace kzt

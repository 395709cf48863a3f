#pragma once

#include "PictureDecoder.h"

namespace kzt {

// The giflib half of PictureDecoder: the first frame only, on a canvas of the
// logical screen, with transparent pixels where the frame leaves gaps.
class GifPictureReader
{
public:
    static PictureDecoder::Result read(const QByteArray& data);
};

} // namespace kzt

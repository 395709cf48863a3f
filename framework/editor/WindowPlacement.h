#pragma once

#include <QRect>
#include <QSize>

namespace kzt {

// Where a companion window (help beside the editor) of `size` goes so that
// it leaves `main` uncovered: right of it when it fits on `screen`, else
// left of it; else beside it on the roomier side, made narrower, as long as
// `narrowest` still fits; else on the screen as near the right side of
// `main` as it can (covering part of it, as nothing else is possible).
QRect placeBeside(const QRect& main, const QSize& size, const QRect& screen, int narrowest = 320, int gap = 4);

} // namespace kzt

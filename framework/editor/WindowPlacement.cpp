#include "WindowPlacement.h"

#include <algorithm>

namespace kzt {

QRect placeBeside(const QRect& main, const QSize& size, const QRect& screen, int narrowest, int gap)
{
    const int top = std::clamp(main.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    const int roomRight = screen.right() - main.right() - gap;
    const int roomLeft = main.left() - screen.left() - gap;
    if (roomRight >= size.width())
        return {main.right() + 1 + gap, top, size.width(), size.height()};
    if (roomLeft >= size.width())
        return {main.left() - gap - size.width(), top, size.width(), size.height()};
    const int room = std::max(roomRight, roomLeft);
    if (room >= narrowest) {
        if (roomRight >= roomLeft)
            return {main.right() + 1 + gap, top, roomRight, size.height()};
        return {screen.left(), top, roomLeft, size.height()};
    }
    const int left = std::clamp(main.right() + 1 + gap, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
    return {left, top, size.width(), size.height()};
}

} // namespace kzt

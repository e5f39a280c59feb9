// SPDX-License-Identifier: MIT
#include "ui/year_by_year/first_place.h"

#include <algorithm>

namespace nestora {

QRect FirstPlace(const QRect& room, const QRect& opener, QSize wanted, int narrowest,
                 FrameGuess frame) {
    const int sides = 2 * frame.border;
    const int top = room.top() + frame.title;
    const int height = std::min(wanted.height(), room.bottom() + 1 - frame.border - top);
    if (!opener.isEmpty()) {
        // The width a client has between the opener's frame and the room's
        // edge on each side, once framed.
        const int right = room.right() - opener.right() - sides;
        const int left = opener.left() - room.left() - sides;
        if (right >= narrowest)
            return {opener.right() + 1 + frame.border, top, std::min(wanted.width(), right),
                    height};
        if (left >= narrowest) {
            const int width = std::min(wanted.width(), left);
            return {opener.left() - frame.border - width, top, width, height};
        }
    }
    const int width = std::min(wanted.width(), room.width() - sides);
    return {room.right() + 1 - frame.border - width, top, width, height};
}

}  // namespace nestora

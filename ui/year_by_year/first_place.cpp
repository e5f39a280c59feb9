// SPDX-License-Identifier: MIT
#include "ui/year_by_year/first_place.h"

#include <algorithm>
#include <cstdint>

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

QRect KeptInside(const QRect& room, const QRect& client, QSize smallest, FrameGuess frame) {
    const QSize size = client.size().expandedTo(smallest);
    const int right = room.right() + 1 - frame.border - size.width();
    const int bottom = room.bottom() + 1 - frame.border - size.height();
    const int x = std::max(std::min(client.left(), right), room.left() + frame.border);
    const int y = std::max(std::min(client.top(), bottom), room.top() + frame.title);
    return {QPoint(x, y), size};
}

bool SensiblePlace(const QRect& client, const QList<QRect>& screens) {
    // In 64 bits: a damaged size can take a side past the int range.
    const std::int64_t left = client.left(), top = client.top();
    const std::int64_t width = client.width(), height = client.height();
    if (width <= 0 || height <= 0) return false;
    for (const QRect& screen : screens) {
        if (width > screen.width() || height > screen.height()) continue;
        const std::int64_t across =
            std::min<std::int64_t>(left + width, screen.left() + screen.width()) -
            std::max<std::int64_t>(left, screen.left());
        const std::int64_t down =
            std::min<std::int64_t>(top + height, screen.top() + screen.height()) -
            std::max<std::int64_t>(top, screen.top());
        if (across >= std::min<std::int64_t>(width, 100) &&
            down >= std::min<std::int64_t>(height, 50))
            return true;
    }
    return false;
}

}  // namespace nestora

// SPDX-License-Identifier: MIT
// Where the Year by Year window opens the first time, before the user has
// placed it: beside the window it was opened from, so that it covers none of
// that window, where the screen leaves room for it.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace nestora {

// A guess at the window manager's frame around a client: the border on each
// side and the title bar above. The real frame is known only once the window
// has been framed.
struct FrameGuess {
    int border = 0;
    int title = 0;
};

// `room` is the screen's free area, `opener` the frame of the window it was
// opened from (empty when there is none), `wanted` the client size it would
// like and `narrowest` the narrowest client it may take beside the opener.
// The answer is the client's rectangle, whose top left is the point to move
// it to before it is shown (window managers take that point for the
// client's): beside the opener on its right, else on its left, and otherwise
// in the room's top right corner; framed, it stays inside the room.
QRect FirstPlace(const QRect& room, const QRect& opener, QSize wanted, int narrowest,
                 FrameGuess frame);

// `client` grown to at least `smallest` (the window's layout takes no less)
// and moved as little as it takes to lie framed within `room`; where it is
// larger than the room, its top left corner stays in it.
QRect KeptInside(const QRect& room, const QRect& client, QSize smallest, FrameGuess frame);

// Whether a remembered client rectangle is still a place to open at: no
// larger than one of the `screens` and with at least a grip of it (100 × 50,
// or all of a smaller window) on that screen. A place far off every screen
// is not, nor one whose size overflows, as a damaged file may give.
bool SensiblePlace(const QRect& client, const QList<QRect>& screens);

}  // namespace nestora

// SPDX-License-Identifier: MIT
// The program's desktop calls over Qt: the two message boxes, the beep and
// the request to open an address in the user's browser.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "projection/desktop.h"

namespace nestora {

// Where a box's frame of the given outer size goes to sit in the middle of
// a screen, each coordinate truncated (282 × 105 on 1280 × 1024 at the
// origin → (499, 459)).
QPoint CentredFrame(QSize outer, const QRect& screen);

class QtDesktop : public Desktop {
  public:
    // "Warning" with the warning icon and one OK, which Enter and Escape both
    // press; centred on the screen and modal to the whole program.
    void warning(const std::string& message) override;
    // The default beep of the display (the X bell).
    void beep() override;
    // The stop icon, one OK and `title` as its caption, owned by the active
    // window and centred on its screen; `message` is shown as given.
    void errorBox(const std::string& title, const std::string& message) override;
    // Hands the address to the desktop (xdg-open on X11); the outcome is ignored.
    void openAddress(const std::string& address) override;
    // The question icon, `yes` and `no` as its buttons; Enter and Escape
    // choose `no`.
    bool ask(const std::string& title, const std::string& question, const std::string& yes,
             const std::string& no) override;
};

}  // namespace nestora

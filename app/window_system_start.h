// SPDX-License-Identifier: MIT
// Starting the window system without a display. When Qt's platform plugin
// cannot reach one (DISPLAY unset, no Wayland, a server that is not there),
// Qt writes several lines of advice and aborts. While a WindowSystemStart
// lives (around the application object's construction), Qt's messages are
// held back: a fatal one becomes one line on standard error,
//   nestora: cannot open the window: no display (DISPLAY is not set)
// and exit status 1; the others are passed on when it ends.
#pragma once

namespace nestora {

class WindowSystemStart {
  public:
    WindowSystemStart();
    ~WindowSystemStart();
    WindowSystemStart(const WindowSystemStart&) = delete;
    WindowSystemStart& operator=(const WindowSystemStart&) = delete;
};

}  // namespace nestora

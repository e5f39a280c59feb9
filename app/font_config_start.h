// SPDX-License-Identifier: MIT
// The font configuration read while the window system starts. Fontconfig
// reads and parses its configuration files and font caches the first time
// anything asks for a font, which the window's first label does, after the
// application has connected to the display. That reading does not depend on
// the display, so a thread of its own does it from the start of the program,
// while the main thread loads Qt's platform plugin and connects; the window
// then finds it done.
#pragma once

#include <thread>

namespace nestora {

class FontConfigStart {
  public:
    FontConfigStart();
    // Waits until the configuration is read.
    ~FontConfigStart();
    FontConfigStart(const FontConfigStart&) = delete;
    FontConfigStart& operator=(const FontConfigStart&) = delete;

  private:
    std::thread reading_;
};

}  // namespace nestora

// SPDX-License-Identifier: MIT
#include "app/font_config_start.h"

#include <dlfcn.h>

namespace nestora {

// Fontconfig comes with Qt's GUI library, which the program links, so its
// FcInit is found among the loaded libraries rather than linked by name
// (which would need fontconfig's headers to build). FcInit reads the
// configuration once per process; Qt's own call later finds it read. Where
// Qt draws without fontconfig there is nothing to read ahead.
FontConfigStart::FontConfigStart() {
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(::dlsym(RTLD_DEFAULT, "FcInit"));
    if (init != nullptr) reading_ = std::thread(init);
}

FontConfigStart::~FontConfigStart() {
    if (reading_.joinable()) reading_.join();
}

}  // namespace nestora

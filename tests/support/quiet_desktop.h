// SPDX-License-Identifier: MIT
// A desktop that shows nothing: for runs in which no box or beep is expected,
// or none matters.
#pragma once

#include <string>

#include "projection/desktop.h"

namespace nestora::testing {

class QuietDesktop : public Desktop {
  public:
    void warning(const std::string&) override {}
    void beep() override {}
    void errorBox(const std::string&, const std::string&) override {}
    void openAddress(const std::string&) override {}
};

}  // namespace nestora::testing

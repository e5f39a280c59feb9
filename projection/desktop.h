// SPDX-License-Identifier: MIT
// The program's few calls on the desktop: the warning box and the beep that
// follow a bad entry, the error box, and the request to open an address.
// ui/ implements them with QMessageBox, QApplication::beep and
// QDesktopServices; tests record the calls instead of blocking on a box.
#pragma once

#include <string>

namespace nestora {

class Desktop {
  public:
    virtual ~Desktop() = default;
    // Modal "Warning" box with the warning icon and one OK; returns when closed.
    virtual void warning(const std::string& message) = 0;
    virtual void beep() = 0;
    // Modal box with the stop icon and one OK, `title` as its caption.
    virtual void errorBox(const std::string& title, const std::string& message) = 0;
    // Asks the desktop to open an address; the outcome is ignored.
    virtual void openAddress(const std::string& address) = 0;
    // Modal box with the question icon, `title` as its caption and two
    // buttons; true when the user chose `yes`. Where nobody can be asked,
    // the answer is no.
    virtual bool ask(const std::string& /*title*/, const std::string& /*question*/,
                     const std::string& /*yes*/, const std::string& /*no*/) {
        return false;
    }
};

}  // namespace nestora

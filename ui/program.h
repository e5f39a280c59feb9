// SPDX-License-Identifier: MIT
// The program from start to end: the arithmetic and the locale, the main
// window (created hidden, so it runs FormCreate), the help window (hidden),
// then the main window shown and the message loop until it closes.
#pragma once

class QApplication;

namespace nestora {

// Returns the process's exit status.
int RunNestora(QApplication& app);

}  // namespace nestora

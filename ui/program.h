// SPDX-License-Identifier: MIT
// The program from start to end: the arithmetic and the locale, the one
// window per settings file (a later start brings the running window to the
// front and ends), the main window (created hidden, so it runs FormCreate),
// the help window (hidden), the signals that close it, then the main window
// shown and the message loop until it closes.
#pragma once

#include <functional>
#include <string>

#include "settings/settings_location.h"

class QApplication;
class QWidget;

namespace nestora {

// Returns the process's exit status. The plan and the window's place are kept
// at `settings`. `beforeLoop`, when given, sees the main
// window once it is shown and before the message loop starts (the start-up
// benchmark uses it to end the run at the first painted frame). With a
// `plan` document the window opens it once it is shown; when a window on
// the same settings file runs already, that window opens it instead.
int RunNestora(QApplication& app, SettingsLocation settings,
               const std::function<void(QWidget&)>& beforeLoop = {}, const std::string& plan = {});

}  // namespace nestora

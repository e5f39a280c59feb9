// SPDX-License-Identifier: MIT
// How the main window gets its Year by Year window. The window and Qt
// Charts live in a library of their own (libnestora-year-by-year.so) that is
// loaded the first time the window opens, so that starting the program does
// not pay for them.
#pragma once

#include <QStringList>
#include <functional>
#include <string>

class QWidget;

namespace nestora {

class Desktop;
class Planner;

// Makes the window for the planner; the caller owns it. Raises
// nestora::Error with the reason when it cannot.
using YearByYearMaker =
    std::function<QWidget*(Planner& planner, Desktop& desktop, const std::string& title)>;

// Where the library is looked for, in order: beside the program (a build,
// or a copy with its library), then ../lib/nestora (an installed program).
QStringList YearByYearLibraryPlaces();

// Loads the library from the first place that has it and makes the window
// with its entry function.
YearByYearMaker LibraryYearByYearMaker();

}  // namespace nestora

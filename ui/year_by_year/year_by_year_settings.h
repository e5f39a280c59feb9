// SPDX-License-Identifier: MIT
// What the Year by Year window remembers between runs, with QSettings in the
// user's configuration folder (~/.config/nestora/year-by-year.conf), apart
// from the plan's own settings file: the markets (simulated or history), the
// varying-returns inputs, the stock share of history, the window's size and
// place, the folder of the last saved file and what the solve line solves
// for with its success level. A value missing or out of
// range reads as its default or nearest limit. A file that is not an
// ordinary one (a pipe, a device, a folder) or is larger than 1 MiB is
// neither read nor written: the window keeps its defaults and says why once.
#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>
#include <optional>

#include "schedule/history.h"
#include "schedule/simulation.h"
#include "schedule/solver.h"

namespace nestora {

enum class Markets { Simulated, History };

struct YearByYearSettings {
    Markets markets = Markets::Simulated;              // "simulated" or "history"
    int volatilityPercent = DefaultVolatilityPercent;  // 0 … 50
    int stockPercent = DefaultStockPercent;            // 0 … 100, history's stock share
    int horizon = DefaultHorizon;                      // 1 … 80
    SolveFor solveFor = SolveFor::Draw;                // "draw", "spend", "retire", "saving"
    int successPercent = DefaultSuccessPercent;        // 50 … 99
    QByteArray geometry;  // QWidget::saveGeometry, empty when never saved
    QString folder;       // where the last CSV or PDF went, empty when none
    QString planFolder;   // where the last plan document was, empty when none
};

// The window's frame in a geometry that QWidget::saveGeometry wrote; none
// when the bytes are not one.
std::optional<QRect> SavedFrame(const QByteArray& geometry);

// Where Save as CSV and Print to a file start: the folder of the last file
// when it is still there, else the user's documents folder.
QString StartFolder(const YearByYearSettings& settings);
// The same for any folder remembered: `folder` when it is still there.
QString StartFolder(const QString& folder);

// ~/.config/nestora/year-by-year.conf, or under $XDG_CONFIG_HOME.
QString YearByYearSettingsPath();
// Why the file is left alone, for the error box; empty when it may be used.
QString YearByYearSettingsRefusal();

YearByYearSettings LoadYearByYearSettings();
// False when the file is left alone or could not be written (it then stays
// as it was).
bool SaveYearByYearSettings(const YearByYearSettings& settings);

}  // namespace nestora

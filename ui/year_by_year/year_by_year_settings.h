// SPDX-License-Identifier: MIT
// What the Year by Year window remembers between runs, with QSettings in the
// user's configuration folder (~/.config/nestora/year-by-year.conf), apart
// from the plan's own settings file: the two varying-returns inputs and the
// window's size and place. A value missing or out of range reads as its
// default or nearest limit.
#pragma once

#include <QByteArray>

#include "schedule/simulation.h"

namespace nestora {

struct YearByYearSettings {
    int volatilityPercent = DefaultVolatilityPercent;  // 0 … 50
    int horizon = DefaultHorizon;                      // 1 … 80
    QByteArray geometry;  // QWidget::saveGeometry, empty when never saved
};

YearByYearSettings LoadYearByYearSettings();
void SaveYearByYearSettings(const YearByYearSettings& settings);

}  // namespace nestora

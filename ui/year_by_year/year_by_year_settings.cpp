// SPDX-License-Identifier: MIT
#include "ui/year_by_year/year_by_year_settings.h"

#include <QSettings>
#include <algorithm>

#include "schedule/simulation.h"

namespace nestora {

namespace {

int WholeIn(const QVariant& value, int fallback, int lowest, int highest) {
    bool ok = false;
    const int whole = value.toInt(&ok);
    return ok ? std::clamp(whole, lowest, highest) : fallback;
}

}  // namespace

YearByYearSettings LoadYearByYearSettings() {
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, "nestora", "year-by-year");
    YearByYearSettings settings;
    settings.volatilityPercent = WholeIn(store.value("volatility"), settings.volatilityPercent, 0,
                                         static_cast<int>(MaxVolatility * 100));
    settings.horizon = WholeIn(store.value("horizon"), settings.horizon, MinHorizon, MaxHorizon);
    settings.geometry = store.value("geometry").toByteArray();
    return settings;
}

void SaveYearByYearSettings(const YearByYearSettings& settings) {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "nestora", "year-by-year");
    store.setValue("volatility", settings.volatilityPercent);
    store.setValue("horizon", settings.horizon);
    if (!settings.geometry.isEmpty()) store.setValue("geometry", settings.geometry);
}

}  // namespace nestora

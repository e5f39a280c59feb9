// SPDX-License-Identifier: MIT
#include "ui/year_by_year/year_by_year_settings.h"

#include <QDataStream>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
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
    settings.folder = store.value("folder").toString();
    return settings;
}

void SaveYearByYearSettings(const YearByYearSettings& settings) {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "nestora", "year-by-year");
    store.setValue("volatility", settings.volatilityPercent);
    store.setValue("horizon", settings.horizon);
    if (!settings.geometry.isEmpty()) store.setValue("geometry", settings.geometry);
    if (!settings.folder.isEmpty()) store.setValue("folder", settings.folder);
}

QString StartFolder(const YearByYearSettings& settings) {
    if (!settings.folder.isEmpty() && QFileInfo(settings.folder).isDir()) return settings.folder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

std::optional<QRect> SavedFrame(const QByteArray& geometry) {
    // QWidget::saveGeometry begins with a magic number, its format's version
    // (major, minor) and the frame's rectangle.
    QDataStream in(geometry);
    in.setVersion(QDataStream::Qt_4_0);
    quint32 magic = 0;
    quint16 major = 0, minor = 0;
    QRect frame;
    in >> magic >> major >> minor >> frame;
    if (in.status() != QDataStream::Ok || magic != 0x1D9D0CB) return std::nullopt;
    return frame;
}

}  // namespace nestora

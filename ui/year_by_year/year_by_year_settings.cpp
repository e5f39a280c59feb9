// SPDX-License-Identifier: MIT
#include "ui/year_by_year/year_by_year_settings.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

#include "number/platform_file.h"
#include "schedule/history.h"
#include "schedule/simulation.h"

namespace nestora {

namespace {

int WholeIn(const QVariant& value, int fallback, int lowest, int highest) {
    bool ok = false;
    const int whole = value.toInt(&ok);
    return ok ? std::clamp(whole, lowest, highest) : fallback;
}

}  // namespace

// Where QSettings keeps the file, asked of a QSettings for a name that is
// never written (one for the real name would read the file at once).
QString YearByYearSettingsPath() {
    const QSettings probe(QSettings::NativeFormat, QSettings::UserScope, "nestora",
                          "year-by-year-location");
    return QFileInfo(probe.fileName()).dir().filePath("year-by-year.conf");
}

// QSettings reads its file whole as soon as it is made, and a pipe or a
// device there would hold it forever: the file is looked at first, by the
// file layer that never blocks.
QString YearByYearSettingsRefusal() {
    const QString path = YearByYearSettingsPath();
    const std::string name = QFile::encodeName(path).toStdString();
    int handle = -1;
    const std::int32_t code = SystemFiles().openRead(name, handle);
    if (code == 0) SystemFiles().close(handle);
    if (code == NotAFileCode || QFileInfo(path).isDir())
        return "Year by Year's settings file " + path +
               " is not an ordinary file (a pipe, a device or a folder): it is left alone, "
               "and the window starts from its defaults";
    if (code == TooLargeCode)
        return "Year by Year's settings file " + path +
               " is larger than 1 MiB: it is left alone, and the window starts from its defaults";
    return {};
}

YearByYearSettings LoadYearByYearSettings() {
    if (!YearByYearSettingsRefusal().isEmpty()) return {};
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, "nestora", "year-by-year");
    YearByYearSettings settings;
    settings.volatilityPercent = WholeIn(store.value("volatility"), settings.volatilityPercent, 0,
                                         static_cast<int>(MaxVolatility * 100));
    settings.horizon = WholeIn(store.value("horizon"), settings.horizon, MinHorizon, MaxHorizon);
    settings.markets =
        store.value("markets").toString() == "history" ? Markets::History : Markets::Simulated;
    settings.stockPercent = WholeIn(store.value("stocks"), settings.stockPercent, 0, 100);
    settings.solveFor =
        SolveForNamed(store.value("solve").toString().toStdString()).value_or(settings.solveFor);
    settings.successPercent = WholeIn(store.value("success"), settings.successPercent,
                                      MinSuccessPercent, MaxSuccessPercent);
    settings.geometry = store.value("geometry").toByteArray();
    settings.folder = store.value("folder").toString();
    settings.planFolder = store.value("plan-folder").toString();
    return settings;
}

// QSettings writes a new file beside the old one and renames it into place,
// so a failed write leaves the old file; sync says whether it worked.
bool SaveYearByYearSettings(const YearByYearSettings& settings) {
    if (!YearByYearSettingsRefusal().isEmpty()) return false;
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "nestora", "year-by-year");
    store.setValue("volatility", settings.volatilityPercent);
    store.setValue("horizon", settings.horizon);
    store.setValue("markets", settings.markets == Markets::History ? "history" : "simulated");
    store.setValue("stocks", settings.stockPercent);
    store.setValue("solve", SolveForName(settings.solveFor));
    store.setValue("success", settings.successPercent);
    if (!settings.geometry.isEmpty()) store.setValue("geometry", settings.geometry);
    if (!settings.folder.isEmpty()) store.setValue("folder", settings.folder);
    if (!settings.planFolder.isEmpty()) store.setValue("plan-folder", settings.planFolder);
    store.sync();
    return store.status() == QSettings::NoError;
}

QString StartFolder(const YearByYearSettings& settings) { return StartFolder(settings.folder); }

QString StartFolder(const QString& folder) {
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
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

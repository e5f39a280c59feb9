// SPDX-License-Identifier: MIT
#include "ui/year_by_year_opener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "number/errors.h"
#include "ui/year_by_year/year_by_year_entry.h"

namespace nestora {

namespace {

constexpr const char* kLibraryFile = "libnestora-year-by-year.so";

using Entry = decltype(&nestora_make_year_by_year);

}  // namespace

QStringList YearByYearLibraryPlaces() {
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.filePath(kLibraryFile),
            QDir::cleanPath(program.filePath(QString("../lib/nestora/") + kLibraryFile))};
}

YearByYearMaker LibraryYearByYearMaker() {
    return [](Planner& planner, Desktop& desktop, const std::string& title) -> QWidget* {
        const QStringList places = YearByYearLibraryPlaces();
        QString reason = "The Year by Year library was not found.";
        for (const QString& place : places) {
            if (!QFileInfo::exists(place)) continue;
            QLibrary library(place);
            library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
            // The library stays loaded for the rest of the run.
            if (auto entry = reinterpret_cast<Entry>(library.resolve(YearByYearEntryName)))
                return entry(&planner, &desktop, title.c_str());
            reason = library.errorString();
        }
        throw Error("Year by Year cannot open: " + reason.toStdString());
    };
}

}  // namespace nestora

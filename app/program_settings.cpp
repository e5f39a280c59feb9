// SPDX-License-Identifier: MIT
#include "app/program_settings.h"

#include <QCoreApplication>
#include <QFile>

namespace nestora {

SettingsLocation DefaultSettingsLocation() {
    return ChooseSettingsLocation(
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(),
        ProcessHomeFolders());
}

}  // namespace nestora

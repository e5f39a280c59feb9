// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QCoreApplication>

#include "app/command_line.h"
#include "app/program_settings.h"
#include "ui/program.h"

int main(int argc, char* argv[]) {
    // The command line needs no display: it is decided before any
    // application object connects to one.
    if (nestora::WantsCommandLine(argc, argv)) {
        QCoreApplication app(argc, argv);
        return nestora::RunCommandLine(app);
    }
    QApplication app(argc, argv);
    return nestora::RunNestora(app, nestora::DefaultSettingsLocation());
}

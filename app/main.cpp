// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QCoreApplication>
#include <memory>
#include <string>

#include "app/command_line.h"
#include "app/font_config_start.h"
#include "app/program_settings.h"
#include "app/window_system_start.h"
#include "ui/program.h"

int main(int argc, char* argv[]) {
    // The command line needs no display: it is decided before any
    // application object connects to one.
    if (nestora::WantsCommandLine(argc, argv)) {
        QCoreApplication app(argc, argv);
        return nestora::RunCommandLine(app);
    }
    const std::string plan = nestora::PlanDocumentArgument(argc, argv);
    std::unique_ptr<QApplication> app;
    {
        // Read while the application connects, done before the window asks.
        const nestora::FontConfigStart fonts;
        const nestora::WindowSystemStart start;
        app = std::make_unique<QApplication>(argc, argv);
    }
    return nestora::RunNestora(*app, nestora::DefaultSettingsLocation(), {}, plan);
}

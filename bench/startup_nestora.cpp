// SPDX-License-Identifier: MIT
// Nestora's start-up, as the program runs it, ended at the main window's
// first painted frame. bench/startup.sh times it beside startup_bare_window.
#include <QApplication>

#include "app/program_settings.h"
#include "bench/first_paint.h"
#include "ui/program.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return nestora::RunNestora(app, nestora::DefaultSettingsLocation(), [](QWidget& window) {
        new nestora::bench::QuitAfterFirstPaint(window);
    });
}

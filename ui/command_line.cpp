// SPDX-License-Identifier: MIT
#include "ui/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "number/arith.h"
#include "number/locale_separator.h"
#include "ui/nestora_window.h"
#include "ui/schedule_command.h"

namespace nestora {

bool WantsCommandLine(int argc, const char* const* argv) {
    for (int k = 1; k < argc; ++k) {
        const char* arg = argv[k];
        if (std::strncmp(arg, "--", 2) == 0 || std::strcmp(arg, "-h") == 0 ||
            std::strcmp(arg, "-?") == 0 || std::strcmp(arg, "-v") == 0)
            return true;
    }
    return false;
}

int RunCommandLine(QCoreApplication& app) {
    QCoreApplication::setApplicationName("nestora");
    QCoreApplication::setApplicationVersion(NESTORA_VERSION);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Nestora checks whether your long-term savings will carry you through retirement.\n"
        "Started without options it opens its window.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption schedule(
        "schedule",
        "Write the year-by-year schedule as CSV to standard output and exit. FILE is a settings "
        "file; without it, the program's own.");
    parser.addOption(schedule);
    parser.addPositionalArgument("FILE", "The settings file for --schedule.", "[FILE]");

    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "nestora: %s\nTry 'nestora --help'.\n",
                     qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help)) parser.showHelp(0);
    if (parser.isSet(version)) parser.showVersion();
    const QStringList files = parser.positionalArguments();
    if (!parser.isSet(schedule) || files.size() > 1) {
        std::fprintf(stderr, "nestora: %s\nTry 'nestora --help'.\n",
                     parser.isSet(schedule) ? "--schedule takes one FILE at most."
                                            : "FILE goes with --schedule.");
        return 2;
    }

    InitArithmetic();
    // The application object has set the C locale from the environment.
    ReadLocaleDecimalSeparator();
    std::ios::sync_with_stdio(true);
    if (files.isEmpty())
        return RunScheduleCommand(DefaultSettingsLocation().path, false, std::cout, std::cerr);
    return RunScheduleCommand(QFile::encodeName(files.front()).toStdString(), true, std::cout,
                              std::cerr);
}

}  // namespace nestora

// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "app/program_settings.h"
#include "app/schedule_command.h"
#include "number/arith.h"

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

namespace {

// --schedule and the simulation's four options, with their help texts.
struct ScheduleOptions {
    QCommandLineOption schedule{
        "schedule",
        "Write the year-by-year schedule as CSV to standard output and exit. FILE is a settings "
        "file; without it, the program's own."};
    QCommandLineOption volatility{
        "volatility",
        QString("With --schedule: returns vary by PCT percent a year (0 to %1, %2 if not given); "
                "the CSV gains the simulation's columns p10_today, p50_today, p90_today and "
                "funded.")
            .arg(MaxVolatility * 100)
            .arg(DefaultVolatilityPercent),
        "PCT"};
    QCommandLineOption horizon{
        "horizon",
        QString("With --schedule: the years of retirement to plan for (%1 to %2, %3 if not given).")
            .arg(MinHorizon)
            .arg(MaxHorizon)
            .arg(DefaultHorizon),
        "YEARS"};
    QCommandLineOption paths{
        "paths",
        QString("With --schedule: the simulated markets (%1 to %2, %3 if not given).")
            .arg(MinPaths)
            .arg(MaxPaths)
            .arg(DefaultPaths),
        "K"};
    QCommandLineOption seed{
        "seed",
        QString("With --schedule: the simulation's seed, a whole number (%1 if not given).")
            .arg(DefaultSeed),
        "S"};

    std::array<const QCommandLineOption*, 4> simulation() const {
        return {&volatility, &horizon, &paths, &seed};
    }
    void addTo(QCommandLineParser& parser) const {
        parser.addOption(schedule);
        for (const QCommandLineOption* option : simulation()) parser.addOption(*option);
        parser.addPositionalArgument("FILE", "The settings file for --schedule.", "[FILE]");
    }
};

int UsageError(const char* text) {
    std::fprintf(stderr, "nestora: %s\nTry 'nestora --help'.\n", text);
    return 2;
}

// What is wrong with arguments that parsed but do not make a command: one
// FILE at most, and it and the simulation's options only with --schedule.
std::optional<std::string> MisplacedArguments(const QCommandLineParser& parser,
                                              const ScheduleOptions& options) {
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(options.schedule))
        return files.size() > 1 ? std::optional<std::string>("--schedule takes one FILE at most.")
                                : std::nullopt;
    return files.isEmpty() ? "--volatility, --horizon, --paths and --seed go with --schedule."
                           : "FILE goes with --schedule.";
}

// The simulation that --volatility, --horizon, --paths and --seed ask for,
// none when none of them is given; the usage error's text when a value is
// not a number in its range.
std::optional<std::string> SimulationOf(const QCommandLineParser& parser,
                                        std::array<const QCommandLineOption*, 4> options,
                                        std::optional<SimulationOptions>& simulation) {
    const auto& [volatility, horizon, paths, seed] = options;
    if (!std::any_of(options.begin(), options.end(),
                     [&](const QCommandLineOption* o) { return parser.isSet(*o); }))
        return std::nullopt;
    SimulationOptions chosen;
    bool ok = true;
    if (parser.isSet(*volatility)) {
        const double percent = parser.value(*volatility).toDouble(&ok);
        if (!ok || !(percent >= 0 && percent <= MaxVolatility * 100))
            return "--volatility takes a percent from 0 to 50.";
        chosen.volatility = percent / 100;
    }
    if (parser.isSet(*horizon)) {
        chosen.horizon = parser.value(*horizon).toInt(&ok);
        if (!ok || chosen.horizon < MinHorizon || chosen.horizon > MaxHorizon)
            return "--horizon takes whole years from 1 to 80.";
    }
    if (parser.isSet(*paths)) {
        chosen.paths = parser.value(*paths).toInt(&ok);
        if (!ok || chosen.paths < MinPaths || chosen.paths > MaxPaths)
            return "--paths takes a whole number from 1 to 100000.";
    }
    if (parser.isSet(*seed)) {
        chosen.seed = parser.value(*seed).toULongLong(&ok);
        if (!ok) return "--seed takes a whole number from 0.";
    }
    simulation = chosen;
    return std::nullopt;
}

}  // namespace

int RunCommandLine(QCoreApplication& app) {
    QCoreApplication::setApplicationName("nestora");
    QCoreApplication::setApplicationVersion(NESTORA_VERSION);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Nestora checks whether your long-term savings will carry you through retirement.\n"
        "Started without options it opens its window.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const ScheduleOptions options;
    options.addTo(parser);

    if (!parser.parse(app.arguments())) return UsageError(qPrintable(parser.errorText()));
    if (parser.isSet(help)) parser.showHelp(0);
    if (parser.isSet(version)) parser.showVersion();
    if (const std::optional<std::string> wrong = MisplacedArguments(parser, options))
        return UsageError(wrong->c_str());
    std::optional<SimulationOptions> simulation;
    if (const std::optional<std::string> wrong =
            SimulationOf(parser, options.simulation(), simulation))
        return UsageError(wrong->c_str());

    InitArithmetic();
    std::ios::sync_with_stdio(true);
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return RunScheduleCommand(DefaultSettingsLocation().path, false, std::cout, std::cerr,
                                  SystemFiles(), simulation);
    return RunScheduleCommand(QFile::encodeName(files.front()).toStdString(), true, std::cout,
                              std::cerr, SystemFiles(), simulation);
}

}  // namespace nestora

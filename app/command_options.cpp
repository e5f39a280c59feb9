// SPDX-License-Identifier: MIT
#include "app/command_options.h"

#include <QCommandLineParser>
#include <QFile>
#include <algorithm>
#include <array>

namespace nestora {

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
    std::array<const QCommandLineOption*, 5> all() const {
        return {&schedule, &volatility, &horizon, &paths, &seed};
    }
    void addTo(QCommandLineParser& parser) const {
        for (const QCommandLineOption* option : all()) parser.addOption(*option);
        parser.addPositionalArgument("FILE", "The settings file for --schedule.", "[FILE]");
    }
    bool takesValue(const QString& name) const {
        const auto options = all();
        return std::any_of(options.begin(), options.end(), [&](const QCommandLineOption* option) {
            return option->names().contains(name) && !option->valueName().isEmpty();
        });
    }
};

std::string Quoted(const QString& argument) { return "'" + argument.toStdString() + "'"; }

// A single-dash word other than -h, -? and -v: the parser would read -schedule
// as the letters s, c, h, ..., and -h among them as a request for help.
std::optional<std::string> SingleDashWord(const QStringList& arguments,
                                          const ScheduleOptions& options) {
    for (qsizetype k = 1; k < arguments.size(); ++k) {
        const QString& argument = arguments[k];
        if (argument == "--") break;
        if (argument.startsWith("--")) {
            if (!argument.contains('=') && options.takesValue(argument.mid(2))) ++k;
        } else if (argument.startsWith('-') && argument.size() > 1 && argument != "-h" &&
                   argument != "-?" && argument != "-v") {
            return "Unknown option " + Quoted(argument) + ".";
        }
    }
    return std::nullopt;
}

// What is wrong with arguments that parsed but make no command: one FILE
// at most, and it and the simulation's options only with --schedule.
std::optional<std::string> MisplacedArguments(const QCommandLineParser& parser,
                                              const ScheduleOptions& options) {
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(options.schedule))
        return files.size() > 1
                   ? std::optional<std::string>("Unexpected argument " + Quoted(files[1]) +
                                                ": --schedule takes one FILE at most.")
                   : std::nullopt;
    if (!files.isEmpty())
        return "Unexpected argument " + Quoted(files.front()) + ": FILE goes with --schedule.";
    for (const QCommandLineOption* option : options.simulation())
        if (parser.isSet(*option))
            return "--" + option->names().front().toStdString() + " goes with --schedule.";
    return "No command given: --schedule writes the schedule.";
}

// The simulation that --volatility, --horizon, --paths and --seed ask for,
// none when none of them is given; the usage error's text when a value is
// not a number in its range.
std::optional<std::string> SimulationOf(const QCommandLineParser& parser,
                                        const ScheduleOptions& options,
                                        std::optional<SimulationOptions>& simulation) {
    const auto chosenOptions = options.simulation();
    if (!std::any_of(chosenOptions.begin(), chosenOptions.end(),
                     [&](const QCommandLineOption* o) { return parser.isSet(*o); }))
        return std::nullopt;
    SimulationOptions chosen;
    bool ok = true;
    if (parser.isSet(options.volatility)) {
        const double percent = parser.value(options.volatility).toDouble(&ok);
        if (!ok || !(percent >= 0 && percent <= MaxVolatility * 100))
            return "--volatility takes a percent from 0 to 50.";
        chosen.volatility = percent / 100;
    }
    if (parser.isSet(options.horizon)) {
        chosen.horizon = parser.value(options.horizon).toInt(&ok);
        if (!ok || chosen.horizon < MinHorizon || chosen.horizon > MaxHorizon)
            return "--horizon takes whole years from 1 to 80.";
    }
    if (parser.isSet(options.paths)) {
        chosen.paths = parser.value(options.paths).toInt(&ok);
        if (!ok || chosen.paths < MinPaths || chosen.paths > MaxPaths)
            return "--paths takes a whole number from 1 to 100000.";
    }
    if (parser.isSet(options.seed)) {
        chosen.seed = parser.value(options.seed).toULongLong(&ok);
        if (!ok) return "--seed takes a whole number from 0.";
    }
    simulation = chosen;
    return std::nullopt;
}

std::string ParseError(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    // Single-dash words are refused before the parser sees them.
    if (!unknown.isEmpty()) return "Unknown option " + Quoted("--" + unknown.front()) + ".";
    return parser.errorText().toStdString();
}

ParsedCommand Refused(std::string text) {
    ParsedCommand refused;
    refused.usageError = std::move(text);
    return refused;
}

ParsedCommand Chosen(CommandKind kind, std::string text = {}) {
    ParsedCommand chosen;
    chosen.command.emplace();
    chosen.command->kind = kind;
    chosen.command->text = std::move(text);
    return chosen;
}

}  // namespace

ParsedCommand ParseCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Nestora checks whether your long-term savings will carry you through retirement.\n"
        "Started without options it opens its window.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const ScheduleOptions options;
    options.addTo(parser);

    if (const auto wrong = SingleDashWord(arguments, options)) return Refused(*wrong);
    if (!parser.parse(arguments)) return Refused(ParseError(parser));
    if (parser.isSet(help)) return Chosen(CommandKind::Help, parser.helpText().toStdString());
    if (parser.isSet(version)) return Chosen(CommandKind::Version);
    if (const auto wrong = MisplacedArguments(parser, options)) return Refused(*wrong);

    ParsedCommand chosen = Chosen(CommandKind::Schedule);
    Command& command = *chosen.command;
    if (const auto wrong = SimulationOf(parser, options, command.simulation))
        return Refused(*wrong);
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) command.file = QFile::encodeName(files.front()).toStdString();
    return chosen;
}

}  // namespace nestora

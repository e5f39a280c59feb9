// SPDX-License-Identifier: MIT
#include "app/command_options.h"

#include <QCommandLineParser>
#include <QFile>
#include <algorithm>
#include <array>
#include <vector>

namespace nestora {

namespace {

// The three commands and their options, with their help texts.
struct Options {
    QCommandLineOption schedule{
        "schedule",
        "Write the year-by-year schedule as CSV to standard output and exit. FILE is a settings "
        "file; without it, the program's own."};
    QCommandLineOption solve{
        "solve",
        "Write the value of QUANTITY that the markets just bear as CSV "
        "(quantity,value,success) and exit: draw, the largest draw rate; spend, the largest "
        "yearly spending in today's money; retire, the fewest years to retirement; saving, the "
        "smallest yearly saving. Without --volatility or --history the returns do not vary and "
        "success is 1 or 0. Exit status 3 when no value reaches the success level. FILE as for "
        "--schedule.",
        "QUANTITY"};
    QCommandLineOption success{
        "success",
        QString("With --solve: the share of markets that must pay in full for the whole horizon, "
                "a whole percent (%1 to %2, %3 if not given).")
            .arg(MinSuccessPercent)
            .arg(MaxSuccessPercent)
            .arg(DefaultSuccessPercent),
        "PCT"};
    QCommandLineOption historyStarts{
        "history-starts",
        QString("Write one CSV line per start year of history since %1 "
                "(start_year,full_years,end_balance_today) and exit. FILE as for --schedule.")
            .arg(UsMarkets().front().year)};
    QCommandLineOption volatility{
        "volatility",
        QString("With --schedule: returns vary by PCT percent a year (0 to %1, %2 if not given); "
                "the CSV gains the simulation's columns p10_today, p50_today, p90_today and "
                "funded. With --solve: the same, 0 if not given.")
            .arg(MaxVolatility * 100)
            .arg(DefaultVolatilityPercent),
        "PCT"};
    QCommandLineOption history{
        "history",
        QString("With --schedule or --solve: the markets of history since %1 in place of "
                "simulated ones; the CSV of --schedule gains the columns hist_p10_today, "
                "hist_p50_today, hist_p90_today and hist_funded.")
            .arg(UsMarkets().front().year)};
    QCommandLineOption stocks{
        "stocks",
        QString("With --history or --history-starts: PCT percent in stocks, the rest in bonds, "
                "rebalanced every year (0 to 100, %1 if not given).")
            .arg(DefaultStockPercent),
        "PCT"};
    QCommandLineOption horizon{
        "horizon",
        QString("With --schedule, --solve or --history-starts: the years of retirement to plan "
                "for (%1 to %2, %3 if not given).")
            .arg(MinHorizon)
            .arg(MaxHorizon)
            .arg(DefaultHorizon),
        "YEARS"};
    QCommandLineOption paths{
        "paths",
        QString("With --schedule or --solve: the simulated markets (%1 to %2, %3 if not given).")
            .arg(MinPaths)
            .arg(MaxPaths)
            .arg(DefaultPaths),
        "K"};
    QCommandLineOption seed{
        "seed",
        QString("With --schedule or --solve: the simulation's seed, a whole number (%1 if not "
                "given).")
            .arg(DefaultSeed),
        "S"};

    PlanOptions plan;

    std::vector<const QCommandLineOption*> all() const {
        std::vector<const QCommandLineOption*> options = {
            &schedule, &solve,   &historyStarts, &volatility, &history,
            &stocks,   &horizon, &paths,         &seed,       &success};
        for (const QCommandLineOption* option : plan.all()) options.push_back(option);
        return options;
    }
    // The commands, in the order the help names them.
    std::array<const QCommandLineOption*, 3> commands() const {
        return {&schedule, &solve, &historyStarts};
    }
    void addTo(QCommandLineParser& parser) const {
        for (const QCommandLineOption* option : all()) parser.addOption(*option);
        parser.addPositionalArgument(
            "FILE", "The settings file for --schedule, --solve or --history-starts.", "[FILE]");
    }
    bool takesValue(const QString& name) const {
        const auto options = all();
        return std::any_of(options.begin(), options.end(), [&](const QCommandLineOption* option) {
            return option->names().contains(name) && !option->valueName().isEmpty();
        });
    }
};

std::string Quoted(const QString& argument) { return "'" + argument.toStdString() + "'"; }

std::string Name(const QCommandLineOption& option) {
    return "--" + option.names().front().toStdString();
}

// A single-dash word other than -h, -? and -v: the parser would read -schedule
// as the letters s, c, h, ..., and -h among them as a request for help.
std::optional<std::string> SingleDashWord(const QStringList& arguments, const Options& options) {
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

// An option given where it means nothing: each goes with the commands named.
std::optional<std::string> OptionOutOfPlace(const QCommandLineParser& parser, const Options& o) {
    // The two commands that take the simulation's or history's markets.
    const bool markets = parser.isSet(o.schedule) || parser.isSet(o.solve);
    const bool starts = parser.isSet(o.historyStarts);
    const bool history = parser.isSet(o.history);
    struct Place {
        const QCommandLineOption& option;
        bool fits;
        const char* goesWith;
    };
    const char* simulated = "--schedule or --solve, not with --history";
    const Place places[] = {
        {o.history, markets, "--schedule or --solve"},
        {o.volatility, markets && !history, simulated},
        {o.paths, markets && !history, simulated},
        {o.seed, markets && !history, simulated},
        {o.stocks, (markets && history) || starts, "--history or --history-starts"},
        {o.horizon, markets || starts, "--schedule, --solve or --history-starts"},
        {o.success, parser.isSet(o.solve), "--solve"},
    };
    for (const Place& place : places)
        if (parser.isSet(place.option) && !place.fits)
            return Name(place.option) + " goes with " + place.goesWith + ".";
    return o.plan.outOfPlace(parser, markets || starts, "--schedule, --solve or --history-starts");
}

// What is wrong with arguments that parsed but do not make one command:
// --schedule, --solve or --history-starts, one FILE at most, and each option
// with the command it goes with.
std::optional<std::string> MisplacedArguments(const QCommandLineParser& parser,
                                              const Options& options) {
    const QStringList files = parser.positionalArguments();
    std::vector<const QCommandLineOption*> given;
    for (const QCommandLineOption* command : options.commands())
        if (parser.isSet(*command)) given.push_back(command);
    if (given.size() > 1) return Name(*given[0]) + " and " + Name(*given[1]) + " go one at a time.";
    if (given.empty() && !files.isEmpty())
        return "Unexpected argument " + Quoted(files.front()) +
               ": FILE goes with --schedule, --solve or --history-starts.";
    if (files.size() > 1)
        return "Unexpected argument " + Quoted(files[1]) + ": " + Name(*given.front()) +
               " takes one FILE at most.";
    if (const auto wrong = OptionOutOfPlace(parser, options)) return wrong;
    if (given.empty())
        return "No command given: --schedule writes the schedule, --solve a value that the "
               "markets bear, --history-starts history's start years.";
    return std::nullopt;
}

// A percent from 0 to `most` into `share` (0 … most ÷ 100).
std::optional<std::string> PercentOf(const QCommandLineParser& parser,
                                     const QCommandLineOption& option, double most, double& share) {
    bool ok = false;
    const double percent = parser.value(option).toDouble(&ok);
    if (!ok || !(percent >= 0 && percent <= most))
        return Name(option) + " takes a percent from 0 to " +
               std::to_string(static_cast<int>(most)) + ".";
    share = percent / 100;
    return std::nullopt;
}

std::optional<std::string> HorizonOf(const QCommandLineParser& parser,
                                     const QCommandLineOption& option, std::int32_t& horizon) {
    bool ok = false;
    horizon = parser.value(option).toInt(&ok);
    if (!ok || horizon < MinHorizon || horizon > MaxHorizon)
        return "--horizon takes whole years from 1 to 80.";
    return std::nullopt;
}

// The simulation that --volatility, --horizon, --paths and --seed ask for,
// none when none of them is given; the usage error's text when a value is
// not a number in its range.
std::optional<std::string> SimulationOf(const QCommandLineParser& parser, const Options& o,
                                        std::optional<SimulationOptions>& simulation) {
    const std::array<const QCommandLineOption*, 4> chosenBy = {&o.volatility, &o.horizon, &o.paths,
                                                               &o.seed};
    if (!std::any_of(chosenBy.begin(), chosenBy.end(),
                     [&](const QCommandLineOption* option) { return parser.isSet(*option); }))
        return std::nullopt;
    SimulationOptions chosen;
    bool ok = true;
    if (parser.isSet(o.volatility))
        if (auto wrong = PercentOf(parser, o.volatility, MaxVolatility * 100, chosen.volatility))
            return wrong;
    if (parser.isSet(o.horizon))
        if (auto wrong = HorizonOf(parser, o.horizon, chosen.horizon)) return wrong;
    if (parser.isSet(o.paths)) {
        chosen.paths = parser.value(o.paths).toInt(&ok);
        if (!ok || chosen.paths < MinPaths || chosen.paths > MaxPaths)
            return "--paths takes a whole number from 1 to 100000.";
    }
    if (parser.isSet(o.seed)) {
        chosen.seed = parser.value(o.seed).toULongLong(&ok);
        if (!ok) return "--seed takes a whole number from 0.";
    }
    simulation = chosen;
    return std::nullopt;
}

// History's stock share and horizon (--stocks, --horizon).
std::optional<std::string> HistoryOf(const QCommandLineParser& parser, const Options& o,
                                     std::optional<HistoryOptions>& history) {
    HistoryOptions chosen;
    if (parser.isSet(o.stocks))
        if (auto wrong = PercentOf(parser, o.stocks, 100, chosen.stockShare)) return wrong;
    if (parser.isSet(o.horizon))
        if (auto wrong = HorizonOf(parser, o.horizon, chosen.horizon)) return wrong;
    history = chosen;
    return std::nullopt;
}

// What --solve asks for: the quantity, the success level (--success) and
// the markets: history's (--history, --stocks), or simulated ones whose
// returns do not vary unless --volatility says so.
std::optional<std::string> SolveOf(const QCommandLineParser& parser, const Options& o,
                                   Command& command) {
    const std::optional<SolveFor> quantity = SolveForNamed(parser.value(o.solve).toStdString());
    if (!quantity) return "--solve takes draw, spend, retire or saving.";
    command.quantity = *quantity;
    SolveOptions& solve = command.solve;
    if (parser.isSet(o.success)) {
        bool ok = false;
        solve.successPercent = parser.value(o.success).toInt(&ok);
        if (!ok || solve.successPercent < MinSuccessPercent ||
            solve.successPercent > MaxSuccessPercent)
            return "--success takes a whole percent from 50 to 99.";
    }
    if (parser.isSet(o.history)) {
        std::optional<HistoryOptions> history;
        if (auto wrong = HistoryOf(parser, o, history)) return wrong;
        solve.historyStockShare = history->stockShare;
        solve.simulation.horizon = history->horizon;
        return std::nullopt;
    }
    std::optional<SimulationOptions> simulation;
    if (auto wrong = SimulationOf(parser, o, simulation)) return wrong;
    if (simulation) solve.simulation = *simulation;
    if (!parser.isSet(o.volatility)) solve.simulation.volatility = 0;
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
    const Options options;
    options.addTo(parser);

    if (const auto wrong = SingleDashWord(arguments, options)) return Refused(*wrong);
    if (!parser.parse(arguments)) return Refused(ParseError(parser));
    if (parser.isSet(help) || parser.isSet("help-all"))
        return Chosen(CommandKind::Help, parser.helpText().toStdString());
    if (parser.isSet(version)) return Chosen(CommandKind::Version);
    if (const auto wrong = MisplacedArguments(parser, options)) return Refused(*wrong);

    const bool starts = parser.isSet(options.historyStarts);
    const bool solve = parser.isSet(options.solve);
    ParsedCommand chosen = Chosen(solve    ? CommandKind::Solve
                                  : starts ? CommandKind::HistoryStarts
                                           : CommandKind::Schedule);
    Command& command = *chosen.command;
    const auto wrong = solve ? SolveOf(parser, options, command)
                       : starts || parser.isSet(options.history)
                           ? HistoryOf(parser, options, command.history)
                           : SimulationOf(parser, options, command.simulation);
    if (wrong) return Refused(*wrong);
    const QStringList files = parser.positionalArguments();
    if (const auto badPlan = options.plan.read(parser, !files.isEmpty(), command.plan))
        return Refused(*badPlan);
    if (!files.isEmpty()) command.file = QFile::encodeName(files.front()).toStdString();
    return chosen;
}

}  // namespace nestora

// SPDX-License-Identifier: MIT
#include "win32/command_line.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/schedule_command.h"
#include "number/arith.h"

namespace nestora::win32 {

bool WantsCommandLine(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (arg.rfind("--", 0) == 0 || arg == "-h" || arg == "-?" || arg == "-v") return true;
    return false;
}

namespace {

constexpr const char* Usage =
    "Usage: nestora [options] [FILE]\n"
    "Nestora checks whether your long-term savings will carry you through retirement.\n"
    "Started without options it opens its window.\n"
    "\n"
    "Options:\n"
    "  -?, -h, --help        Displays help on commandline options.\n"
    "  -v, --version         Displays version information.\n"
    "  --schedule            Write the year-by-year schedule as CSV to standard output\n"
    "                        and exit. FILE is a settings file; without it, the\n"
    "                        program's own.\n"
    "  --volatility <PCT>    With --schedule: returns vary by PCT percent a year (0 to\n"
    "                        50, 12 if not given); the CSV gains the simulation's\n"
    "                        columns p10_today, p50_today, p90_today and funded.\n"
    "  --horizon <YEARS>     With --schedule: the years of retirement to plan for (1\n"
    "                        to 80, 30 if not given).\n"
    "  --paths <K>           With --schedule: the simulated markets (1 to 100000, 10000\n"
    "                        if not given).\n"
    "  --seed <S>            With --schedule: the simulation's seed, a whole number\n"
    "                        (20261210 if not given).\n"
    "\n"
    "Arguments:\n"
    "  FILE                  The settings file for --schedule.\n";

struct Parsed {
    bool help = false;
    bool version = false;
    bool schedule = false;
    std::vector<std::string> files;
    std::optional<std::string> volatility, horizon, paths, seed;
};

// A whole number in [low, high], or nothing.
std::optional<long long> WholeIn(const std::string& text, long long low, long long high) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || value < low || value > high) return std::nullopt;
    return value;
}

// The usage error's text, or nothing when the arguments parse.
std::optional<std::string> Parse(const std::vector<std::string>& args, Parsed& parsed) {
    for (std::size_t k = 0; k < args.size(); ++k) {
        std::string arg = args[k];
        std::optional<std::string> inlineValue;
        if (const std::size_t equals = arg.find('=');
            arg.rfind("--", 0) == 0 && equals != arg.npos) {
            inlineValue = arg.substr(equals + 1);
            arg.resize(equals);
        }
        std::optional<std::string>* valued = arg == "--volatility" ? &parsed.volatility
                                             : arg == "--horizon"  ? &parsed.horizon
                                             : arg == "--paths"    ? &parsed.paths
                                             : arg == "--seed"     ? &parsed.seed
                                                                   : nullptr;
        if (valued != nullptr) {
            if (inlineValue) {
                *valued = inlineValue;
            } else if (k + 1 < args.size()) {
                *valued = args[++k];
            } else {
                return "Missing value after '" + arg + "'.";
            }
        } else if (arg == "--help" || arg == "-h" || arg == "-?") {
            parsed.help = true;
        } else if (arg == "--version" || arg == "-v") {
            parsed.version = true;
        } else if (arg == "--schedule") {
            parsed.schedule = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "Unknown option '" + arg.substr(arg.find_first_not_of('-')) + "'.";
        } else {
            parsed.files.push_back(arg);
        }
    }
    return std::nullopt;
}

std::optional<std::string> SimulationOf(const Parsed& parsed,
                                        std::optional<SimulationOptions>& simulation) {
    if (!parsed.volatility && !parsed.horizon && !parsed.paths && !parsed.seed) return std::nullopt;
    SimulationOptions chosen;
    if (parsed.volatility) {
        char* end = nullptr;
        const double percent = std::strtod(parsed.volatility->c_str(), &end);
        if (parsed.volatility->empty() || *end != '\0' ||
            !(percent >= 0 && percent <= MaxVolatility * 100))
            return "--volatility takes a percent from 0 to 50.";
        chosen.volatility = percent / 100;
    }
    if (parsed.horizon) {
        const auto years = WholeIn(*parsed.horizon, MinHorizon, MaxHorizon);
        if (!years) return "--horizon takes whole years from 1 to 80.";
        chosen.horizon = static_cast<std::int32_t>(*years);
    }
    if (parsed.paths) {
        const auto paths = WholeIn(*parsed.paths, MinPaths, MaxPaths);
        if (!paths) return "--paths takes a whole number from 1 to 100000.";
        chosen.paths = static_cast<std::int32_t>(*paths);
    }
    if (parsed.seed) {
        char* end = nullptr;
        const unsigned long long seed = std::strtoull(parsed.seed->c_str(), &end, 10);
        if (parsed.seed->empty() || *end != '\0' || (*parsed.seed)[0] == '-')
            return "--seed takes a whole number from 0.";
        chosen.seed = seed;
    }
    simulation = chosen;
    return std::nullopt;
}

int UsageError(std::ostream& err, const std::string& text) {
    err << "nestora: " << text << "\nTry 'nestora --help'.\n";
    return 2;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, const std::string& ownSettings,
                   std::ostream& out, std::ostream& err) {
    Parsed parsed;
    if (const auto wrong = Parse(args, parsed)) return UsageError(err, *wrong);
    if (parsed.help) {
        out << Usage;
        return 0;
    }
    if (parsed.version) {
        out << "nestora " << NESTORA_VERSION << '\n';
        return 0;
    }
    if (!parsed.schedule || parsed.files.size() > 1)
        return UsageError(err, parsed.schedule        ? "--schedule takes one FILE at most."
                               : parsed.files.empty() ? "--volatility, --horizon, --paths and "
                                                        "--seed go with --schedule."
                                                      : "FILE goes with --schedule.");
    std::optional<SimulationOptions> simulation;
    if (const auto wrong = SimulationOf(parsed, simulation)) return UsageError(err, *wrong);

    InitArithmetic();
    if (parsed.files.empty())
        return RunScheduleCommand(ownSettings, false, out, err, SystemFiles(), simulation);
    return RunScheduleCommand(parsed.files.front(), true, out, err, SystemFiles(), simulation);
}

void AttachStandardStreams() {
    // A program of the window subsystem gets the handles it was started
    // with (a redirection, a pipe); started from a console without one, it
    // has none and borrows the console of the process that started it.
    const auto has = [](DWORD which) {
        const HANDLE handle = ::GetStdHandle(which);
        return handle != nullptr && handle != INVALID_HANDLE_VALUE;
    };
    if (!has(STD_OUTPUT_HANDLE) || !has(STD_ERROR_HANDLE)) {
        if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
            if (!has(STD_OUTPUT_HANDLE)) std::freopen("CONOUT$", "w", stdout);
            if (!has(STD_ERROR_HANDLE)) std::freopen("CONOUT$", "w", stderr);
        }
    }
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace nestora::win32

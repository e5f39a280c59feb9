// SPDX-License-Identifier: MIT
// What the command line asks for: the options, their help texts, and the
// checks that turn the arguments into one command or a usage error. Every
// argument is known or refused: an unknown option, a single-dash word
// (-schedule), a FILE without a command that reads one, an option without
// the command it goes with, or a value out of its range.
#pragma once

#include <QStringList>
#include <optional>
#include <string>

#include "app/plan_options.h"
#include "schedule/history.h"
#include "schedule/simulation.h"
#include "schedule/solver.h"

namespace nestora {

enum class CommandKind { Help, Version, Schedule, HistoryStarts, Solve };

struct Command {
    CommandKind kind = CommandKind::Help;
    std::string text;                 // Help: the help text
    std::optional<std::string> file;  // the FILE given, in the file system's encoding
    // Schedule: the simulation's columns, or history's (--history), or
    // neither; HistoryStarts: always history's options.
    std::optional<SimulationOptions> simulation;
    std::optional<HistoryOptions> history;
    // Schedule, Solve and HistoryStarts: a plan document in place of the
    // settings file, and the life that the command line gives.
    PlanSource plan;
    // Solve: the quantity and the markets it is solved on (returns that do
    // not vary unless --volatility or --history says otherwise).
    SolveFor quantity = SolveFor::Draw;
    SolveOptions solve;
};

// The command that `arguments` (the program's name first) ask for, or else
// the usage error's text, which names the argument it is about.
struct ParsedCommand {
    std::optional<Command> command;
    std::string usageError;
};

// Needs the application object (its name and version go into the help).
ParsedCommand ParseCommand(const QStringList& arguments);

}  // namespace nestora

// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_options.h"
#include "app/program_settings.h"
#include "app/schedule_command.h"
#include "document/plan_document.h"
#include "number/arith.h"

namespace nestora {

namespace {

// The options QApplication takes for itself, with a value or without.
constexpr std::string_view QtValueOptions[] = {
    "-platform",        "-platformpluginpath", "-platformtheme", "-plugin",
    "-qwindowgeometry", "-qwindowicon",        "-qwindowtitle",  "-session",
    "-display",         "-geometry",           "-name",          "-title",
    "-style",           "-stylesheet"};
constexpr std::string_view QtFlagOptions[] = {"-reverse", "-widgetcount", "-nograb", "-dograb",
                                              "-sync"};

bool OneOf(std::string_view word, std::span<const std::string_view> words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

int UsageError(const std::string& text) {
    std::fprintf(stderr, "nestora: %s\nTry 'nestora --help'.\n", text.c_str());
    return 2;
}

// Writes `text` to standard output; a failed write (a full disk, a closed
// stream) is reported and gives status 1.
int WriteOut(const std::string& text, const char* what) {
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (std::fflush(stdout) == 0 && written) return 0;
    const int cause = errno;
    std::fprintf(stderr, "nestora: standard output: %s could not be written%s%s.\n", what,
                 cause != 0 ? ": " : "", cause != 0 ? std::strerror(cause) : "");
    return 1;
}

// --schedule, --solve or --history-starts, on the FILE given or the
// program's own.
int RunTable(const Command& command) {
    InitArithmetic();
    std::ios::sync_with_stdio(true);
    const bool mustExist = command.file.has_value();
    const std::string path = mustExist ? *command.file : DefaultSettingsLocation().path;
    if (command.kind == CommandKind::HistoryStarts)
        return RunHistoryStartsCommand(path, mustExist, std::cout, std::cerr, *command.history,
                                       SystemFiles(), command.plan);
    if (command.kind == CommandKind::Solve)
        return RunSolveCommand(path, mustExist, std::cout, std::cerr, command.quantity,
                               command.solve, SystemFiles(), command.plan);
    return RunScheduleCommand(path, mustExist, std::cout, std::cerr, SystemFiles(),
                              command.simulation, command.history, command.plan);
}

}  // namespace

namespace {

// The arguments that are not Qt's own window options or their values.
std::vector<std::string_view> OwnArguments(int argc, const char* const* argv) {
    std::vector<std::string_view> own;
    for (int k = 1; k < argc; ++k) {
        const std::string_view argument = argv[k];
        const std::string_view name = argument.substr(0, argument.find('='));
        if (OneOf(name, QtFlagOptions)) continue;
        if (!OneOf(name, QtValueOptions))
            own.push_back(argument);
        else if (name.size() == argument.size())
            ++k;  // the value follows
    }
    return own;
}

}  // namespace

std::string PlanDocumentArgument(int argc, const char* const* argv) {
    const std::vector<std::string_view> own = OwnArguments(argc, argv);
    const std::string_view extension = PlanDocumentExtension;
    if (own.size() != 1 || own[0].starts_with('-') || own[0].size() <= extension.size() ||
        !own[0].ends_with(extension))
        return {};
    return std::string(own[0]);
}

bool WantsCommandLine(int argc, const char* const* argv) {
    return !OwnArguments(argc, argv).empty() && PlanDocumentArgument(argc, argv).empty();
}

int RunCommandLine(QCoreApplication& app) {
    QCoreApplication::setApplicationName("nestora");
    QCoreApplication::setApplicationVersion(NESTORA_VERSION);
    const ParsedCommand parsed = ParseCommand(app.arguments());
    if (!parsed.command) return UsageError(parsed.usageError);
    const Command& command = *parsed.command;
    switch (command.kind) {
        case CommandKind::Help:
            return WriteOut(command.text, "The help");
        case CommandKind::Version:
            return WriteOut("nestora " NESTORA_VERSION "\n", "The version");
        case CommandKind::Schedule:
        case CommandKind::Solve:
        case CommandKind::HistoryStarts:
            return RunTable(command);
    }
    return 2;
}

}  // namespace nestora

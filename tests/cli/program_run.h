// SPDX-License-Identifier: MIT
// The built program run as a user runs it: its arguments, an environment of
// our choosing, standard output to a file (or to /dev/full), and what it
// wrote and its exit status afterwards.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace nestora::testing {

struct ProgramRun {
    int status = -1;  // the exit status, or 128 + the signal that ended it
    std::string out;
    std::string err;
    std::string firstErrLine() const { return err.substr(0, err.find('\n')); }
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs NESTORA_PROGRAM (under NESTORA_EMULATOR, when there is one) with
// `arguments` and only the `environment` given ("NAME=value"), in `folder`,
// where its two streams are kept; standard output goes to `outPath` when
// given.
inline ProgramRun RunProgram(const std::vector<std::string>& arguments,
                             const std::vector<std::string>& environment, const std::string& folder,
                             const std::string& outPath = {}) {
    const std::string out = outPath.empty() ? folder + "/stdout" : outPath;
    const std::string err = folder + "/stderr";
    // An emulator's words first, for a program built for another processor.
    std::vector<std::string> argv;
    std::istringstream emulator(NESTORA_EMULATOR);
    for (std::string word; std::getline(emulator, word, ',');)
        if (!word.empty()) argv.push_back(word);
    argv.push_back(NESTORA_PROGRAM);
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> args, env;
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    std::vector<std::string> vars = environment;
    for (std::string& v : vars) env.push_back(v.data());
    env.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (o < 0 || e < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0 || ::chdir(folder.c_str()) != 0)
            ::_exit(127);
        // The emulator is found on the test's own PATH.
        ::execvpe(args[0], args.data(), env.data());
        ::_exit(127);
    }
    ProgramRun run;
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) return run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (outPath.empty()) run.out = ReadAll(out);
    run.err = ReadAll(err);
    return run;
}

}  // namespace nestora::testing

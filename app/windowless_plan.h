// SPDX-License-Identifier: MIT
// The plan the main window computes with after starting on a settings file,
// without a window: the defaults, the file read into entry fields that start
// with the window's own texts (their handlers parse and clamp what they are
// given), then the file read once more, as when the window first shows.
// What the window would report in a box (a bad file, a bad entry, an
// arithmetic fault) goes to an error stream instead, one message a line,
// each "nestora: FILE: message"; a message repeated at once (the same fault
// on the second read) is written once.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "number/platform_file.h"
#include "projection/plan.h"

namespace nestora {

class WindowlessPlan {
  public:
    // `path` is the settings file, named in every message as given.
    WindowlessPlan(std::string path, std::ostream& err);
    ~WindowlessPlan();
    WindowlessPlan(const WindowlessPlan&) = delete;
    WindowlessPlan& operator=(const WindowlessPlan&) = delete;

    // Reads the file. A file that does not exist means the defaults when
    // `mustExist` is false (the program's own file before its first close)
    // and "File not found." when it is true. False after a report.
    bool load(bool mustExist, FileSystem& files);

    // The six texts typed into the entry fields, in the order of
    // AllEntries, after the designed plan is shown, as opening a plan
    // document does in the window. False after a report.
    bool type(const std::array<std::string, 6>& texts);

    // Runs `step` on the plan; false after a report of what escaped it.
    bool run(const std::function<void()>& step);

    // Writes "nestora: FILE: message" on the error stream.
    void report(const std::string& message);

    const Plan& plan() const;
    const Projection& projection() const;

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace nestora

// SPDX-License-Identifier: MIT
// What the settings tests share: a temporary folder, a window that remembers
// where it was put, and the start-up's two loads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "projection/catch_point.h"
#include "settings/settings_file.h"
#include "support/planner_fixture.h"
#include "support/scratch_folder.h"

namespace nestora::testing {

// The main window's position; placed is empty until readcfg sets both edges.
class FakeWindow : public WindowPlace {
  public:
    std::int32_t top() const override { return top_; }
    std::int32_t left() const override { return left_; }
    void setTop(std::int32_t top) override { top_ = top; }
    void setLeft(std::int32_t left) override {
        left_ = left;
        placed = std::make_pair(top_, left_);
    }
    std::optional<std::pair<std::int32_t, std::int32_t>> placed;  // (top, left)

  private:
    std::int32_t top_ = 157;  // the designed position
    std::int32_t left_ = -1;
};

// The program's start: defaults, a load at creation and a load just before
// the window shows, each its own catch point.
struct StartedProgram : PlannerFixture {
    explicit StartedProgram(char decimalSeparator = '.')
        : PlannerFixture(DesignedEntryTexts, DesignedResultTexts, "Nestora", decimalSeparator) {}
    FakeWindow window;
    SavedPosition saved;

    void start(const std::string& path, FileSystem& files = SystemFiles()) {
        planner.plan = DefaultPlan();
        load(path, files);
        load(path, files);
    }
    void load(const std::string& path, FileSystem& files = SystemFiles()) {
        RunCaught(desktop, "Nestora", [&] { readcfg(planner, saved, window, path, files); });
    }
    bool save(const std::string& path, FileSystem& files = SystemFiles(),
              const std::string& keepOldAs = {}) {
        return RunCaught(desktop, "Nestora",
                         [&] { writecfg(planner, window, path, files, keepOldAs); });
    }
    // The window's start: each load shows the plan it computes with even
    // when the file cannot be read; false when either load could not read it.
    bool startShowingPlan(const std::string& path, FileSystem& files = SystemFiles()) {
        planner.plan = DefaultPlan();
        const std::string note = DamagedCopyNote(path);
        const bool first =
            LoadShowingPlan(planner, saved, window, path, desktop, "Nestora", note, files);
        const bool second =
            LoadShowingPlan(planner, saved, window, path, desktop, "Nestora", note, files);
        return first && second;
    }
};

}  // namespace nestora::testing

// SPDX-License-Identifier: MIT
#include "app/schedule_command.h"

#include <functional>
#include <memory>
#include <vector>

#include "design/main_window_design.h"
#include "number/errors.h"
#include "projection/catch_point.h"
#include "projection/planner.h"
#include "schedule/schedule.h"
#include "schedule/schedule_csv.h"
#include "schedule/schedule_table.h"
#include "schedule/simulation_table.h"
#include "settings/settings_file.h"

namespace nestora {

namespace {

// An entry field without a window: a real change runs its handler at once,
// an equal text runs nothing, as a QLineEdit's textChanged does.
class TextField : public Field {
  public:
    explicit TextField(std::string_view text) : text_(text) {}
    std::function<void()> onChange;
    std::string text() const override { return text_; }
    void setText(const std::string& text) override {
        if (text == text_) return;
        text_ = text;
        if (onChange) onChange();
    }
    void selectAll() override {}

  private:
    std::string text_;
};

// The boxes become lines on the error stream; a message repeated at once
// (the same fault on the second load) is written once.
class StreamDesktop : public Desktop {
  public:
    explicit StreamDesktop(std::ostream& err) : err_(err) {}
    void warning(const std::string& message) override { report(message); }
    void beep() override {}
    void errorBox(const std::string&, const std::string& message) override { report(message); }
    void openAddress(const std::string&) override {}
    bool reported() const { return !last_.empty(); }
    void report(const std::string& message) {
        if (message != last_) err_ << message << '\n';
        last_ = message;
    }

  private:
    std::ostream& err_;
    std::string last_;
};

class NoWindow : public WindowPlace {
  public:
    std::int32_t top() const override { return 0; }
    std::int32_t left() const override { return 0; }
    void setTop(std::int32_t) override {}
    void setLeft(std::int32_t) override {}
};

}  // namespace

int RunScheduleCommand(const std::string& path, bool mustExist, std::ostream& out,
                       std::ostream& err, FileSystem& files,
                       const std::optional<SimulationOptions>& simulation) {
    if (mustExist && !files.exists(path)) {
        err << "File not found.\n";
        return 1;
    }
    StreamDesktop desktop(err);
    const std::string title = "nestora";
    Planner planner(desktop);
    std::vector<std::unique_ptr<TextField>> fields;
    for (std::size_t k = 0; k < AllEntries.size(); ++k) {
        const Entry entry = AllEntries[k];
        // The entry fields start with the designed window's texts.
        fields.push_back(std::make_unique<TextField>(design::EntryFields[k].text));
        planner.bindEntry(entry, *fields.back());
        fields.back()->onChange = [&planner, entry, &title] {
            RunEntryChanged(planner, entry, title);
        };
    }
    for (Result result : AllResults) {
        fields.push_back(std::make_unique<TextField>(""));
        planner.bindResult(result, *fields.back());
    }

    SavedPosition saved;
    NoWindow window;
    planner.plan = DefaultPlan();
    LoadShowingPlan(planner, saved, window, path, desktop, title, {}, files);
    LoadShowingPlan(planner, saved, window, path, desktop, title, {}, files);
    if (desktop.reported()) return 1;

    std::string csv;
    const bool made = RunCaught(desktop, title, [&] {
        ScheduleTable table =
            MakeScheduleTable(MakeSchedule(planner.plan, planner.projection), CalendarYearNow());
        if (simulation)
            AddSimulationColumns(table, Simulate(planner.plan, planner.projection, *simulation));
        csv = ScheduleCsv(table);
    });
    if (!made) return 1;
    out << csv;
    out.flush();
    if (!out) {
        err << "The schedule could not be written.\n";
        return 1;
    }
    return 0;
}

}  // namespace nestora

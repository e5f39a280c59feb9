// SPDX-License-Identifier: MIT
#include "app/windowless_plan.h"

#include <vector>

#include "design/main_window_design.h"
#include "projection/catch_point.h"
#include "projection/planner.h"
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

// The boxes become lines on the error stream, each naming the file.
class StreamDesktop : public Desktop {
  public:
    StreamDesktop(std::ostream& err, const std::string& path) : err_(err), path_(path) {}
    void warning(const std::string& message) override { report(message); }
    void beep() override {}
    void errorBox(const std::string&, const std::string& message) override { report(message); }
    void openAddress(const std::string&) override {}
    bool reported() const { return !last_.empty(); }
    void report(const std::string& message) {
        if (message != last_) err_ << "nestora: " << path_ << ": " << message << '\n';
        last_ = message;
    }

  private:
    std::ostream& err_;
    const std::string& path_;
    std::string last_;
};

class NoWindow : public WindowPlace {
  public:
    std::int32_t top() const override { return 0; }
    std::int32_t left() const override { return 0; }
    void setTop(std::int32_t) override {}
    void setLeft(std::int32_t) override {}
};

const std::string Title = "nestora";

}  // namespace

struct WindowlessPlan::Parts {
    Parts(std::string file, std::ostream& err)
        : path(std::move(file)), desktop(err, path), planner(desktop) {}
    std::string path;
    StreamDesktop desktop;
    Planner planner;
    std::vector<std::unique_ptr<TextField>> fields;
};

WindowlessPlan::WindowlessPlan(std::string path, std::ostream& err)
    : parts_(std::make_unique<Parts>(std::move(path), err)) {
    Planner& planner = parts_->planner;
    for (std::size_t k = 0; k < AllEntries.size(); ++k) {
        const Entry entry = AllEntries[k];
        // The entry fields start with the designed window's texts.
        auto& field =
            parts_->fields.emplace_back(std::make_unique<TextField>(design::EntryFields[k].text));
        planner.bindEntry(entry, *field);
        field->onChange = [&planner, entry] { RunEntryChanged(planner, entry, Title); };
    }
    for (Result result : AllResults) {
        auto& field = parts_->fields.emplace_back(std::make_unique<TextField>(""));
        planner.bindResult(result, *field);
    }
}

WindowlessPlan::~WindowlessPlan() = default;

bool WindowlessPlan::load(bool mustExist, FileSystem& files) {
    if (mustExist && !files.exists(parts_->path)) {
        report("File not found.");
        return false;
    }
    SavedPosition saved;
    NoWindow window;
    Planner& planner = parts_->planner;
    planner.plan = DefaultPlan();
    for (int time = 0; time < 2; ++time)
        LoadShowingPlan(planner, saved, window, parts_->path, parts_->desktop, Title, {}, files);
    return !parts_->desktop.reported();
}

bool WindowlessPlan::type(const std::array<std::string, 6>& texts) {
    Planner& planner = parts_->planner;
    planner.plan = DefaultPlan();
    RunCaught(parts_->desktop, Title, [&planner] { ShowPlan(planner); });
    for (std::size_t k = 0; k < texts.size(); ++k) parts_->fields[k]->setText(texts[k]);
    return !parts_->desktop.reported();
}

bool WindowlessPlan::run(const std::function<void()>& step) {
    return RunCaught(parts_->desktop, Title, step);
}

void WindowlessPlan::report(const std::string& message) { parts_->desktop.report(message); }

const Plan& WindowlessPlan::plan() const { return parts_->planner.plan; }
const Projection& WindowlessPlan::projection() const { return parts_->planner.projection; }

}  // namespace nestora

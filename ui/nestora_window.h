// SPDX-License-Identifier: MIT
// TNestoraF: the main window, and with it the life of the program.
//
// Start-up: the window is built hidden from its layout, its six entry
// fields are bound to the planner (each textChanged runs that field's
// handler as a catch point of its own) and FormCreate runs: the plan takes
// its defaults, readcfg loads the settings file into the plan and the saved
// position, fills the entry fields (their handlers parse the texts back
// while CalcEnabled is off) and calculate fills the result fields; then the
// window moves to SavedLeft, SavedTop. Just before the window first shows,
// FormShow runs readcfg again, so the plan holds the file's values exactly
// even where a field shows them rounded, and Edit1 takes the focus with its
// text selected.
//
// Running: each keystroke in an entry field runs its handler and calculate.
// Help shows the one help window; Tobrel Home Page asks the desktop to open
// the maker's page.
//
// A settings file that cannot be read brings its error box (with a line
// saying where the file will be kept), then the fields show the plan as far
// as it was read and the results are computed from it; the first save keeps
// the damaged file as nestora.fig.damaged before it replaces it.
//
// Closing, by any means, runs FormClose: writecfg saves the position and
// the plan, beside the program or in the user's configuration folder (made
// when missing), as chosen at start-up; a file that holds the same bytes is
// not written again. When the save fails the error box says why, and then
// a question lets the user close without saving or keep the window open;
// otherwise the program ends with status 0. The end of the desktop session
// runs the same save and never asks.
#pragma once

#include <QMainWindow>
#include <QSessionManager>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "projection/desktop.h"
#include "projection/planner.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"
#include "ui/nestora_layout.h"
#include "ui/year_by_year_inputs.h"
#include "ui/year_by_year_opener.h"

namespace nestora {

class LineEditField;
class TNestoraF;
class TNestoraFhelp;

// The position of a top-level widget's frame, as readcfg and writecfg see it.
class WidgetPlace : public WindowPlace {
  public:
    explicit WidgetPlace(QWidget& widget) : widget_(widget) {}
    std::int32_t top() const override;
    std::int32_t left() const override;
    void setTop(std::int32_t top) override;
    void setLeft(std::int32_t left) override;
    // Called once the window manager has framed and activated the window.
    void frameShown();

  private:
    void moveFrame(QPoint topLeft);
    QWidget& widget_;
    std::optional<QPoint> pending_;
};

// The question after a failed save at close.
inline constexpr const char* CloseUnsavedTitle = "Plan not saved";
inline constexpr const char* CloseUnsavedYes = "&Close Without Saving";
inline constexpr const char* CloseUnsavedNo = "&Keep Open";

class TNestoraF : public QMainWindow {
    Q_OBJECT
  public:
    // Builds the window hidden and runs FormCreate. The error box and the
    // other desktop calls go through `desktop`; the settings live at
    // `settings`; numbers are shown with `decimalSeparator`, the user's symbol.
    explicit TNestoraF(Desktop& desktop, SettingsLocation settings, char decimalSeparator = '.',
                       QWidget* parent = nullptr);
    ~TNestoraF() override;

    // The window that Help shows; without one, the first Help makes it, so
    // that the start-up does not wait for a window that may never be shown.
    void setHelpWindow(TNestoraFhelp* help) { help_ = help; }
    // How Year by Year makes its window on first open (by default, from its
    // library); the window lives until this one goes.
    void setYearByYearMaker(YearByYearMaker maker) { yearByYearMaker_ = std::move(maker); }
    QWidget* yearByYearWindow() const { return yearByYear_.get(); }

    Planner& planner() { return planner_; }
    const SavedPosition& savedPosition() const { return saved_; }
    const NestoraLayout& controls() const { return ui_; }
    const std::string& title() const { return title_; }

    // The handlers. Each runs its work as a catch point: an error is shown in
    // the error box and the program carries on.
    void FormCreate();
    void FormShow();
    bool FormClose();  // false when writecfg failed and the close is abandoned
    // The session ends (log-out, shut-down), which closes no window: the same
    // save as FormClose, the window left as it is. When the save fails, the
    // error box comes up only if mayInteract, asked then and only then, says
    // the user may be spoken to now. The session goes on either way; it is
    // never cancelled. Returns false when the save failed.
    bool SessionSave(const std::function<bool()>& mayInteract);
    // QGuiApplication::commitDataRequest's slot: SessionSave with the session
    // manager's leave to interact.
    void commitData(QSessionManager& manager);
    // Shows the window in front of the others, restored if it was minimised:
    // what a second start on the same settings file asks for.
    void bringToFront();
    void Exit1Click();
    void Help1Click();
    void TobrelHomePage1Click();
    void YearByYear1Click();
    // Beyond the designed menu: plans as documents (plan_menu.cpp).
    void OpenPlan1Click();
    void SavePlanAs1Click();
    // Opens the plan document at `path`: its six values go into the fields
    // as if typed, then the rest into Year by Year's inputs (the window is
    // made, hidden, when it is not there). A document that cannot be read
    // gets the error box and changes nothing. False when nothing was opened.
    bool openPlan(const QString& path);
    // Writes the plan, Year by Year's inputs with it, to `path`; false after
    // the error box when that fails.
    bool savePlanAs(const QString& path);
    // Where Open Plan reads and Save Plan As writes, starting in `folder`
    // ("" to cancel); the file dialogs by default, replaced by tests.
    std::function<QString(const QString& folder)> askOpenPlanPath;
    std::function<QString(const QString& folder)> askSavePlanPath;

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool caught(const std::function<void()>& step);
    bool load();
    void save();
    bool closeWithoutSaving();
    void askPlanPathsWithDialogs();
    // Year by Year's inputs, its window made (hidden) when needed.
    YearByYearInputs& yearByYearInputs();

    Desktop& desktop_;
    std::string title_;
    SettingsLocation settings_;
    Planner planner_;
    SavedPosition saved_;
    WidgetPlace place_{*this};
    NestoraLayout ui_;
    std::array<std::unique_ptr<LineEditField>, 10> fields_;
    TNestoraFhelp* help_ = nullptr;
    std::unique_ptr<TNestoraFhelp> ownHelp_;  // the one the first Help made
    bool shown_ = false;
    bool damaged_ = false;  // the settings file could not be read at start-up
    YearByYearMaker yearByYearMaker_ = LibraryYearByYearMaker();
    // Last, so that it goes first: it observes planner_.
    std::unique_ptr<QWidget> yearByYear_;
};

}  // namespace nestora

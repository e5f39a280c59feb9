// SPDX-License-Identifier: MIT
#include "ui/nestora_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QShowEvent>

#include "design/maker.h"
#include "projection/catch_point.h"
#include "ui/fonts.h"
#include "ui/help_window.h"
#include "ui/icons.h"
#include "ui/line_edit_field.h"

namespace nestora {

std::int32_t WidgetPlace::top() const { return widget_.pos().y(); }

std::int32_t WidgetPlace::left() const { return widget_.pos().x(); }

// The saved position is the window's outer top-left corner, which move()
// places once the window manager has framed the window. Until then the frame
// is unknown and the point may land on the client area instead, so it is
// kept and applied again once the frame is there.
void WidgetPlace::moveFrame(QPoint topLeft) {
    widget_.move(topLeft);
    pending_ = topLeft;
}

void WidgetPlace::setTop(std::int32_t top) { moveFrame(QPoint(widget_.pos().x(), top)); }

void WidgetPlace::setLeft(std::int32_t left) { moveFrame(QPoint(left, widget_.pos().y())); }

void WidgetPlace::frameShown() {
    if (!pending_ || widget_.frameGeometry() == widget_.geometry()) return;
    if (widget_.pos() != *pending_) widget_.move(*pending_);
    pending_.reset();
}

TNestoraF::TNestoraF(Desktop& desktop, SettingsLocation settings, char decimalSeparator,
                     QWidget* parent)
    : QMainWindow(parent),
      desktop_(desktop),
      title_(
          ProgramTitle(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString())),
      settings_(std::move(settings)),
      planner_(desktop, decimalSeparator) {
    setObjectName("NestoraF");
    setWindowTitle(design::MainCaption);
    setWindowIcon(WindowIcon());
    ui_ = BuildNestoraLayout(*this);
    // The window's own face; every control that shows text sets its own.
    setFont(HandwritingFont());
    move(design::DesignedLeft, design::DesignedTop);

    // In the order of AllEntries and AllResults.
    fields_ = BindEditBoxes(planner_,
                            {ui_.Edit1, ui_.Edit2, ui_.Edit9, ui_.Edit10, ui_.Edit8, ui_.Edit11},
                            {ui_.Edit3, ui_.Edit4, ui_.Edit5, ui_.Edit6}, title_);

    connect(ui_.Exit1, &QAction::triggered, this, &TNestoraF::Exit1Click);
    connect(ui_.Help1, &QAction::triggered, this, &TNestoraF::Help1Click);
    connect(ui_.TobrelHomePage1, &QAction::triggered, this, &TNestoraF::TobrelHomePage1Click);
    // Direct, as the session manager waits for the answer inside the signal.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &TNestoraF::commitData,
            Qt::DirectConnection);
    // Beyond the designed menu: the schedule behind the results.
    connect(ui_.YearByYear1, &QAction::triggered, this, &TNestoraF::YearByYear1Click);
    connect(ui_.OpenPlan1, &QAction::triggered, this, &TNestoraF::OpenPlan1Click);
    connect(ui_.SavePlanAs1, &QAction::triggered, this, &TNestoraF::SavePlanAs1Click);
    askPlanPathsWithDialogs();

    FormCreate();
}

// The fields' connections reach into the planner: the fields go first.
TNestoraF::~TNestoraF() { delete takeCentralWidget(); }

bool TNestoraF::caught(const std::function<void()>& step) {
    return RunCaught(desktop_, title_, step);
}

bool TNestoraF::load() {
    const bool read = LoadShowingPlan(planner_, saved_, place_, settings_.path, desktop_, title_,
                                      DamagedCopyNote(settings_.path));
    if (!read) damaged_ = true;
    return read;
}

void TNestoraF::FormCreate() {
    planner_.plan = DefaultPlan();
    if (load()) {
        place_.setTop(saved_.SavedTop);
        place_.setLeft(saved_.SavedLeft);
    }
}

void TNestoraF::FormShow() { load(); }

// After a start on a file that could not be read, the first save keeps that
// file as nestora.fig.damaged before it replaces it.
void TNestoraF::save() {
    SaveSettings(planner_, place_, settings_, SystemFiles(),
                 damaged_ ? DamagedCopyPath(settings_.path) : std::string());
    damaged_ = false;
}

bool TNestoraF::FormClose() {
    return caught([this] { save(); });
}

bool TNestoraF::closeWithoutSaving() {
    return desktop_.ask(CloseUnsavedTitle,
                        "Your plan could not be saved in " + settings_.path +
                            ".\n\nClose Nestora without saving it? What you changed since it "
                            "was last saved will be lost.",
                        CloseUnsavedYes, CloseUnsavedNo);
}

bool TNestoraF::SessionSave(const std::function<bool()>& mayInteract) {
    return RunCaught(
        desktop_, title_, [this] { save(); }, mayInteract);
}

void TNestoraF::commitData(QSessionManager& manager) {
    bool interacting = false;
    SessionSave([&manager, &interacting] {
        interacting = manager.allowsInteraction();
        return interacting;
    });
    if (interacting) manager.release();
}

void TNestoraF::bringToFront() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void TNestoraF::Exit1Click() { close(); }

void TNestoraF::Help1Click() {
    caught([this] {
        if (help_ == nullptr) {
            ownHelp_ = std::make_unique<TNestoraFhelp>();
            help_ = ownHelp_.get();
        }
        help_->showHelp();
    });
}

void TNestoraF::TobrelHomePage1Click() {
    caught([this] { desktop_.openAddress(MakerHomePage); });
}

void TNestoraF::YearByYear1Click() {
    caught([this] {
        yearByYearInputs();
        yearByYear_->show();
        yearByYear_->raise();
        yearByYear_->activateWindow();
    });
}

bool TNestoraF::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) place_.frameShown();
    return QMainWindow::event(event);
}

void TNestoraF::showEvent(QShowEvent* event) {
    // Runs before the window appears, once: later show events come from
    // restoring the window and change nothing.
    if (!shown_ && !event->spontaneous()) {
        shown_ = true;
        FormShow();
        ui_.Edit1->setFocus(Qt::OtherFocusReason);
        ui_.Edit1->selectAll();
    }
    QMainWindow::showEvent(event);
}

void TNestoraF::closeEvent(QCloseEvent* event) {
    if (FormClose() || closeWithoutSaving()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace nestora

// SPDX-License-Identifier: MIT
// SIGTERM (a log-out without a session manager, kill), SIGHUP (the terminal
// that started the program goes away) and SIGINT (Ctrl+C) close the main
// window as its close box does: the plan is saved, and the program ends with
// status 0 (or, when the save fails, the error box and its question come up,
// and a second signal while they are up ends the program with status 1,
// unsaved, so that nobody has to kill it outright).
//
// Nothing happens inside the signal handler but one write of a byte to a
// pipe of the program's own; the message loop watches the pipe's other end
// and closes the window from there, where any work is safe.
#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace nestora {

class CloseOnSignals : public QObject {
  public:
    // Installs the handlers for as long as this object lives; `window` must
    // outlive it. Only one may live at a time.
    explicit CloseOnSignals(QWidget& window);
    ~CloseOnSignals() override;
    CloseOnSignals(const CloseOnSignals&) = delete;
    CloseOnSignals& operator=(const CloseOnSignals&) = delete;

    // False when the pipe or the handlers could not be set up.
    bool ready() const { return notifier_ != nullptr; }

  private:
    void signalled();

    QWidget& window_;
    QSocketNotifier* notifier_ = nullptr;
    bool closing_ = false;
};

}  // namespace nestora

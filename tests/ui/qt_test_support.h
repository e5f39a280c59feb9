// SPDX-License-Identifier: MIT
// What every ui test needs: one QApplication on the offscreen platform for
// the whole test program, a guard that fails a test instead of letting it
// hang on a modal box nobody will close, and a temporary settings folder.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <string>

namespace nestora::testing {

// Creates the application object on first use.
QApplication& App();

// While it lives, any modal window that comes up is a test failure and is
// closed at once, so the test goes on instead of waiting forever.
class ModalWatchdog {
  public:
    ModalWatchdog();
    ~ModalWatchdog();
    ModalWatchdog(const ModalWatchdog&) = delete;
    ModalWatchdog& operator=(const ModalWatchdog&) = delete;

  private:
    QTimer timer_;
};

// Runs `inspect` on the first modal window that comes up after this call,
// then presses `key` in it. Gives up (and fails) after a few seconds.
void WhenModalShows(const std::function<void(QWidget&)>& inspect, int key);

// A folder of its own for each test, with the settings path inside it.
class SettingsFolder {
  public:
    std::string path() const;  // <folder>/nestora.fig
    void write(const std::string& bytes) const;
    std::string read() const;
    bool exists() const;

  private:
    QTemporaryDir dir_;
};

}  // namespace nestora::testing

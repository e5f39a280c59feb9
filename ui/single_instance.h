// SPDX-License-Identifier: MIT
// One running Nestora per settings file. The first process to start on a
// file takes a lock named after the file (QLockFile, in the user's runtime
// folder) and listens on a local (Unix domain) socket of the same name; a
// later start on the same file finds the lock taken, asks the first over the
// socket to bring its window to the front (and to open the plan document
// it was started on), and ends. Two copies of the program that
// keep their settings in different files run side by side.
//
// The lock goes with its process: a lock left by a process that no longer
// runs is taken over (QLockFile checks the process id), however old.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

class QLockFile;
class QSocketNotifier;

namespace nestora {

// The name the lock and the socket share for a settings file:
// "nestora-" followed by 16 hexadecimal digits of a hash of its absolute path.
QString InstanceName(const std::string& settingsPath);

class SingleInstance : public QObject {
  public:
    // Takes the lock for `settingsPath` when it is free, in `folder` (the
    // user's runtime folder when empty).
    explicit SingleInstance(const std::string& settingsPath, const QString& folder = {});
    ~SingleInstance() override;

    // True when this process runs the window for the file.
    bool first() const { return first_; }
    // For the first: `show` runs (in the message loop) each time a later
    // start asks for the window, with the absolute path of the plan
    // document that start was given ("" when none).
    void onShowRequest(std::function<void(const QString& document)> show) {
        show_ = std::move(show);
    }
    // For a later start: asks the first to show its window and to open
    // `document` when one is given; true once it has answered. A first that
    // is still starting is given up to `timeoutMs` to begin listening.
    bool askFirstToShow(int timeoutMs = 10000, const QString& document = {}) const;

  private:
    void listen();
    void answer();
    void readRequest(int connection, QSocketNotifier* readable);

    QString socketPath_;
    std::unique_ptr<QLockFile> lock_;
    bool first_ = false;
    int listening_ = -1;  // the socket's descriptor, or -1 without one
    std::function<void(const QString& document)> show_;
};

}  // namespace nestora

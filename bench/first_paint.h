// SPDX-License-Identifier: MIT
// Ends a start-up run at its first painted frame: once the window has been
// painted (and so flushed to the display), the loop is told to quit.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace nestora::bench {

class QuitAfterFirstPaint : public QObject {
  public:
    explicit QuitAfterFirstPaint(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued: the frame is flushed after the paint event returns.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool seen_ = false;
};

}  // namespace nestora::bench

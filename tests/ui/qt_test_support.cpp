// SPDX-License-Identifier: MIT
#include "ui/qt_test_support.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QWidget>

namespace nestora::testing {

QApplication& App() {
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "nestora_ui_tests";
        static char* argv[] = {name, nullptr};
        // Lives until the process ends: widgets that tests leave behind are
        // never destroyed after it.
        return new QApplication(argc, argv);
    }();
    return *app;
}

ModalWatchdog::ModalWatchdog() {
    App();
    timer_.setInterval(100);
    QObject::connect(&timer_, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "an unexpected modal window came up: "
                          << modal->windowTitle().toStdString();
            modal->close();
        }
    });
    timer_.start();
}

ModalWatchdog::~ModalWatchdog() = default;

void WhenModalShows(const std::function<void(QWidget&)>& inspect, int key) {
    auto* poll = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, clock, inspect, key] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            if (clock->elapsed() > 5000) {
                ADD_FAILURE() << "no modal window came up";
                poll->stop();
                poll->deleteLater();
                delete clock;
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        delete clock;
        inspect(*modal);
        QTest::keyClick(modal, static_cast<Qt::Key>(key));
    });
    poll->start();
}

std::string SettingsFolder::path() const {
    return QFile::encodeName(dir_.filePath("nestora.fig")).toStdString();
}

void SettingsFolder::write(const std::string& bytes) const {
    QFile file(QString::fromStdString(path()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string SettingsFolder::read() const {
    QFile file(QString::fromStdString(path()));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll().toStdString();
}

bool SettingsFolder::exists() const { return QFile::exists(QString::fromStdString(path())); }

}  // namespace nestora::testing

// SPDX-License-Identifier: MIT
#include "ui/qt_desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

namespace nestora {

namespace {

// A box that blocks the whole program until OK, Enter, Escape or its close
// box ends it. Closing it never counts as closing the program's last window.
void RunBox(QMessageBox::Icon icon, const std::string& title, const std::string& message,
            QWidget* owner) {
    QMessageBox box(icon, QString::fromStdString(title), QString::fromStdString(message),
                    QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.setAttribute(Qt::WA_QuitOnClose, false);
    box.exec();
}

}  // namespace

void QtDesktop::warning(const std::string& message) {
    // No owner: a box without one is centred on the screen.
    RunBox(QMessageBox::Warning, "Warning", message, nullptr);
}

void QtDesktop::beep() { QApplication::beep(); }

void QtDesktop::errorBox(const std::string& title, const std::string& message) {
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    RunBox(QMessageBox::Critical, title, message, QApplication::activeWindow());
}

void QtDesktop::openAddress(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

}  // namespace nestora

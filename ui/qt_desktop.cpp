// SPDX-License-Identifier: MIT
#include "ui/qt_desktop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QUrl>
#include <QWidget>

namespace nestora {

QPoint CentredFrame(QSize outer, const QRect& screen) {
    return {screen.x() + (screen.width() - outer.width()) / 2,
            screen.y() + (screen.height() - outer.height()) / 2};
}

namespace {

// The frame the window manager puts round a new box is not known until the
// box is on the screen; the frame round another of the program's windows
// that shows already is the best guess (the same title bar and borders).
QMargins FrameGuess(const QWidget& box) {
    const QWidget* framed = box.parentWidget();
    if (framed == nullptr || !framed->isVisible()) {
        framed = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top != &box && top->isVisible()) {
                framed = top;
                break;
            }
        }
    }
    if (framed == nullptr) return {};
    const QRect outer = framed->frameGeometry();
    const QRect inner = framed->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// A message box that opens centred on the screen of the window it belongs
// to (or else the active window, or else the main screen), frame included. Qt's own
// placement centres a box over its owner, and a box without one a frame's
// height too high.
class CentredBox : public QMessageBox {
  public:
    CentredBox(Icon icon, const QString& title, const QString& text, QWidget* owner)
        : QMessageBox(icon, title, text, QMessageBox::Ok, owner) {}

  protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);  // sizes the box to its text
        if (event->spontaneous()) return;
        const QWidget* near =
            parentWidget() != nullptr ? parentWidget() : QApplication::activeWindow();
        QScreen* screen = near != nullptr ? near->screen() : QGuiApplication::primaryScreen();
        // The client area's place, which the window manager keeps as given,
        // where a frame's place would depend on how it reads the request.
        const QMargins frame = FrameGuess(*this);
        const QPoint corner = CentredFrame(size().grownBy(frame), screen->geometry());
        setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size()));
    }
};

// A box that blocks the whole program until OK, Enter, Escape or its close
// box ends it. Closing it never counts as closing the program's last window.
// Qt makes it a dialog with a caption and a close box and neither a minimise
// nor a maximise box; OK is a plain button, without the desktop theme's icon.
void RunBox(QMessageBox::Icon icon, const std::string& title, const std::string& message,
            QWidget* owner) {
    CentredBox box(icon, QString::fromStdString(title), QString::fromStdString(message), owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.setWindowModality(Qt::ApplicationModal);
    box.setAttribute(Qt::WA_QuitOnClose, false);
    box.exec();
}

}  // namespace

void QtDesktop::warning(const std::string& message) {
    RunBox(QMessageBox::Warning, "Warning", message, nullptr);
}

void QtDesktop::beep() { QApplication::beep(); }

void QtDesktop::errorBox(const std::string& title, const std::string& message) {
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    RunBox(QMessageBox::Critical, title, message, QApplication::activeWindow());
}

bool QtDesktop::ask(const std::string& title, const std::string& question, const std::string& yes,
                    const std::string& no) {
    CentredBox box(QMessageBox::Question, QString::fromStdString(title),
                   QString::fromStdString(question), QApplication::activeWindow());
    box.setStandardButtons(QMessageBox::NoButton);
    QPushButton* yesButton = box.addButton(QString::fromStdString(yes), QMessageBox::AcceptRole);
    QPushButton* noButton = box.addButton(QString::fromStdString(no), QMessageBox::RejectRole);
    yesButton->setObjectName("AskYes");
    noButton->setObjectName("AskNo");
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(noButton);
    box.setEscapeButton(noButton);
    box.setWindowModality(Qt::ApplicationModal);
    box.setAttribute(Qt::WA_QuitOnClose, false);
    box.exec();
    return box.clickedButton() == yesButton;
}

void QtDesktop::openAddress(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

}  // namespace nestora

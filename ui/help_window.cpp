// SPDX-License-Identifier: MIT
#include "ui/help_window.h"

#include <QGuiApplication>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScreen>

#include "ui/fonts.h"
#include "ui/help_text.h"
#include "ui/icons.h"
#include "ui/nestora_layout.h"

namespace nestora {

QPoint HelpPlacement(QSize desktop) {
    const design::Point place = design::HelpPlacement(desktop.width(), desktop.height());
    return {place.left, place.top};
}

TNestoraFhelp::TNestoraFhelp(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("NestoraFhelp");
    setWindowTitle(design::HelpCaption);
    setWindowIcon(WindowIcon());
    setFixedSize(ClientSize);
    setFont(HelpFont());
    // The main window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);

    Memo1 = new QPlainTextEdit(this);
    const design::MemoDesign& memo = design::HelpMemo;
    Memo1->setObjectName(memo.name);
    Memo1->setGeometry(memo.left, memo.top, memo.width, memo.height);
    // The sunken single border of a text box: two pixels, the outer pair of
    // edges in Dark and Light, the inner pair in Shadow and Midlight.
    Memo1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setPlainText(HelpText());
    Memo1->setReadOnly(true);
    // Read-only still lets the user move the caret, select and copy.
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPalette money = Memo1->palette();
    money.setColor(QPalette::Base, ToQColor(design::MoneyGreen));
    Memo1->setPalette(money);
    Memo1->moveCursor(QTextCursor::Start);
    Memo1->setFocus();
}

void TNestoraFhelp::showHelp() {
    if (!placed_) {
        const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        move(HelpPlacement(desktop.size()));
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    Memo1->setFocus(Qt::OtherFocusReason);
}

}  // namespace nestora

// SPDX-License-Identifier: MIT
// TNestoraFhelp: the instructions window. Made hidden by the main window's
// first Help command (or given to it beforehand); Help shows it (centred on the desktop the first
// time, where it was left afterwards). Closing it only hides it.
#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>

#include "design/help_design.h"

class QPlainTextEdit;

namespace nestora {

// Where the help window's frame goes the first time: centred on a desktop
// of the given size, each coordinate truncated and raised to 0
// (1280 × 1024 → (435, 142); 800 × 600 → (195, 0)).
QPoint HelpPlacement(QSize desktop);

class TNestoraFhelp : public QWidget {
    Q_OBJECT
  public:
    // The designed outer size, and the client area it leaves inside the
    // frame the program was designed with.
    static constexpr QSize OuterSize{design::HelpOuterWidth, design::HelpOuterHeight};
    static constexpr QSize ClientSize{design::HelpClientWidth, design::HelpClientHeight};

    explicit TNestoraFhelp(QWidget* parent = nullptr);

    // Shows the window, or brings it to the front when it already shows,
    // and puts the keyboard focus in the text.
    void showHelp();

    QPlainTextEdit* Memo1 = nullptr;

  private:
    bool placed_ = false;
};

}  // namespace nestora

// SPDX-License-Identifier: MIT
// The main window's controls as designed: names, places, fonts, colours,
// captions and the texts the fields hold before the settings are loaded.
#pragma once

#include <QColor>
#include <QSize>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMenuBar;
class QAction;

namespace nestora {

inline const QColor EntryBackground{0xFF, 0xFF, 0xFF};
inline const QColor PanelGrey{0x80, 0x80, 0x80};
// The bottom and right edge of the panel's raised bevel: the panel grey at
// half its brightness, so the edge shows against both the panel and the
// lighter workspace grey around it.
inline const QColor PanelShadow{0x40, 0x40, 0x40};
inline const QColor PanelText{0x00, 0x00, 0x80};
inline const QColor ResultBackground{0x00, 0xFF, 0xFF};
inline const QColor ResultText{0x00, 0x00, 0xFF};

// The area below the menu bar.
inline constexpr QSize NestoraClientSize{510, 530};

struct NestoraLayout {
    QMenuBar* MainMenu = nullptr;
    QMenu* File1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Help1 = nullptr;
    QAction* TobrelHomePage1 = nullptr;

    QLabel* Label1 = nullptr;
    // Entry fields, in the order of the plan: Edit1, Edit2, Edit9, Edit10, Edit8, Edit11.
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit11 = nullptr;

    QFrame* Panel1 = nullptr;
    // Result fields, in the order calculate writes them.
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
};

// The name a screen reader gives a field: its label's caption without the
// spacing, dot runs, "$" and "%" that only line the caption up on screen
// ("Dollar Savings Available at Retimement......$" → "Dollar Savings
// Available at Retimement").
QString SpokenName(const QString& caption);

// Builds every control on the window: the menu bar, the central area of
// NestoraClientSize with its labels and fields, the result panel and the
// Tab order. Fixes the window's size.
NestoraLayout BuildNestoraLayout(QMainWindow& window);

}  // namespace nestora

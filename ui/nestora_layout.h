// SPDX-License-Identifier: MIT
// The main window's controls as designed: names, places, fonts, colours,
// captions and the texts the fields hold before the settings are loaded.
#pragma once

#include <QColor>
#include <QSize>
#include <QString>

#include "design/look.h"
#include "design/main_window_design.h"

class QFrame;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMenuBar;
class QAction;

namespace nestora {

inline QColor ToQColor(design::Rgb colour) { return {colour.red, colour.green, colour.blue}; }

// The designed colours (design/look.h) as Qt draws them.
inline const QColor EntryBackground = ToQColor(design::EntryBackground);
inline const QColor PanelGrey = ToQColor(design::PanelGrey);
inline const QColor PanelShadow = ToQColor(design::PanelShadow);
inline const QColor PanelText = ToQColor(design::PanelText);
inline const QColor ResultBackground = ToQColor(design::ResultBackground);
inline const QColor ResultText = ToQColor(design::ResultText);

// The area below the menu bar.
inline constexpr QSize NestoraClientSize{design::MainClientWidth, design::MainClientHeight};

struct NestoraLayout {
    QMenuBar* MainMenu = nullptr;
    QMenu* File1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Help1 = nullptr;
    QAction* TobrelHomePage1 = nullptr;
    QAction* YearByYear1 = nullptr;  // beyond the designed menu, last on the bar
    // Beyond the designed menu, above Exit in File: plans as documents.
    QAction* OpenPlan1 = nullptr;
    QAction* SavePlanAs1 = nullptr;

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

// design::SpokenName for a Qt text.
QString SpokenName(const QString& caption);

// Builds every control on the window: the menu bar, the central area of
// NestoraClientSize with its labels and fields, the result panel and the
// Tab order. Fixes the window's size.
NestoraLayout BuildNestoraLayout(QMainWindow& window);

}  // namespace nestora

// SPDX-License-Identifier: MIT
#include "ui/nestora_layout.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <array>
#include <string_view>

#include "ui/fonts.h"

namespace nestora {

namespace {

using design::FieldDesign;
using design::LabelDesign;

constexpr QSize FieldSize{design::FieldWidth, design::FieldHeight};

// A label that sizes itself to its text and paints its own background.
// Without a buddy, QLabel shows "&" as it is.
QLabel* MakeLabel(QWidget* parent, const LabelDesign& designed) {
    auto* label = new QLabel(QString::fromLatin1(designed.caption), parent);
    label->setObjectName(designed.name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(ArialBold16());
    label->setAutoFillBackground(true);
    label->move(designed.left, designed.top);
    label->adjustSize();
    return label;
}

// A screen reader names each field after the label beside it.
template <std::size_t Labels>
QLineEdit* MakeField(QWidget* parent, const FieldDesign& designed,
                     const std::array<LabelDesign, Labels>& labels, const QPalette& colours) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(designed.name);
    field->setAccessibleName(SpokenName(QString::fromLatin1(labels[designed.label].caption)));
    field->setFont(ArialBold16());
    field->setPalette(colours);
    field->setGeometry(QRect(QPoint(designed.left, designed.top), FieldSize));
    // The text last, so that it is laid out once, in the field's own font.
    field->setText(QString::fromLatin1(designed.text));
    return field;
}

QPalette WithColours(QPalette palette, const QColor& text, const QColor& background) {
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, background);
    return palette;
}

}  // namespace

QString SpokenName(const QString& caption) {
    return QString::fromStdString(design::SpokenName(caption.toStdString()));
}

namespace {

// The desktop's font for a class of widget, every property of it set, so
// that none is taken from the window's own face (which is bold).
QFont DesktopFont(const char* className) {
    QFont font = QApplication::font(className);
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

// Open Plan… and Save Plan As… above the designed Exit, with the desktop's
// keys for them.
void AddPlanItems(NestoraLayout& ui) {
    ui.OpenPlan1 = new QAction("&Open Plan…", ui.File1);
    ui.OpenPlan1->setObjectName("OpenPlan1");
    ui.OpenPlan1->setShortcut(QKeySequence::Open);
    ui.SavePlanAs1 = new QAction("Save Plan &As…", ui.File1);
    ui.SavePlanAs1->setObjectName("SavePlanAs1");
    ui.SavePlanAs1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    ui.File1->insertAction(ui.Exit1, ui.OpenPlan1);
    ui.File1->insertAction(ui.Exit1, ui.SavePlanAs1);
    ui.File1->insertSeparator(ui.Exit1);
}

// The menu stays inside the window (no global menu), in the desktop's menu
// font rather than the window's own.
void BuildMenu(QMainWindow& window, NestoraLayout& ui) {
    ui.MainMenu = window.menuBar();
    ui.MainMenu->setObjectName("MainMenu");
    ui.MainMenu->setNativeMenuBar(false);
    ui.MainMenu->setFont(DesktopFont("QMenuBar"));
    for (const design::MenuItemDesign& item : design::MainMenu) {
        QAction* action = nullptr;
        if (item.under != nullptr) {
            action = ui.File1->addAction(item.caption);
        } else if (std::string_view(item.name) == "File1") {
            ui.File1 = ui.MainMenu->addMenu(item.caption);
            ui.File1->setObjectName(item.name);
            ui.File1->setFont(DesktopFont("QMenu"));
            continue;
        } else {
            action = ui.MainMenu->addAction(item.caption);
        }
        action->setObjectName(item.name);
    }
    ui.Exit1 = ui.MainMenu->findChild<QAction*>("Exit1");
    ui.Help1 = ui.MainMenu->findChild<QAction*>("Help1");
    ui.TobrelHomePage1 = ui.MainMenu->findChild<QAction*>("TobrelHomePage1");
    ui.YearByYear1 = ui.MainMenu->findChild<QAction*>("YearByYear1");
    AddPlanItems(ui);
}

// The client area: the application workspace colour behind every label.
QWidget* MakeClientArea(QMainWindow& window) {
    auto* client = new QWidget(&window);
    client->setObjectName("NestoraClient");
    QPalette workspace = client->palette();
    workspace.setColor(QPalette::Window, QApplication::palette().color(QPalette::Dark));
    client->setPalette(workspace);
    client->setAutoFillBackground(true);
    client->setFixedSize(NestoraClientSize);
    window.setCentralWidget(client);
    return client;
}

QLabel* MakeTitle(QWidget* client) {
    const LabelDesign& title = design::TitleLabel;
    auto* label = new QLabel(title.caption, client);
    label->setObjectName(title.name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(TitleFont());
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    label->setGeometry(title.left, title.top, title.width, title.height);
    return label;
}

// The window's labels and the six entry fields in the order of the plan.
void BuildEntries(QWidget* client, NestoraLayout& ui) {
    for (const LabelDesign& label : design::WindowLabels) {
        MakeLabel(client, label);
    }
    const QPalette entryColours = WithColours(
        client->palette(), QApplication::palette().color(QPalette::WindowText), EntryBackground);
    QLineEdit* entries[6];
    for (int i = 0; i < 6; ++i) {
        entries[i] = MakeField(client, design::EntryFields[i], design::WindowLabels, entryColours);
    }
    ui.Edit1 = entries[0];
    ui.Edit2 = entries[1];
    ui.Edit9 = entries[2];
    ui.Edit10 = entries[3];
    ui.Edit8 = entries[4];
    ui.Edit11 = entries[5];
}

// The result panel: grey, a one-pixel raised bevel, navy captions and
// read-only aqua fields that can still take the focus and be copied from.
void BuildResultPanel(QWidget* client, NestoraLayout& ui) {
    ui.Panel1 = new QFrame(client);
    const design::PanelDesign& panel = design::ResultPanel;
    ui.Panel1->setObjectName(panel.name);
    ui.Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ui.Panel1->setLineWidth(panel.bevel);
    QPalette grey = ui.Panel1->palette();
    grey.setColor(QPalette::Window, PanelGrey);
    grey.setColor(QPalette::WindowText, PanelText);
    // A raised bevel draws its top and left edge in Light and its bottom and
    // right edge in Dark, which the window's own grey would otherwise hide.
    grey.setColor(QPalette::Dark, PanelShadow);
    ui.Panel1->setPalette(grey);
    ui.Panel1->setAutoFillBackground(true);
    ui.Panel1->setGeometry(panel.left, panel.top, panel.width, panel.height);
    for (const LabelDesign& label : design::PanelLabels) {
        MakeLabel(ui.Panel1, label);
    }
    const QPalette resultColours = WithColours(grey, ResultText, ResultBackground);
    QLineEdit* results[4];
    for (int i = 0; i < 4; ++i) {
        results[i] =
            MakeField(ui.Panel1, design::ResultFields[i], design::PanelLabels, resultColours);
        results[i]->setReadOnly(true);
    }
    ui.Edit3 = results[0];
    ui.Edit4 = results[1];
    ui.Edit5 = results[2];
    ui.Edit6 = results[3];
}

// The designed Tab order, round from the last field to the first.
void SetTabOrder(QWidget* client) {
    for (std::size_t i = 0; i + 1 < design::TabOrder.size(); ++i) {
        QWidget::setTabOrder(
            client->findChild<QLineEdit*>(QString::fromLatin1(design::TabOrder[i])),
            client->findChild<QLineEdit*>(QString::fromLatin1(design::TabOrder[i + 1])));
    }
}

}  // namespace

NestoraLayout BuildNestoraLayout(QMainWindow& window) {
    NestoraLayout ui;
    BuildMenu(window, ui);
    QWidget* client = MakeClientArea(window);
    ui.Label1 = MakeTitle(client);
    BuildEntries(client, ui);
    BuildResultPanel(client, ui);
    SetTabOrder(client);
    // The window is exactly the menu bar over the client area; the user
    // cannot resize it.
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    return ui;
}

}  // namespace nestora

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

#include "ui/fonts.h"

namespace nestora {

namespace {

struct LabelSpec {
    const char* name;
    const char* caption;
    int left;
    int top;
};

struct FieldSpec {
    const char* name;
    int left;
    int top;
    const char* text;
    int label;  // the label beside it, in its table
};

// The captions keep their own spacing so that each "%" ends just left of its
// field; the misspellings are the captions as the program has always shown them.
const LabelSpec WindowLabels[] = {
    {"Label2", "Current Long Term Savings & Investments", 11, 51},
    {"Label3", "$", 354, 50},
    {"Label4", "Planned Annual Additional Savings", 11, 89},
    {"Label5", "$", 354, 90},
    {"Label12", "Estimated Investment  Return  (Percent)         %", 11, 127},
    {"Label13", "Estimated Ave Inflation Rate (Percent)             % ", 11, 166},
    {"Label11", "Planned Annual Retirement Draw (Percent)   %", 11, 204},
    {"Label14", "Years Remaining Before Retirement", 11, 243},
};

const LabelSpec PanelLabels[] = {
    {"Label6", "Dollar Savings Available at Retimement......$", 16, 20},
    {"Label7", "Saving Adjusted for Inflation..........................$", 16, 77},
    {"Label9", "Annual Draw Adjusted for Inflation...............$", 16, 133},
    {"Label8", "Number of Retirment  Years Provided for.......", 16, 189},
};

const FieldSpec EntryFields[] = {
    {"Edit1", 366, 46, "50000", 0}, {"Edit2", 366, 85, "10000", 2}, {"Edit9", 366, 124, "8.5", 4},
    {"Edit10", 365, 163, "3.0", 5}, {"Edit8", 365, 202, "6.0", 6},  {"Edit11", 365, 241, "25", 7},
};

const FieldSpec ResultFields[] = {
    {"Edit3", 347, 16, "500000", 0},
    {"Edit4", 347, 72, "300000", 1},
    {"Edit5", 347, 128, "40000", 2},
    {"Edit6", 347, 185, "20", 3},
};

constexpr QSize FieldSize{113, 27};

// A label that sizes itself to its text and paints its own background.
// Without a buddy, QLabel shows "&" as it is.
QLabel* MakeLabel(QWidget* parent, const LabelSpec& design) {
    auto* label = new QLabel(QString::fromLatin1(design.caption), parent);
    label->setObjectName(design.name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(ArialBold16());
    label->setAutoFillBackground(true);
    label->move(design.left, design.top);
    label->adjustSize();
    return label;
}

// A screen reader names each field after the label beside it.
QLineEdit* MakeField(QWidget* parent, const FieldSpec& design, const LabelSpec* labels,
                     const QPalette& colours) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(design.name);
    field->setAccessibleName(SpokenName(QString::fromLatin1(labels[design.label].caption)));
    field->setFont(ArialBold16());
    field->setPalette(colours);
    field->setGeometry(QRect(QPoint(design.left, design.top), FieldSize));
    // The text last, so that it is laid out once, in the field's own font.
    field->setText(QString::fromLatin1(design.text));
    return field;
}

QPalette WithColours(QPalette palette, const QColor& text, const QColor& background) {
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, background);
    return palette;
}

}  // namespace

QString SpokenName(const QString& caption) {
    QString name = caption.simplified();
    while (!name.isEmpty() && QStringLiteral(".$% ").contains(name.back())) name.chop(1);
    return name;
}

NestoraLayout BuildNestoraLayout(QMainWindow& window) {
    NestoraLayout ui;

    // The menu stays inside the window (no global menu), in the desktop's
    // menu font rather than the window's own.
    ui.MainMenu = window.menuBar();
    ui.MainMenu->setObjectName("MainMenu");
    ui.MainMenu->setNativeMenuBar(false);
    ui.MainMenu->setFont(QApplication::font("QMenuBar"));
    ui.File1 = ui.MainMenu->addMenu("&File");
    ui.File1->setObjectName("File1");
    ui.File1->setFont(QApplication::font("QMenu"));
    ui.Exit1 = ui.File1->addAction("&Exit");
    ui.Exit1->setObjectName("Exit1");
    ui.Help1 = ui.MainMenu->addAction("&Help");
    ui.Help1->setObjectName("Help1");
    ui.TobrelHomePage1 = ui.MainMenu->addAction("&Tobrel Home Page");
    ui.TobrelHomePage1->setObjectName("TobrelHomePage1");

    // The client area: the application workspace colour behind every label.
    auto* client = new QWidget(&window);
    client->setObjectName("NestoraClient");
    QPalette workspace = client->palette();
    workspace.setColor(QPalette::Window, QApplication::palette().color(QPalette::Dark));
    client->setPalette(workspace);
    client->setAutoFillBackground(true);
    client->setFixedSize(NestoraClientSize);
    window.setCentralWidget(client);

    ui.Label1 = new QLabel("Nestora", client);
    ui.Label1->setObjectName("Label1");
    ui.Label1->setTextFormat(Qt::PlainText);
    ui.Label1->setFont(TitleFont());
    ui.Label1->setAlignment(Qt::AlignCenter);
    ui.Label1->setAutoFillBackground(true);
    ui.Label1->setGeometry(68, 4, 229, 36);

    for (const LabelSpec& design : WindowLabels) {
        MakeLabel(client, design);
    }

    const QPalette entryColours = WithColours(
        client->palette(), QApplication::palette().color(QPalette::WindowText), EntryBackground);
    QLineEdit* entries[6];
    for (int i = 0; i < 6; ++i) {
        entries[i] = MakeField(client, EntryFields[i], WindowLabels, entryColours);
    }
    ui.Edit1 = entries[0];
    ui.Edit2 = entries[1];
    ui.Edit9 = entries[2];
    ui.Edit10 = entries[3];
    ui.Edit8 = entries[4];
    ui.Edit11 = entries[5];

    // The result panel: grey, a one-pixel raised bevel, navy captions and
    // read-only aqua fields that can still take the focus and be copied from.
    ui.Panel1 = new QFrame(client);
    ui.Panel1->setObjectName("Panel1");
    ui.Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ui.Panel1->setLineWidth(1);
    QPalette grey = ui.Panel1->palette();
    grey.setColor(QPalette::Window, PanelGrey);
    grey.setColor(QPalette::WindowText, PanelText);
    // A raised bevel draws its top and left edge in Light and its bottom and
    // right edge in Dark, which the window's own grey would otherwise hide.
    grey.setColor(QPalette::Dark, PanelShadow);
    ui.Panel1->setPalette(grey);
    ui.Panel1->setAutoFillBackground(true);
    ui.Panel1->setGeometry(12, 285, 477, 225);
    for (const LabelSpec& design : PanelLabels) {
        MakeLabel(ui.Panel1, design);
    }
    const QPalette resultColours = WithColours(grey, ResultText, ResultBackground);
    QLineEdit* results[4];
    for (int i = 0; i < 4; ++i) {
        results[i] = MakeField(ui.Panel1, ResultFields[i], PanelLabels, resultColours);
        results[i]->setReadOnly(true);
    }
    ui.Edit3 = results[0];
    ui.Edit4 = results[1];
    ui.Edit5 = results[2];
    ui.Edit6 = results[3];

    // Tab runs from Edit1 through the panel's fields, then down the rest of
    // the entries and round to Edit1 again.
    QWidget* const order[] = {ui.Edit1, ui.Edit3, ui.Edit4,  ui.Edit5, ui.Edit6,
                              ui.Edit2, ui.Edit9, ui.Edit10, ui.Edit8, ui.Edit11};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }

    // The window is exactly the menu bar over the client area; the user
    // cannot resize it.
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    return ui;
}

}  // namespace nestora

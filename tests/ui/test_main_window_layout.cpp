// SPDX-License-Identifier: MIT
// The main window as designed: every control's name, place, caption, font
// and colours, the menu, the fixed size and the Tab order.
#include <QAction>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "ui/fonts.h"
#include "ui/nestora_layout.h"
#include "ui/window_fixture.h"

namespace nestora::testing {
namespace {

struct LabelRow {
    const char* name;
    const char* parent;
    const char* caption;
    int left;
    int top;
    int designedWidth;
};

const LabelRow Labels[] = {
    {"Label2", "NestoraClient", "Current Long Term Savings & Investments", 11, 51, 323},
    {"Label3", "NestoraClient", "$", 354, 50, 9},
    {"Label4", "NestoraClient", "Planned Annual Additional Savings", 11, 89, 266},
    {"Label5", "NestoraClient", "$", 354, 90, 9},
    {"Label12", "NestoraClient", "Estimated Investment  Return  (Percent)         %", 11, 127, 353},
    {"Label13", "NestoraClient", "Estimated Ave Inflation Rate (Percent)             % ", 11, 166,
     356},
    {"Label11", "NestoraClient", "Planned Annual Retirement Draw (Percent)   %", 11, 204, 352},
    {"Label14", "NestoraClient", "Years Remaining Before Retirement", 11, 243, 270},
    {"Label6", "Panel1", "Dollar Savings Available at Retimement......$", 16, 20, 328},
    {"Label7", "Panel1", "Saving Adjusted for Inflation..........................$", 16, 77, 327},
    {"Label9", "Panel1", "Annual Draw Adjusted for Inflation...............$", 16, 133, 328},
    {"Label8", "Panel1", "Number of Retirment  Years Provided for.......", 16, 189, 333},
};

struct FieldRow {
    const char* name;
    const char* parent;
    int left;
    int top;
    const char* designedText;
    bool readOnly;
};

const FieldRow Fields[] = {
    {"Edit1", "NestoraClient", 366, 46, "50000", false},
    {"Edit2", "NestoraClient", 366, 85, "10000", false},
    {"Edit9", "NestoraClient", 366, 124, "8.5", false},
    {"Edit10", "NestoraClient", 365, 163, "3.0", false},
    {"Edit8", "NestoraClient", 365, 202, "6.0", false},
    {"Edit11", "NestoraClient", 365, 241, "25", false},
    {"Edit3", "Panel1", 347, 16, "500000", true},
    {"Edit4", "Panel1", 347, 72, "300000", true},
    {"Edit5", "Panel1", 347, 128, "40000", true},
    {"Edit6", "Panel1", 347, 185, "20", true},
};

void ExpectArialBold16(const QWidget& widget) {
    EXPECT_EQ(widget.font().pixelSize(), 16) << widget.objectName().toStdString();
    EXPECT_TRUE(widget.font().bold()) << widget.objectName().toStdString();
    // fonts-liberation's alias makes "Arial" the metric-compatible face.
    EXPECT_EQ(QFontInfo(widget.font()).family(), "Liberation Sans");
}

using MainWindowLayout = WindowTest;

TEST_F(MainWindowLayout, LabelsKeepTheirPlaceCaptionFontAndColours) {
    // A settings file that cannot be read leaves the designed texts in view.
    create();
    const QColor windowText = QApplication::palette().color(QPalette::WindowText);
    const QColor workspace = QApplication::palette().color(QPalette::Dark);
    for (const LabelRow& row : Labels) {
        SCOPED_TRACE(row.name);
        auto* label = window->findChild<QLabel*>(row.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget()->objectName(), row.parent);
        EXPECT_EQ(label->text(), row.caption);
        EXPECT_EQ(label->pos(), QPoint(row.left, row.top));
        ExpectArialBold16(*label);
        EXPECT_TRUE(label->autoFillBackground());
        // The label sizes itself to its text; in the metric-compatible face
        // it comes out within a few pixels of the design.
        EXPECT_NEAR(label->width(), row.designedWidth, 4);
        EXPECT_NEAR(label->height(), 19, 1);
        const bool onPanel = std::string(row.parent) == "Panel1";
        EXPECT_EQ(label->palette().color(QPalette::WindowText), onPanel ? PanelText : windowText);
        EXPECT_EQ(label->palette().color(QPalette::Window), onPanel ? PanelGrey : workspace);
    }
}

TEST_F(MainWindowLayout, AmpersandShowsLiterallyAndNoLabelTakesAnAccessKey) {
    create();
    auto* label = window->findChild<QLabel*>("Label2");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->buddy(), nullptr);
    // Had the "&" been taken for an access key, the label would be the
    // width of the caption without it.
    const QFontMetrics metrics(label->font());
    EXPECT_GE(label->sizeHint().width(),
              metrics.horizontalAdvance("Current Long Term Savings & Investments"));
    EXPECT_GT(label->sizeHint().width(),
              metrics.horizontalAdvance("Current Long Term Savings  Investments") + 5);
}

TEST_F(MainWindowLayout, TitleIsCentredInItsBoxInAScriptFace) {
    create();
    auto* title = window->findChild<QLabel*>("Label1");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Nestora");
    EXPECT_EQ(title->geometry(), QRect(68, 4, 229, 36));
    EXPECT_EQ(title->alignment(), Qt::AlignCenter);
    const QFont font = title->font();
    EXPECT_EQ(font.pixelSize(), 32);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_EQ(font, TitleFont());
    EXPECT_EQ(QFontInfo(font).family(), "Dancing Script");
}

TEST_F(MainWindowLayout, FieldsKeepTheirPlaceSizeFontAndColours) {
    create();
    const QColor windowText = QApplication::palette().color(QPalette::WindowText);
    for (const FieldRow& row : Fields) {
        SCOPED_TRACE(row.name);
        QLineEdit& field = edit(row.name);
        EXPECT_EQ(field.parentWidget()->objectName(), row.parent);
        EXPECT_EQ(field.geometry(), QRect(row.left, row.top, 113, 27));
        ExpectArialBold16(field);
        EXPECT_EQ(field.isReadOnly(), row.readOnly);
        // Read-only result fields still take the focus, so they can be copied from.
        EXPECT_TRUE(field.focusPolicy() & Qt::TabFocus);
        EXPECT_TRUE(field.hasFrame());
        EXPECT_EQ(field.palette().color(QPalette::Base),
                  row.readOnly ? ResultBackground : EntryBackground);
        EXPECT_EQ(field.palette().color(QPalette::Text), row.readOnly ? ResultText : windowText);
    }
}

TEST_F(MainWindowLayout, DesignedTextsAreWhatTheFieldsHoldBeforeLoading) {
    QMainWindow bare;
    BuildNestoraLayout(bare);
    for (const FieldRow& row : Fields) {
        auto* field = bare.findChild<QLineEdit*>(row.name);
        ASSERT_NE(field, nullptr) << row.name;
        EXPECT_EQ(field->text().toStdString(), row.designedText) << row.name;
    }
}

TEST_F(MainWindowLayout, ResultPanelIsGreyWithARaisedBevel) {
    create();
    auto* panel = window->findChild<QFrame*>("Panel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(12, 285, 477, 225));
    EXPECT_EQ(panel->frameShape(), QFrame::Panel);
    EXPECT_EQ(panel->frameShadow(), QFrame::Raised);
    EXPECT_EQ(panel->lineWidth(), 1);
    EXPECT_TRUE(panel->autoFillBackground());
    EXPECT_EQ(panel->palette().color(QPalette::Window), PanelGrey);

    // As drawn: a light top and left edge, a bottom and right edge darker
    // than both the panel and the workspace around it, grey inside.
    const QImage drawn = panel->grab().toImage();
    const QColor workspace = window->centralWidget()->palette().color(QPalette::Window);
    for (int y : {1, 100, 223}) {
        EXPECT_EQ(drawn.pixel(0, y), panel->palette().color(QPalette::Light).rgb()) << y;
        EXPECT_EQ(drawn.pixel(476, y), PanelShadow.rgb()) << y;
        EXPECT_EQ(drawn.pixel(2, y), PanelGrey.rgb()) << y;
    }
    for (int x : {1, 200, 475}) {
        EXPECT_EQ(drawn.pixel(x, 0), panel->palette().color(QPalette::Light).rgb()) << x;
        EXPECT_EQ(drawn.pixel(x, 224), PanelShadow.rgb()) << x;
    }
    EXPECT_LT(PanelShadow.lightness(), PanelGrey.lightness());
    EXPECT_LT(PanelShadow.lightness(), workspace.lightness());
}

TEST_F(MainWindowLayout, WindowHasItsCaptionIconFixedSizeAndClientArea) {
    start();
    EXPECT_EQ(window->objectName(), "NestoraF");
    EXPECT_EQ(window->windowTitle(), "Tobrel");
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    QWidget* client = window->centralWidget();
    EXPECT_EQ(client->size(), QSize(510, 530));
    EXPECT_EQ(window->height(), window->menuBar()->height() + 530);
    EXPECT_EQ(client->y(), window->menuBar()->height());
    EXPECT_EQ(client->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Dark));
    // The window's own handwriting face, which nothing visible uses: the
    // menu keeps the desktop's menu font.
    EXPECT_EQ(window->font(), HandwritingFont());
    EXPECT_EQ(window->font().pixelSize(), 35);
    for (QWidget* menu : {static_cast<QWidget*>(window->menuBar()),
                          static_cast<QWidget*>(window->findChild<QMenu*>("File1"))}) {
        SCOPED_TRACE(menu->metaObject()->className());
        const QFont menuFont = QApplication::font(menu);
        EXPECT_EQ(menu->font().family(), menuFont.family());
        EXPECT_EQ(menu->font().pointSizeF(), menuFont.pointSizeF());
        EXPECT_EQ(menu->font().weight(), menuFont.weight()) << "not the window's bold";
        EXPECT_EQ(menu->font().italic(), menuFont.italic());
    }
}

TEST_F(MainWindowLayout, MenuBarHoldsFileWithExitThenThreeImmediateItems) {
    create();
    auto* bar = window->findChild<QMenuBar*>("MainMenu");
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isNativeMenuBar());
    const QList<QAction*> items = bar->actions();
    ASSERT_EQ(items.size(), 4);
    auto* file = window->findChild<QMenu*>("File1");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(items[0], file->menuAction());
    EXPECT_EQ(items[0]->text(), "&File");
    // Beyond the design, Open Plan…, Save Plan As… and a line come before Exit.
    ASSERT_EQ(file->actions().size(), 4);
    EXPECT_EQ(file->actions()[3]->objectName(), "Exit1");
    EXPECT_EQ(file->actions()[3]->text(), "&Exit");
    EXPECT_EQ(items[1]->objectName(), "Help1");
    EXPECT_EQ(items[1]->text(), "&Help");
    EXPECT_EQ(items[1]->menu(), nullptr);
    EXPECT_EQ(items[2]->objectName(), "TobrelHomePage1");
    EXPECT_EQ(items[2]->text(), "&Tobrel Home Page");
    EXPECT_EQ(items[2]->menu(), nullptr);
    // Beyond the designed three: the schedule behind the results.
    EXPECT_EQ(items[3]->objectName(), "YearByYear1");
    EXPECT_EQ(items[3]->text(), "&Year by Year");
    EXPECT_EQ(items[3]->menu(), nullptr);
}

TEST_F(MainWindowLayout, TabRunsThroughTheResultsBeforeTheOtherEntries) {
    start();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const char* const order[] = {"Edit1", "Edit3",  "Edit4", "Edit5",  "Edit6", "Edit2",
                                 "Edit9", "Edit10", "Edit8", "Edit11", "Edit1"};
    ASSERT_EQ(QApplication::focusWidget(), &edit("Edit1"));
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QLineEdit& now = edit(order[i]);
        ASSERT_EQ(QApplication::focusWidget(), &now) << "after " << order[i - 1];
        // Entering a field from the keyboard selects its whole text.
        EXPECT_EQ(now.selectedText(), now.text()) << order[i];
    }
    for (std::size_t i = std::size(order) - 1; i > 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), &edit(order[i - 1]))
            << "Shift+Tab from " << order[i];
    }
}

TEST_F(MainWindowLayout, ClickingAFieldPlacesTheCaretInsteadOfSelecting) {
    start();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QLineEdit& years = edit("Edit11");
    QTest::mouseClick(&years, Qt::LeftButton, {}, QPoint(3, years.height() / 2));
    EXPECT_EQ(QApplication::focusWidget(), &years);
    EXPECT_FALSE(years.hasSelectedText());
    EXPECT_EQ(years.cursorPosition(), 0);
}

}  // namespace
}  // namespace nestora::testing

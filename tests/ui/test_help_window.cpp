// SPDX-License-Identifier: MIT
// The help window: its text box and text, where it first appears, and that
// there is only ever one, hidden rather than closed.
#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <vector>

#include "design/maker.h"
#include "ui/help_text.h"
#include "ui/window_fixture.h"

namespace nestora::testing {
namespace {

TEST(HelpPlacement, CentresOnTheDesktopTruncatingAndNeverNegative) {
    struct Row {
        QSize desktop;
        QPoint place;
    };
    const Row rows[] = {
        {{1280, 1024}, {435, 142}},  {{1920, 1080}, {755, 170}},
        {{3840, 1080}, {1715, 170}},  // two monitors side by side
        {{1281, 1025}, {435, 142}},   // odd remainders are dropped
        {{800, 600}, {195, 0}},       // shorter than the window: top 0
        {{411, 741}, {0, 0}},        {{300, 200}, {0, 0}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(HelpPlacement(row.desktop), row.place)
            << row.desktop.width() << "x" << row.desktop.height();
    }
}

TEST(HelpText, FollowsItsLineGroups) {
    const QStringList lines = HelpLines();
    ASSERT_EQ(lines.size(), 43);
    EXPECT_EQ(lines[1], "        INSTRUCTIONS FOR TOBREL NESTORA");
    EXPECT_EQ(lines[12], "PROGRAM INPUTS:");
    const QStringList inputs = {
        "  1-Current Long Term Savings and Investments.",
        "  2-Planned Annual Additional Savings.",
        "  3-Estimated Average Investment  Return. Typical 5-9%",
        "  4-Estimated Ave Inflation Rate. Typical 3%",
        "  5-Planned Annual Retirement Draw Percent.",
    };
    EXPECT_EQ(lines.mid(15, 5), inputs);
    EXPECT_TRUE(lines[20].startsWith("  Note:"));
    EXPECT_EQ(lines[22], "  6-Years Remaining Before Retirement.");
    EXPECT_EQ(lines[24], "PROGRAM RESULTS:");
    EXPECT_EQ(lines[26], "  1-Dollar Savings Available at Retirement.");
    EXPECT_EQ(lines[27], "  2-Saving at Retirement Adjusted for Inflation.");
    EXPECT_TRUE(lines[28].startsWith("  3-Annual Draw Adjusted for Inflation."));
    EXPECT_EQ(lines[30], "  4-Number of Retirement Years Provided for.");
    EXPECT_TRUE(lines[32].startsWith("  NOTE:"));
    EXPECT_EQ(lines[35], "TOBREL HOME PAGE:");
    EXPECT_EQ(lines[36], QString("    ") + MakerHomePage);
    EXPECT_EQ(lines[38], "TOBREL EMAIL:");
    EXPECT_EQ(lines[39], QString("    ") + MakerEmail);
    for (int blank : {0, 2, 11, 14, 23, 25, 31, 34, 37, 40, 41, 42}) {
        EXPECT_EQ(lines[blank], "") << "line " << blank + 1;
    }
}

class HelpWindowTest : public WindowTest {
  protected:
    QPlainTextEdit& memo() const { return *help->Memo1; }
};

TEST_F(HelpWindowTest, IsBuiltAsDesignedAndHidden) {
    create();
    EXPECT_FALSE(help->isVisible());
    EXPECT_EQ(help->objectName(), "NestoraFhelp");
    EXPECT_EQ(help->windowTitle(), "Tobrel  Help");
    EXPECT_FALSE(help->windowIcon().isNull());
    EXPECT_EQ(help->minimumSize(), help->maximumSize());
    EXPECT_EQ(help->font().pixelSize(), 13);
    EXPECT_FALSE(help->font().bold());
    EXPECT_EQ(memo().objectName(), "Memo1");
    EXPECT_EQ(memo().geometry(), QRect(16, 15, 361, 673));
    EXPECT_EQ(memo().font(), help->font());
    EXPECT_TRUE(memo().isReadOnly());
    EXPECT_EQ(memo().lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(memo().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(memo().verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(memo().palette().color(QPalette::Base), QColor(0xC0, 0xDC, 0xC0));
    // The sunken two-pixel border of a text box, not the style's flat line.
    EXPECT_EQ(memo().frameShape(), QFrame::WinPanel);
    EXPECT_EQ(memo().frameShadow(), QFrame::Sunken);
    EXPECT_EQ(memo().frameWidth(), 2);
    const QImage drawn = memo().grab().toImage();
    const QPalette& colours = memo().palette();
    EXPECT_EQ(drawn.pixel(0, 300), colours.color(QPalette::Dark).rgb());
    EXPECT_EQ(drawn.pixel(1, 300), colours.color(QPalette::Shadow).rgb());
    EXPECT_EQ(drawn.pixel(360, 300), colours.color(QPalette::Light).rgb());
    EXPECT_EQ(drawn.pixel(359, 300), colours.color(QPalette::Midlight).rgb());
    EXPECT_EQ(memo().toPlainText(), HelpText());
    EXPECT_EQ(memo().document()->blockCount(), 43);
}

TEST_F(HelpWindowTest, FirstShowingIsCentredWithTheCaretAtTheStart) {
    start();
    window->controls().Help1->trigger();
    ASSERT_TRUE(help->isVisible());
    const QSize screens = QGuiApplication::primaryScreen()->virtualGeometry().size();
    EXPECT_EQ(help->pos(), HelpPlacement(screens));
    ASSERT_TRUE(QTest::qWaitForWindowActive(help.get()));
    EXPECT_EQ(QApplication::focusWidget(), &memo());
    EXPECT_EQ(memo().textCursor().position(), 0);
    EXPECT_FALSE(memo().textCursor().hasSelection());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(WindowTest, WithoutAHelpWindowTheFirstHelpMakesOneAndLaterOnesShowIt) {
    window = std::make_unique<TNestoraF>(desktop, SettingsLocation{settings.path(), {}});
    window->show();
    const auto shownHelp = [] {
        std::vector<TNestoraFhelp*> shown;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* made = qobject_cast<TNestoraFhelp*>(top);
                made != nullptr && made->isVisible())
                shown.push_back(made);
        return shown;
    };
    EXPECT_TRUE(shownHelp().empty());
    window->controls().Help1->trigger();
    const std::vector<TNestoraFhelp*> first = shownHelp();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0]->Memo1->toPlainText(), HelpText());
    first[0]->close();
    window->controls().Help1->trigger();
    EXPECT_EQ(shownHelp(), first);
}

TEST_F(HelpWindowTest, EveryLineFitsTheBoxWithoutWrapping) {
    start();
    window->controls().Help1->trigger();
    for (QTextBlock block = memo().document()->begin(); block.isValid(); block = block.next()) {
        EXPECT_EQ(block.layout()->lineCount(), 1) << block.text().toStdString();
    }
}

TEST_F(HelpWindowTest, ThereIsOnlyEverOneAndItKeepsWhereItWasLeft) {
    start();
    window->controls().Help1->trigger();
    window->activateWindow();
    window->controls().Help1->trigger();
    int helpWindows = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        helpWindows += qobject_cast<TNestoraFhelp*>(top) != nullptr && top->isVisible();
    }
    EXPECT_EQ(helpWindows, 1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(help.get()));

    help->move(50, 60);
    help->close();
    EXPECT_FALSE(help->isVisible());
    EXPECT_TRUE(window->isVisible());
    window->controls().Help1->trigger();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->pos(), QPoint(50, 60));
}

TEST_F(HelpWindowTest, TextRefusesEditsButCanBeSelectedAndCopied) {
    start();
    window->controls().Help1->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help.get()));
    QTest::keyClicks(&memo(), "typed");
    QTest::keyClick(&memo(), Qt::Key_Delete);
    QTest::keyClick(&memo(), Qt::Key_Backspace);
    QApplication::clipboard()->setText("pasted");
    QTest::keyClick(&memo(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo().toPlainText(), HelpText());

    // The caret moves with the keyboard and Shift extends a selection.
    QTest::keyClick(&memo(), Qt::Key_Down);
    QTest::keyClick(&memo(), Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(memo().textCursor().selectedText(), HelpLines()[1]);
    QTest::keyClick(&memo(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), HelpLines()[1]);
}

}  // namespace
}  // namespace nestora::testing

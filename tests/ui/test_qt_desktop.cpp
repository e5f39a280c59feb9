// SPDX-License-Identifier: MIT
// The real message boxes, inspected while they show and closed by a key.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "ui/qt_desktop.h"
#include "ui/qt_test_support.h"

namespace nestora::testing {
namespace {

struct Seen {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool okIsDefaultAndEscape = false;
    Qt::WindowModality modality = Qt::NonModal;
    Qt::WindowFlags flags;
    bool okHasIcon = true;
    QRect frame;
};

Seen Inspect(QWidget& modal) {
    Seen seen;
    auto* box = qobject_cast<QMessageBox*>(&modal);
    if (box == nullptr) {
        return seen;
    }
    seen.shown = true;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = static_cast<int>(box->buttons().size());
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    seen.okIsDefaultAndEscape =
        ok != nullptr && box->defaultButton() == ok && box->escapeButton() == ok;
    seen.modality = box->windowModality();
    seen.flags = box->windowFlags();
    seen.okHasIcon = ok != nullptr && !ok->icon().isNull();
    seen.frame = box->frameGeometry();
    return seen;
}

QRect ScreenArea() { return QGuiApplication::primaryScreen()->geometry(); }

void ExpectADialogWithoutMinMaxOrButtonIcon(const Seen& seen) {
    EXPECT_EQ(seen.flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_TRUE(seen.flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(seen.flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(seen.flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(seen.flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(seen.okHasIcon);
}

TEST(CentredFrame, SplitsTheSpareRoomTruncatingOnAnyScreen) {
    struct Row {
        QSize outer;
        QRect screen;
        QPoint corner;
    };
    const Row rows[] = {
        {{284, 105}, {0, 0, 1280, 1024}, {498, 459}},
        {{285, 106}, {0, 0, 1280, 1024}, {497, 459}},      // odd remainders are dropped
        {{284, 105}, {1280, 0, 1920, 1080}, {2098, 487}},  // the right-hand monitor
        {{2000, 105}, {0, 0, 1280, 1024}, {-360, 459}},    // wider than the screen
    };
    for (const Row& row : rows) {
        EXPECT_EQ(CentredFrame(row.outer, row.screen), row.corner)
            << row.outer.width() << "x" << row.outer.height();
    }
}

// How the modal box is closed: the key pressed on it.
struct ClosingKey {
    const char* name;
    int key;
};

// A failing row prints its name (gtest prints a row through PrintTo).
void PrintTo(const ClosingKey& row, std::ostream* os) { *os << row.name; }

class QtDesktopTest : public ::testing::TestWithParam<ClosingKey> {
  protected:
    void SetUp() override { App(); }
    QtDesktop desktop;
    Seen seen;
};

TEST_P(QtDesktopTest, WarningBoxIsCentredModalAndClosedByEnterOrEscape) {
    WhenModalShows([this](QWidget& modal) { seen = Inspect(modal); }, GetParam().key);
    desktop.warning("Error in Inflation Rate entry.");
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Warning");
    EXPECT_EQ(seen.text, "Error in Inflation Rate entry.");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.okIsDefaultAndEscape);
    EXPECT_EQ(seen.modality, Qt::ApplicationModal);
    ExpectADialogWithoutMinMaxOrButtonIcon(seen);
    EXPECT_EQ(seen.frame.topLeft(), CentredFrame(seen.frame.size(), ScreenArea()));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_P(QtDesktopTest, ErrorBoxShowsTheStopIconTitleAndMessageAsGiven) {
    WhenModalShows([this](QWidget& modal) { seen = Inspect(modal); }, GetParam().key);
    desktop.errorBox("Nestora", "<b>Floating point overflow.</b>");
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Nestora");
    // Plain text: a message is never taken for markup.
    EXPECT_EQ(seen.text, "<b>Floating point overflow.</b>");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.okIsDefaultAndEscape);
    ExpectADialogWithoutMinMaxOrButtonIcon(seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// One edit can fault twice: the first box belongs to the main window, the
// second comes up before that window is active again. Both sit in the
// middle of the screen, not over their owner.
TEST(ErrorBoxPlacement, EveryBoxOfADoubleFaultIsCentredOnTheScreen) {
    App();
    QWidget owner;
    owner.setGeometry(0, 0, 200, 100);
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    QtDesktop desktop;
    Seen first;
    Seen second;
    WhenModalShows([&](QWidget& modal) { first = Inspect(modal); }, Qt::Key_Return);
    desktop.errorBox("Nestora", "Invalid floating point operation.");
    WhenModalShows([&](QWidget& modal) { second = Inspect(modal); }, Qt::Key_Return);
    desktop.errorBox("Nestora", "Invalid floating point operation.");
    ASSERT_TRUE(first.shown);
    ASSERT_TRUE(second.shown);
    EXPECT_EQ(first.frame.topLeft(), CentredFrame(first.frame.size(), ScreenArea()));
    EXPECT_EQ(second.frame, first.frame);
}

INSTANTIATE_TEST_SUITE_P(ClosedBy, QtDesktopTest,
                         ::testing::Values(ClosingKey{"Enter", Qt::Key_Return},
                                           ClosingKey{"Escape", Qt::Key_Escape}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace nestora::testing

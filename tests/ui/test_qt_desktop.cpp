// SPDX-License-Identifier: MIT
// The real message boxes, inspected while they show and closed by a key.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

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
    QPoint centre;
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
    seen.centre = box->frameGeometry().center();
    return seen;
}

class QtDesktopTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override { App(); }
    QtDesktop desktop;
    Seen seen;
};

TEST_P(QtDesktopTest, WarningBoxIsCentredModalAndClosedByEnterOrEscape) {
    WhenModalShows([this](QWidget& modal) { seen = Inspect(modal); }, GetParam());
    desktop.warning("Error in Inflation Rate entry.");
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Warning");
    EXPECT_EQ(seen.text, "Error in Inflation Rate entry.");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.okIsDefaultAndEscape);
    EXPECT_EQ(seen.modality, Qt::ApplicationModal);
    const QPoint screenCentre = QGuiApplication::primaryScreen()->geometry().center();
    EXPECT_LE((seen.centre - screenCentre).manhattanLength(), 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_P(QtDesktopTest, ErrorBoxShowsTheStopIconTitleAndMessageAsGiven) {
    WhenModalShows([this](QWidget& modal) { seen = Inspect(modal); }, GetParam());
    desktop.errorBox("Nestora", "<b>Floating point overflow.</b>");
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, "Nestora");
    // Plain text: a message is never taken for markup.
    EXPECT_EQ(seen.text, "<b>Floating point overflow.</b>");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.okIsDefaultAndEscape);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(ClosedBy, QtDesktopTest, ::testing::Values(Qt::Key_Return, Qt::Key_Escape),
                         [](const ::testing::TestParamInfo<int>& key) {
                             return key.param == Qt::Key_Return ? std::string("Enter")
                                                                : std::string("Escape");
                         });

}  // namespace
}  // namespace nestora::testing

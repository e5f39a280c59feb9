// SPDX-License-Identifier: MIT
// The life of the main window: the two loads at start-up, the focus, the menu
// commands, and the save on every way of closing.
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "design/maker.h"
#include "support/first_run.h"
#include "ui/window_fixture.h"

namespace nestora::testing {
namespace {

std::string File(int top, int left, const char* savings, const char* annual, const char* ret,
                 const char* inflation, const char* draw, int years) {
    return std::to_string(top) + "\r\n" + std::to_string(left) + "\r\n" + savings + "\r\n" +
           annual + "\r\n" + ret + "\r\n" + inflation + "\r\n" + draw + "\r\n" +
           std::to_string(years) + "\r\n";
}

using MainWindowLife = WindowTest;

TEST_F(MainWindowLife, FirstRunShowsTheDefaultsAndTheirProjectionAtTenTen) {
    start();
    EXPECT_EQ(window->pos(), QPoint(10, 10));
    EXPECT_EQ(entryTexts(), DefaultEntryTexts);
    EXPECT_EQ(resultTexts(), DefaultResultTexts);
    EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(MainWindowLife, FocusStartsInEdit1WithItsTextSelected) {
    start();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), &edit("Edit1"));
    EXPECT_EQ(edit("Edit1").selectedText(), "65000");
    // Typing replaces the whole entry.
    QTest::keyClicks(&edit("Edit1"), "70000");
    EXPECT_EQ(text("Edit1"), "70000");
    EXPECT_EQ(text("Edit3"), "817006");
}

TEST_F(MainWindowLife, SavedPositionIsUsedAsItIsEvenOutOfView) {
    settings.write(File(-3000, 5000, "65000", "12000", "0.075", "0.03", "0.065", 20));
    start();
    EXPECT_EQ(window->pos(), QPoint(5000, -3000));
    EXPECT_EQ(window->controls().Edit1->text(), "65000");
}

TEST_F(MainWindowLife, ShowingReadsTheFileAgainSoThePlanKeepsItsUnroundedValues) {
    settings.write(File(20, 30, "65000", "12000", "0.085555", "0.03", "0.065", 20));
    create();
    // The first load parsed the shown "8.56" back into the plan.
    EXPECT_EQ(text("Edit9"), "8.56");
    EXPECT_EQ(window->planner().plan.InvestmentReturn, 8.56L / 100);
    const std::string createdResult = text("Edit3");

    window->show();
    EXPECT_EQ(text("Edit9"), "8.56");
    EXPECT_LT(std::fabs(fp::toDouble(window->planner().plan.InvestmentReturn) - 0.085555), 1e-15);
    EXPECT_NE(text("Edit3"), createdResult) << "results come from 0.085555, not 8.56 %";
    EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(MainWindowLife, ShowingPlacesTheWindowFromTheFileAsItIsThen) {
    settings.write(File(20, 30, "1", "2", "0.01", "0.02", "0.03", 4));
    create();
    EXPECT_EQ(window->pos(), QPoint(30, 20));
    settings.write(File(200, 300, "1", "2", "0.01", "0.02", "0.03", 4));
    window->show();
    EXPECT_EQ(window->pos(), QPoint(300, 200));
}

TEST_F(MainWindowLife, UnreadableFileShowsTheErrorTwiceThenThePlanItComputesWith) {
    settings.write("10\r\n10\r\nabc\r\n");
    start();
    const std::string box =
        window->title() + "|Invalid numeric input.\n\n" + DamagedCopyNote(settings.path());
    EXPECT_EQ(desktop.errors(), (std::vector<std::string>{box, box}));
    EXPECT_EQ(window->pos(), QPoint(-1, 157));
    EXPECT_TRUE(window->isVisible());
    // The plan is the default one with the savings the failed parse of "abc"
    // left (0), and that is what the fields show and the results compute:
    // 0 saved, 12000 a year at 7.5 % for 20 years, 3 % inflation, 6.5 % draw.
    EXPECT_EQ(entryTexts(), (EntryTexts{"0", "12000", "7.5", "3", "6.5", "20"}));
    EXPECT_EQ(resultTexts(), (ResultTexts{"519656", "287721", "18702", "26"}));
    edit("Edit11").setText("21");
    EXPECT_EQ(resultTexts(), (ResultTexts{"570630", "306742", "19938", "26"}));
}

TEST_F(MainWindowLife, FirstSaveAfterADamagedStartKeepsTheDamagedFile) {
    const std::string damaged = "10\r\n10\r\nabc\r\n";
    settings.write(damaged);
    start();
    window->controls().Exit1->trigger();
    EXPECT_FALSE(window->isVisible());
    QFile kept(QString::fromStdString(DamagedCopyPath(settings.path())));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll().toStdString(), damaged);
    EXPECT_EQ(settings.read().substr(0, 9), "157\r\n-1\r\n") << "where the window stayed";
    EXPECT_NE(settings.read(), damaged);

    // A sound start never touches the kept copy.
    kept.close();
    ASSERT_TRUE(kept.remove());
    window.reset();
    start();
    edit("Edit11").setText("30");
    window->close();
    EXPECT_FALSE(kept.exists());
}

TEST_F(MainWindowLife, ExitWritesTheSettingsAndClosesTheWindow) {
    start();
    window->controls().Exit1->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(settings.read(), DefaultSettingsFile);
}

TEST_F(MainWindowLife, EveryWayOfClosingRunsTheSave) {
    // The close box, Alt+F4 and the taskbar all arrive as a close event.
    start();
    window->move(40, 50);
    edit("Edit11").setText("30");
    QCloseEvent event;
    QApplication::sendEvent(window.get(), &event);
    EXPECT_TRUE(event.isAccepted());
    const std::string saved = settings.read();
    EXPECT_EQ(saved.substr(0, 8), "50\r\n40\r\n");
    EXPECT_EQ(saved.substr(saved.size() - 4), "30\r\n");
}

TEST_F(MainWindowLife, FailedSaveShowsTheErrorAndKeepsTheWindowOpenUntilItWorks) {
    // The settings file's name is taken by a folder: it counts as absent at
    // start-up and cannot be written at close.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(settings.path())));
    start();
    EXPECT_TRUE(desktop.calls.empty());

    // After the error box, the question; "Keep Open" keeps the window.
    window->controls().Exit1->trigger();
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(desktop.errors().size(), 1u);
    EXPECT_EQ(desktop.errors()[0], window->title() + "|File access denied.");
    ASSERT_EQ(desktop.questions().size(), 1u);
    EXPECT_EQ(desktop.calls.back().rfind("ask: Plan not saved|", 0), 0u);
    EXPECT_NE(desktop.questions()[0].find(settings.path()), std::string::npos);
    EXPECT_TRUE(desktop.questions()[0].ends_with("|&Close Without Saving|&Keep Open"));

    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(desktop.errors().size(), 2u);

    ASSERT_TRUE(QDir().rmdir(QString::fromStdString(settings.path())));
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(settings.read(), DefaultSettingsFile);
    EXPECT_EQ(desktop.questions().size(), 2u) << "a save that works asks nothing";
}

TEST_F(MainWindowLife, AfterAFailedSaveTheUserMayCloseWithoutSaving) {
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(settings.path())));
    start();
    desktop.answer = true;
    QCloseEvent event;
    QApplication::sendEvent(window.get(), &event);
    EXPECT_TRUE(event.isAccepted());
    EXPECT_EQ(desktop.errors(), std::vector<std::string>{window->title() + "|File access denied."});
    EXPECT_EQ(desktop.questions().size(), 1u);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(settings.path())).isDir());
}

TEST_F(MainWindowLife, ClosingAnUnchangedPlanWritesNothingSoAReadOnlyFileIsNoTrap) {
    settings.write(DefaultSettingsFile);
    ASSERT_TRUE(
        QFile::setPermissions(QString::fromStdString(settings.path()), QFileDevice::ReadOwner));
    start();
    window->move(10, 10);
    window->controls().Exit1->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_EQ(settings.read(), DefaultSettingsFile);
}

TEST_F(MainWindowLife, ClosingMakesTheMissingPerUserFolderAndSavesIntoIt) {
    QTemporaryDir home;
    const std::string folder = home.filePath(".config/nestora").toStdString();
    window =
        std::make_unique<TNestoraF>(desktop, SettingsLocation{folder + "/nestora.fig", folder});
    window->show();
    edit("Edit11").setText("30");
    window->controls().Exit1->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(desktop.calls.empty());
    QFile saved(QString::fromStdString(folder + "/nestora.fig"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().endsWith("\r\n30\r\n"));
    EXPECT_FALSE(settings.exists());
}

TEST_F(MainWindowLife, SessionEndSavesWhatWasTypedAndLeavesTheWindowAsItIs) {
    start();
    edit("Edit11").setText("30");
    int asked = 0;
    EXPECT_TRUE(window->SessionSave([&asked] {
        ++asked;
        return true;
    }));
    EXPECT_EQ(asked, 0) << "a save that worked has nothing to say";
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_TRUE(window->isVisible());
    const std::string saved = settings.read();
    EXPECT_EQ(saved.substr(saved.size() - 4), "30\r\n");
}

TEST_F(MainWindowLife, FailedSaveAtSessionEndSpeaksOnlyWhenTheSessionAllowsIt) {
    // A folder in the settings file's place: the save fails.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(settings.path())));
    start();
    for (const bool allowed : {false, true}) {
        desktop.calls.clear();
        int asked = 0;
        EXPECT_FALSE(window->SessionSave([&] {
            ++asked;
            return allowed;
        }));
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(desktop.errors(),
                  allowed ? std::vector<std::string>{window->title() + "|File access denied."}
                          : std::vector<std::string>{});
        EXPECT_TRUE(window->isVisible());
    }
}

TEST_F(MainWindowLife, HomePageItemOpensTheMakersAddressOnce) {
    start();
    window->controls().TobrelHomePage1->trigger();
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{std::string("open: ") + MakerHomePage}));
}

TEST_F(MainWindowLife, ProgramEndsWithStatusZeroWhileTheHelpWindowShows) {
    start();
    window->controls().Help1->trigger();
    ASSERT_TRUE(help->isVisible());
    QTimer::singleShot(0, window->controls().Exit1, &QAction::trigger);
    QTimer giveUp;  // ends the loop with 99 if closing the window did not
    giveUp.callOnTimeout([] { QApplication::exit(99); });
    giveUp.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(settings.exists());
}

TEST_F(MainWindowLife, ClosingOnlyTheHelpWindowKeepsTheProgramRunning) {
    start();
    window->controls().Help1->trigger();
    QTimer::singleShot(0, help.get(), &QWidget::close);
    QTimer stillRunning;
    stillRunning.callOnTimeout([] { QApplication::exit(7); });
    stillRunning.start(200);
    EXPECT_EQ(QApplication::exec(), 7);
    EXPECT_FALSE(help->isVisible());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(settings.exists());
}

}  // namespace
}  // namespace nestora::testing

// SPDX-License-Identifier: MIT
// Plan documents from the main window's File menu, offscreen: a saved plan
// opens again with every input as it was; a damaged or newer document is
// named in the error box and leaves the screen as it was.
#include <QComboBox>
#include <QFile>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <string>

#include "document/plan_document.h"
#include "ui/year_by_year/life_plan_panel.h"
#include "ui/year_by_year/life_plan_tables.h"
#include "ui/year_by_year_fixture.h"

namespace nestora::testing {
namespace {

class PlanDocuments : public YearByYearTest {
  protected:
    struct Screen {
        EntryTexts fields;
        ResultTexts results;
        LifePlanTexts life;
        int markets, stocks, volatility, horizon;
        bool operator==(const Screen&) const = default;
    };
    Screen screen(const YearByYearWindow& yby) const {
        const SimulationPanel& markets = yby.simulation();
        return {entryTexts(),
                resultTexts(),
                yby.lifePlan().texts(),
                markets.marketsBox().currentIndex(),
                markets.stocksBox().value(),
                markets.volatilityBox().value(),
                markets.horizonBox().value()};
    }
    // Types a plan and every input of Year by Year.
    void fillIn(YearByYearWindow& yby) {
        edit("Edit1").setText("65000");
        edit("Edit11").setText("18");
        LifePlanTexts life;
        life.age = "47";
        life.growth = "2.5";
        life.spend = "41000";
        life.rule = SpendingRule::Guardrails;
        life.incomes = {
            {.name = "State pension", .amount = "14000", .from = "21", .to = "", .indexed = true},
            {.name = "Annuity", .amount = "3000", .from = "19", .to = "40", .indexed = false}};
        life.oneOffs = {{.amount = "-20000", .at = "5"}, {.amount = "90000", .at = "30"}};
        yby.lifePlan().setTexts(life);
        yby.simulation().marketsBox().setCurrentIndex(1);
        yby.simulation().stocksBox().setValue(70);
        yby.simulation().volatilityBox().setValue(15);
        yby.simulation().horizonBox().setValue(35);
    }
    QTemporaryDir folder;
};

TEST_F(PlanDocuments, TheFileMenuHoldsOpenAndSaveAboveTheDesignedExit) {
    create();
    const QList<QAction*> items = window->findChild<QMenu*>("File1")->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->objectName(), "OpenPlan1");
    EXPECT_EQ(items[0]->text(), "&Open Plan…");
    EXPECT_EQ(items[0]->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(items[1]->objectName(), "SavePlanAs1");
    EXPECT_EQ(items[1]->text(), "Save Plan &As…");
    EXPECT_EQ(items[1]->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->objectName(), "Exit1");
}

TEST_F(PlanDocuments, ASavedPlanOpensWithEveryInputAsItWas) {
    YearByYearWindow& yby = open();
    fillIn(yby);
    const Screen saved = screen(yby);
    ASSERT_EQ(yby.lifePlan().problem(), "");
    const QString path = folder.filePath("retire at 65");
    window->askSavePlanPath = [&](const QString&) { return path; };
    window->findChild<QAction*>("SavePlanAs1")->trigger();
    EXPECT_TRUE(QFile::exists(path + ".nestora"));  // the extension is added

    // Back to the designed plan and neutral inputs, then the document.
    edit("Edit1").setText("50000");
    edit("Edit11").setText("20");
    yby.lifePlan().setTexts({});
    yby.simulation().marketsBox().setCurrentIndex(0);
    yby.simulation().volatilityBox().setValue(12);
    ASSERT_NE(screen(yby), saved);
    window->askOpenPlanPath = [&](const QString& start) {
        EXPECT_EQ(start, folder.path());  // where the last one was saved
        return path + ".nestora";
    };
    window->findChild<QAction*>("OpenPlan1")->trigger();
    EXPECT_EQ(screen(yby), saved);
    EXPECT_TRUE(desktop.errors().empty());
    settle(yby);
    EXPECT_EQ(window->planner().plan.CurrentSavings, Extended(65000));
}

// A plan document opened before Year by Year was ever open puts the rest
// in its inputs all the same.
TEST_F(PlanDocuments, OpeningMakesTheYearByYearWindowWhenItIsNotThere) {
    PlanDocument document;
    document.fields[0] = "70000";
    document.life.ageNow = 50;
    document.life.incomes = {{.name = "Rent",
                              .amountToday = 5000,
                              .firstYear = 25,
                              .lastYear = std::nullopt,
                              .indexed = true}};
    document.horizon = 25;
    const std::string path = folder.filePath("plan.nestora").toStdString();
    ASSERT_EQ(WritePlanDocument(document, path), 0);
    start();
    window->setYearByYearMaker([](Planner& planner, Desktop& d, const std::string& title) {
        return new YearByYearWindow(planner, d, title);
    });
    ASSERT_TRUE(window->openPlan(QString::fromStdString(path)));
    EXPECT_EQ(text("Edit1"), "70000");
    auto* yby = dynamic_cast<YearByYearWindow*>(window->yearByYearWindow());
    ASSERT_NE(yby, nullptr);
    EXPECT_FALSE(yby->isVisible());
    EXPECT_EQ(yby->lifePlan().texts().age, "50");
    EXPECT_EQ(yby->lifePlan().lifePlan().incomes.at(0).firstYear, 25);
    EXPECT_EQ(yby->simulation().horizonBox().value(), 25);
}

TEST_F(PlanDocuments, ADamagedOrNewerDocumentIsNamedAndChangesNothing) {
    YearByYearWindow& yby = open();
    fillIn(yby);
    const Screen before = screen(yby);
    struct Case {
        const char* name;
        std::string bytes;
        std::string message;
    };
    std::string newer = PlanDocumentBytes(PlanDocument());
    newer.replace(newer.find("\"version\": 1"), 12, "\"version\": 2");
    const Case cases[] = {
        {"cut.nestora", PlanDocumentBytes(PlanDocument()).substr(0, 80), ", line "},
        {"newer.nestora", newer, "version"},
        {"short.nestora",
         R"({"format": "nestora-plan", "version": 1, "plan": {"current_savings": "1"}})", "plan."},
    };
    for (const Case& c : cases) {
        const QString path = folder.filePath(c.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes.data(), static_cast<qint64>(c.bytes.size()));
        file.close();
        desktop.calls.clear();
        EXPECT_FALSE(window->openPlan(path)) << c.name;
        ASSERT_EQ(desktop.errors().size(), 1U) << c.name;
        const std::string error = desktop.errors()[0];
        EXPECT_NE(error.find(path.toStdString()), std::string::npos) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_EQ(screen(yby), before) << c.name;
    }
}

TEST_F(PlanDocuments, APlanWithABadEntryOrAFailedWriteIsNotSaved) {
    YearByYearWindow& yby = open();
    LifePlanTexts young;
    young.age = "7";
    yby.lifePlan().setTexts(young);
    const QString path = folder.filePath("bad.nestora");
    EXPECT_FALSE(window->savePlanAs(path));
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_EQ(desktop.errors().size(), 1U);
    EXPECT_NE(desktop.errors()[0].find("The age must lie between 15 and 100."), std::string::npos);

    yby.lifePlan().setTexts({});
    desktop.calls.clear();
    const QString nowhere = folder.filePath("no such folder/plan.nestora");
    EXPECT_FALSE(window->savePlanAs(nowhere));
    ASSERT_EQ(desktop.errors().size(), 1U);
    EXPECT_NE(desktop.errors()[0].find("Cannot save " + nowhere.toStdString()), std::string::npos)
        << desktop.errors()[0];
}

}  // namespace
}  // namespace nestora::testing

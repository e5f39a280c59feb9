// SPDX-License-Identifier: MIT
// The main window over the designed plan with its Year by Year window open,
// and Year by Year's own settings cleared before each test.
#pragma once

#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <stdexcept>

#include "support/first_run.h"
#include "ui/window_fixture.h"
#include "ui/year_by_year/simulation_panel.h"
#include "ui/year_by_year/year_by_year_window.h"

namespace nestora::testing {

// Every QSettings of the test program keeps its files in a folder of its
// own, never in the user's configuration folder.
class PrivateQSettingsFolder : public ::testing::Environment {
  public:
    void SetUp() override {
        folder_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_->path());
    }

  private:
    std::unique_ptr<QTemporaryDir> folder_;
};
[[maybe_unused]] inline ::testing::Environment* const PrivateQSettings =
    ::testing::AddGlobalTestEnvironment(new PrivateQSettingsFolder);

class YearByYearTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "nestora", "year-by-year").clear();
        settings.write(DefaultSettingsFile);
    }
    // Starts the main window when it is not there yet; the Year by Year
    // window is made here, not loaded from its library.
    YearByYearWindow& open() {
        if (!window) start();
        window->setYearByYearMaker([](Planner& planner, Desktop& d, const std::string& title) {
            return new YearByYearWindow(planner, d, title);
        });
        window->findChild<QAction*>("YearByYear1")->trigger();
        auto* opened = dynamic_cast<YearByYearWindow*>(window->yearByYearWindow());
        if (opened == nullptr) throw std::logic_error("no Year by Year window");
        return *opened;
    }
    // Waits until the simulation has answered the latest plan and inputs.
    static void settle(YearByYearWindow& yby) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !yby.simulation().running(); }, 30000));
        QCoreApplication::processEvents();
    }
};

}  // namespace nestora::testing

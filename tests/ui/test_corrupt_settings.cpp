// SPDX-License-Identifier: MIT
// The real main window started on damaged settings files (see
// corrupt_settings.h): it never crashes, and ends either with the error box
// twice, the window at its designed place and the plan as far as it was read
// in its fields, or at the file's position with the file's values in them.
#include "support/corrupt_settings_driver.h"
#include "ui/window_fixture.h"

namespace nestora::testing {
namespace {

using CorruptSettingsWindow = WindowTest;

TEST_F(CorruptSettingsWindow, EveryStartEndsAsTheFileCallsFor) {
    const auto cases = CorruptSettingsFiles(CorruptSettingsSeed());
    // Every second file keeps the run short; the settings tests take them all.
    const CorruptStartCounts counts =
        CheckCorruptStarts(cases, 2, std::make_pair(157, -1), [&](const SettingsCase& file) {
            settings.write(file.bytes);
            desktop.calls.clear();
            start();
            EXPECT_TRUE(window->isVisible());
            return ObservedStart{window->title(),
                                 desktop.errors(),
                                 std::make_pair(window->pos().y(), window->pos().x()),
                                 entryTexts(),
                                 resultTexts(),
                                 DamagedCopyNote(settings.path()),
                                 ComputedResults(window->planner().plan)};
        });
    EXPECT_GE(counts.loaded + counts.stopped, 200);
}

}  // namespace
}  // namespace nestora::testing

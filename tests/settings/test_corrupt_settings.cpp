// SPDX-License-Identifier: MIT
// Start-up on damaged settings files: cut, changed, with inserted line ends
// and control codes, and random bytes. Each start must end the way the file's
// bytes call for, worked out independently of the reader (corrupt_settings.h):
// either a load that stops with its error box twice, leaves the window where
// it was and shows the plan as far as it was read, or a window at the file's
// position with fields that show the file's values.
#include <gtest/gtest.h>

#include <iostream>

#include "number/text_file.h"
#include "settings/settings_test_support.h"
#include "support/corrupt_settings_driver.h"

namespace nestora::testing {
namespace {

TEST(CorruptSettings, EveryStartEndsAsTheFileCallsFor) {
    const auto cases = CorruptSettingsFiles(CorruptSettingsSeed());
    ASSERT_GE(cases.size(), 200u);

    ScratchFolder folder;
    const std::string path = folder.file("nestora.fig");
    // The fake window is never placed when the load stops.
    const CorruptStartCounts counts =
        CheckCorruptStarts(cases, 1, std::nullopt, [&](const SettingsCase& file) {
            folder.write("nestora.fig", file.bytes);
            StartedProgram program;
            program.startShowingPlan(path);
            EXPECT_EQ(IOResultCode, 0);
            IOResultCode = 0;
            return ObservedStart{"Nestora",
                                 program.desktop.errors(),
                                 program.window.placed,
                                 program.entryTexts(),
                                 program.resultTexts(),
                                 DamagedCopyNote(path),
                                 ComputedResults(program.planner.plan)};
        });
    std::cout << cases.size() << " files: " << counts.loaded << " loaded, " << counts.stopped
              << " stopped\n";
    // The generator must reach both ends, or the test says little.
    EXPECT_GT(counts.stopped, 50);
    EXPECT_GT(counts.loaded, 50);
}

}  // namespace
}  // namespace nestora::testing

// SPDX-License-Identifier: MIT
// Start-up on damaged settings files: cut, changed, with inserted line ends
// and control codes, and random bytes. Each start must end the way the file's
// bytes call for, worked out independently of the reader (corrupt_settings.h):
// either a load that stops with its error box twice and leaves the window and
// the fields as designed, or a window at the file's position with fields that
// show the file's values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "number/text_file.h"
#include "settings/settings_test_support.h"
#include "support/corrupt_settings.h"

namespace nestora::testing {
namespace {

std::uint32_t Seed() {
    const char* chosen = std::getenv("NESTORA_CORRUPT_SEED");
    return chosen != nullptr ? static_cast<std::uint32_t>(std::strtoul(chosen, nullptr, 10))
                             : 20240611u;
}

const std::array<std::string, 3> MathBoxes = {"Nestora|Floating point overflow.",
                                              "Nestora|Invalid floating point operation.",
                                              "Nestora|Floating point division by zero."};

TEST(CorruptSettings, EveryStartEndsAsTheFileCallsFor) {
    const std::uint32_t seed = Seed();
    std::cout << "Damaged settings files from seed " << seed
              << " (NESTORA_CORRUPT_SEED chooses another)\n";
    RecordProperty("seed", std::to_string(seed));
    const auto cases = CorruptSettingsFiles(seed);
    ASSERT_GE(cases.size(), 200u);

    ScratchFolder folder;
    const std::string path = folder.file("nestora.fig");
    int stopped = 0, loaded = 0;
    for (const SettingsCase& file : cases) {
        SCOPED_TRACE(file.name + ": \"" + Visible(file.bytes) + "\"");
        folder.write("nestora.fig", file.bytes);
        const PredictedStart predicted = PredictStart(file.bytes);
        StartedProgram program;
        program.start(path);
        EXPECT_EQ(IOResultCode, 0);
        IOResultCode = 0;

        if (!predicted.loads) {
            ++stopped;
            const std::string box = "Nestora|" + predicted.message + ".";
            EXPECT_EQ(program.desktop.errors(), (std::vector<std::string>{box, box}));
            EXPECT_FALSE(program.window.placed.has_value());
            EXPECT_EQ(program.entryTexts(), DesignedEntryTexts);
            EXPECT_EQ(program.resultTexts(), DesignedResultTexts);
            continue;
        }
        ++loaded;
        ASSERT_TRUE(program.window.placed.has_value());
        EXPECT_EQ(*program.window.placed, std::make_pair(predicted.top, predicted.left));
        // The load itself succeeds; the projection of odd values (nothing
        // saved and no years, say) may still fault, and values beyond what
        // the fields can show may fault while the fields are filled.
        for (const std::string& box : program.desktop.errors())
            EXPECT_NE(std::find(MathBoxes.begin(), MathBoxes.end(), box), MathBoxes.end()) << box;
        const ExpectedFields fields = ExpectFields(predicted);
        if (!fields.plain) continue;
        const EntryTexts shown = program.entryTexts();
        for (std::size_t k = 0; k < 5; ++k) {
            std::string why;
            EXPECT_TRUE(ShowsExpected(shown[k], fields.reals[k], why))
                << "field " << k << " " << why;
        }
        EXPECT_EQ(shown[5], fields.years);
    }
    std::cout << cases.size() << " files: " << loaded << " loaded, " << stopped << " stopped\n";
    // The generator must reach both ends, or the test says little.
    EXPECT_GT(stopped, 50);
    EXPECT_GT(loaded, 50);
}

}  // namespace
}  // namespace nestora::testing

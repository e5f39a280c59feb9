// SPDX-License-Identifier: MIT
// The loop that starts a program on every damaged settings file of
// CorruptSettingsFiles and checks each start against PredictStart, shared by
// the settings layer (a planner on plain fields) and the real main window.
// The layer says how it starts and what it then shows; the checks are here:
// - a load that stops shows its error box twice (with the layer's note on a
//   line after the message), leaves the window where it was designed, and
//   then fills the fields with the plan as far as it was read (PredictStart)
//   and shows the results that the plan it computes with gives;
// - a load that succeeds places the window at the file's position, brings no
//   box but an arithmetic fault's, and fills the fields with the file's
//   values as ExpectFields says.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "number/errors.h"
#include "support/corrupt_settings.h"
#include "support/first_run.h"
#include "support/planner_fixture.h"

namespace nestora::testing {

// NESTORA_CORRUPT_SEED or the usual seed, printed and recorded so that a
// failure can be repeated.
inline std::uint32_t CorruptSettingsSeed() {
    const char* chosen = std::getenv("NESTORA_CORRUPT_SEED");
    const auto seed = chosen != nullptr
                          ? static_cast<std::uint32_t>(std::strtoul(chosen, nullptr, 10))
                          : 20240611u;
    std::cout << "Damaged settings files from seed " << seed
              << " (NESTORA_CORRUPT_SEED chooses another)\n";
    ::testing::Test::RecordProperty("seed", std::to_string(seed));
    return seed;
}

// What one start left on screen.
struct ObservedStart {
    std::string title;                          // the title of its error boxes
    std::vector<std::string> errors;            // "title|message." each
    std::optional<std::pair<int, int>> placed;  // (top, left) of the window
    EntryTexts entries;
    ResultTexts results;
    std::string note;  // the line the layer adds to a failed load's box
    // What calculate makes of the plan the layer computes with; empty when
    // it faults.
    std::optional<ResultTexts> computed;
};

struct CorruptStartCounts {
    int loaded = 0;
    int stopped = 0;
};

// What calculate shows for `plan` in a planner of its own, or nothing when
// it faults.
inline std::optional<ResultTexts> ComputedResults(const Plan& plan) {
    PlannerFixture fresh;
    fresh.planner.plan = plan;
    try {
        fresh.planner.calculate();
    } catch (const Error&) {
        return std::nullopt;
    }
    return fresh.resultTexts();
}

// The five money and rate fields show the values ExpectFields gives.
inline void ExpectRealFields(const ObservedStart& shown, const ExpectedFields& fields) {
    for (std::size_t k = 0; k < 5; ++k) {
        std::string why;
        EXPECT_TRUE(ShowsExpected(shown.entries[k], fields.reals[k], why))
            << "entry field " << k + 1 << " of 6 " << why;
    }
}

// A load that stopped: its box twice beside any arithmetic fault's, the
// window where it was designed, the plan as far as it was read and the
// results of the plan computed with.
inline void ExpectStoppedStart(const ObservedStart& shown, const PredictedStart& predicted,
                               const ExpectedFields& fields,
                               const std::vector<std::string>& mathBoxes,
                               const std::optional<std::pair<int, int>>& unplaced) {
    const std::string box = shown.title + "|" + predicted.message + "." +
                            (shown.note.empty() ? "" : "\n\n" + shown.note);
    // The fill or calculate after each failed load may fault too.
    std::vector<std::string> loadBoxes;
    for (const std::string& shownBox : shown.errors)
        if (std::find(mathBoxes.begin(), mathBoxes.end(), shownBox) == mathBoxes.end())
            loadBoxes.push_back(shownBox);
    EXPECT_EQ(loadBoxes, (std::vector<std::string>{box, box}));
    EXPECT_EQ(shown.placed, unplaced);
    if (shown.errors.size() > 2 || !fields.plain) return;
    ExpectRealFields(shown, fields);
    if (!predicted.yearsOpen) {
        EXPECT_EQ(shown.entries[5], fields.years);
    }
    if (shown.computed) {
        EXPECT_EQ(shown.results, *shown.computed);
    }
}

// Starts `start` on every `stride`-th file. `unplaced` is where the layer's
// window is when a load stops before placing it.
inline CorruptStartCounts CheckCorruptStarts(
    const std::vector<SettingsCase>& files, std::size_t stride,
    const std::optional<std::pair<int, int>>& unplaced,
    const std::function<ObservedStart(const SettingsCase&)>& start) {
    CorruptStartCounts counts;
    for (std::size_t n = 0; n < files.size(); n += stride) {
        const SettingsCase& file = files[n];
        SCOPED_TRACE(file.name + ": \"" + Visible(file.bytes) + "\"");
        const PredictedStart predicted = PredictStart(file.bytes);
        const ObservedStart shown = start(file);

        // The projection of odd values (nothing saved and no years, say) may
        // fault, and values beyond what the fields can show may fault while
        // the fields are filled.
        const std::vector<std::string> mathBoxes = {
            shown.title + "|Floating point overflow.",
            shown.title + "|Invalid floating point operation.",
            shown.title + "|Floating point division by zero."};
        const ExpectedFields fields = ExpectFields(predicted);

        if (!predicted.loads) {
            ++counts.stopped;
            ExpectStoppedStart(shown, predicted, fields, mathBoxes, unplaced);
            continue;
        }
        ++counts.loaded;
        EXPECT_EQ(shown.placed, std::make_pair(predicted.top, predicted.left));
        for (const std::string& shownBox : shown.errors)
            EXPECT_NE(std::find(mathBoxes.begin(), mathBoxes.end(), shownBox), mathBoxes.end())
                << shownBox;
        if (!fields.plain) continue;
        ExpectRealFields(shown, fields);
        EXPECT_EQ(shown.entries[5], fields.years);
    }
    return counts;
}

}  // namespace nestora::testing

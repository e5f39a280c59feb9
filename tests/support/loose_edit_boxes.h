// SPDX-License-Identifier: MIT
// Six entry and four result QLineEdits, never shown, bound to a planner
// exactly as the main window binds its own (BindEditBoxes), the entries
// holding the default plan's texts. For the binding's tests and the
// keystroke benchmark.
#pragma once

#include <QLineEdit>
#include <QString>
#include <array>
#include <memory>
#include <string>

#include "projection/planner.h"
#include "support/first_run.h"
#include "ui/line_edit_field.h"

namespace nestora::testing {

struct LooseEditBoxes {
    LooseEditBoxes(Planner& planner, const std::string& title) {
        std::array<QLineEdit*, 6> entryBoxes;
        std::array<QLineEdit*, 4> resultBoxes;
        for (std::size_t k = 0; k < entries.size(); ++k) {
            entries[k] = std::make_unique<QLineEdit>(QString::fromStdString(DefaultEntryTexts[k]));
            entryBoxes[k] = entries[k].get();
        }
        for (std::size_t k = 0; k < results.size(); ++k) {
            results[k] = std::make_unique<QLineEdit>();
            results[k]->setReadOnly(true);
            resultBoxes[k] = results[k].get();
        }
        fields = BindEditBoxes(planner, entryBoxes, resultBoxes, title);
    }

    QLineEdit& entry(Entry e) const { return *entries.at(static_cast<std::size_t>(e)); }

    std::array<std::unique_ptr<QLineEdit>, 6> entries;
    std::array<std::unique_ptr<QLineEdit>, 4> results;
    EditBoxFields fields;  // the entries' fields first, in the order of AllEntries
};

}  // namespace nestora::testing

// SPDX-License-Identifier: MIT
#include "ui/line_edit_field.h"

#include <QLineEdit>
#include <utility>

namespace nestora {

std::string LineEditField::text() const { return edit_.text().toStdString(); }

void LineEditField::setText(const std::string& text) {
    edit_.setText(QString::fromStdString(text));
}

void LineEditField::selectAll() { edit_.selectAll(); }

QMetaObject::Connection ConnectEntryChanged(QLineEdit& edit, Planner& planner, Entry entry,
                                            std::string title) {
    // A direct connection: the run happens inside the emitting setText or
    // key press, which is what makes nested runs finish before it returns.
    return QObject::connect(
        &edit, &QLineEdit::textChanged, &edit,
        [&planner, entry, title = std::move(title)] { RunEntryChanged(planner, entry, title); },
        Qt::DirectConnection);
}

EditBoxFields BindEditBoxes(Planner& planner, const std::array<QLineEdit*, 6>& entries,
                            const std::array<QLineEdit*, 4>& results, const std::string& title) {
    EditBoxFields fields;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        fields[k] = std::make_unique<LineEditField>(*entries[k]);
        planner.bindEntry(AllEntries[k], *fields[k]);
        ConnectEntryChanged(*entries[k], planner, AllEntries[k], title);
    }
    for (std::size_t k = 0; k < results.size(); ++k) {
        fields[6 + k] = std::make_unique<LineEditField>(*results[k]);
        planner.bindResult(AllResults[k], *fields[6 + k]);
    }
    return fields;
}

}  // namespace nestora

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

}  // namespace nestora

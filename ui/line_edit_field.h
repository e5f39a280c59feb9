// SPDX-License-Identifier: MIT
// The entry rules' Field over a QLineEdit. QLineEdit::setText emits
// textChanged synchronously and only when the text really differs, which is
// the contract the handler run rests on: a replacement text set inside a run
// runs the handler again, nested, before setText returns.
#pragma once

#include <QMetaObject>
#include <array>
#include <memory>
#include <string>

#include "projection/field.h"
#include "projection/planner.h"

class QLineEdit;

namespace nestora {

// Texts cross as UTF-8. The edit must outlive the field.
class LineEditField final : public Field {
  public:
    explicit LineEditField(QLineEdit& edit) : edit_(edit) {}

    std::string text() const override;
    void setText(const std::string& text) override;
    void selectAll() override;

    QLineEdit& edit() const { return edit_; }

  private:
    QLineEdit& edit_;
};

// Runs a handler run of `entry` on every textChanged of `edit`, typed or set
// by code, each run a catch point of its own (RunEntryChanged) whose error
// box is titled `title`. The connection ends with `edit`; `planner` must
// outlive it.
QMetaObject::Connection ConnectEntryChanged(QLineEdit& edit, Planner& planner, Entry entry,
                                            std::string title);

// The main window's ten edit boxes bound to a planner: a LineEditField for
// each box, bound as the entry (in the order of AllEntries) or result (in the
// order of AllResults) it shows, and every entry box connected as by
// ConnectEntryChanged. The boxes and the planner must outlive the fields.
using EditBoxFields = std::array<std::unique_ptr<LineEditField>, 10>;
EditBoxFields BindEditBoxes(Planner& planner, const std::array<QLineEdit*, 6>& entries,
                            const std::array<QLineEdit*, 4>& results, const std::string& title);

}  // namespace nestora

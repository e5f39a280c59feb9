// SPDX-License-Identifier: MIT
// The entry rules' Field over a QLineEdit. QLineEdit::setText emits
// textChanged synchronously and only when the text really differs, which is
// the contract the handler run rests on: a replacement text set inside a run
// runs the handler again, nested, before setText returns.
#pragma once

#include <QMetaObject>
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

}  // namespace nestora

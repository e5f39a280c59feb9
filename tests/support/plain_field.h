// SPDX-License-Identifier: MIT
// An edit box without a toolkit: setText runs the change handler at once when
// the text really changes and does nothing when it is equal, as a QLineEdit's
// textChanged does. It remembers whether its whole text is selected.
#pragma once

#include <functional>
#include <string>

#include "projection/field.h"

namespace nestora::testing {

class PlainField : public Field {
  public:
    explicit PlainField(std::string text = {}) : text_(std::move(text)) {}

    std::function<void()> onChange;
    bool allSelected = false;
    int changes = 0;

    std::string text() const override { return text_; }
    void setText(const std::string& text) override {
        if (text == text_) return;
        text_ = text;
        allSelected = false;
        ++changes;
        if (onChange) onChange();
    }
    void selectAll() override { allSelected = true; }

    // What a person does: replaces the whole text, as typing over a selection.
    void type(const std::string& text) { setText(text); }

  private:
    std::string text_;
};

}  // namespace nestora::testing

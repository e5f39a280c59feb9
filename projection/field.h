// SPDX-License-Identifier: MIT
// What the entry rules need of an edit box. setText fires the field's change
// handler synchronously, before it returns, when the text really changes, and
// does nothing when the new text equals the present one. ui/ binds it to a
// QLineEdit, whose textChanged keeps exactly this contract.
#pragma once

#include <string>

namespace nestora {

class Field {
  public:
    virtual ~Field() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual void selectAll() = 0;
};

}  // namespace nestora

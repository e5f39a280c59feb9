// SPDX-License-Identifier: MIT
// The entry rules' Field over a Win32 edit box. An edit box tells its parent
// of every change (EN_CHANGE), synchronously, also when the program sets its
// text, and even when a new text equals the old one; the field keeps the text
// it last reported so that only a real change reaches the handler, and sets
// nothing when the text it is given is the one shown.
#pragma once

#include <windows.h>

#include <string>

#include "projection/field.h"

namespace nestora::win32 {

class EditField final : public Field {
  public:
    explicit EditField(HWND edit);

    std::string text() const override;
    void setText(const std::string& text) override;
    void selectAll() override;

    // Called on the box's EN_CHANGE: true when its text differs from the
    // text last seen, which it then becomes.
    bool changed();
    HWND handle() const { return edit_; }

  private:
    HWND edit_;
    std::wstring seen_;
};

}  // namespace nestora::win32

// SPDX-License-Identifier: MIT
#include "win32/edit_field.h"

#include "win32/wide_text.h"

namespace nestora::win32 {

EditField::EditField(HWND edit) : edit_(edit), seen_(WindowText(edit)) {}

std::string EditField::text() const { return Utf8(WindowText(edit_)); }

void EditField::setText(const std::string& text) {
    const std::wstring wide = Wide(text);
    if (wide == WindowText(edit_)) return;
    ::SetWindowTextW(edit_, wide.c_str());
}

void EditField::selectAll() { ::SendMessageW(edit_, EM_SETSEL, 0, -1); }

bool EditField::changed() {
    std::wstring now = WindowText(edit_);
    if (now == seen_) return false;
    seen_ = std::move(now);
    return true;
}

}  // namespace nestora::win32

// SPDX-License-Identifier: MIT
// The decimal symbol from the user's regional settings (LOCALE_SDECIMAL),
// read at start-up and again when they change.
#pragma once

namespace nestora::win32 {

char ReadWindowsDecimalSeparator();

}  // namespace nestora::win32

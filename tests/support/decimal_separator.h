// SPDX-License-Identifier: MIT
// Runs a test as if the user's decimal symbol were `separator`, and puts the
// program's separator back afterwards.
#pragma once

#include "number/locale_separator.h"

namespace nestora::testing {

class DecimalSeparatorAs {
  public:
    explicit DecimalSeparatorAs(char separator) : saved_(LocaleDecimalSeparator) {
        LocaleDecimalSeparator = separator;
    }
    ~DecimalSeparatorAs() { LocaleDecimalSeparator = saved_; }
    DecimalSeparatorAs(const DecimalSeparatorAs&) = delete;
    DecimalSeparatorAs& operator=(const DecimalSeparatorAs&) = delete;

  private:
    char saved_;
};

}  // namespace nestora::testing

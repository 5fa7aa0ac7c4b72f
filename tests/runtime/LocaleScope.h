#pragma once

#include "runtime/LocaleSeparators.h"

// Sets the locale separators for one test and puts the previous ones back.
class LocaleScope {
public:
  LocaleScope(char decimalSeparator, char thousandSeparator)
      : savedDecimal_(LocaleDecimalSeparator), savedThousand_(LocaleThousandSeparator) {
    SetLocaleSeparators(decimalSeparator, thousandSeparator);
  }
  ~LocaleScope() { SetLocaleSeparators(savedDecimal_, savedThousand_); }
  LocaleScope(const LocaleScope&) = delete;
  LocaleScope& operator=(const LocaleScope&) = delete;

private:
  char savedDecimal_;
  char savedThousand_;
};

// The two locales of the examples: "." with "," and "," with a no-break space.
constexpr char kNoBreakSpace = '\xA0';

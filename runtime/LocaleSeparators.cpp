#include "runtime/LocaleSeparators.h"

char LocaleDecimalSeparator = '.';
char LocaleThousandSeparator = ',';

void SetLocaleSeparators(char decimalSeparator, char thousandSeparator) {
  LocaleDecimalSeparator = decimalSeparator;
  LocaleThousandSeparator = thousandSeparator;
}

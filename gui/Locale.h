#pragma once

#include <string>

// Reads the user's locale into the program's process-wide settings: the
// decimal and thousands separators (see LocaleSeparatorsOf) and the code
// page 8-bit texts are shown in when they are not UTF-8.
void ReadUserLocale();

struct TSeparators {
  char Decimal;
  char Thousands;
};

// The separators of a Qt locale name ("fr_FR", "C") as single 8-bit
// characters. A decimal separator that is not one Latin-1 character becomes
// "."; a thousands separator outside Latin-1 becomes the no-break space
// 0xA0 (a typographic apostrophe the plain one), an empty one ",", and
// neither ever equals the decimal separator, so that a grouped number never
// reads as a fraction.
TSeparators LocaleSeparatorsOf(const std::string& localeName);

// Keeps the settings current: reads them now and again every time the
// platform reports that the regional settings changed. Needs a running Qt
// application object; one watcher per application is enough.
class LocaleWatcher {
public:
  LocaleWatcher();
  ~LocaleWatcher();
  LocaleWatcher(const LocaleWatcher&) = delete;
  LocaleWatcher& operator=(const LocaleWatcher&) = delete;

private:
  class Filter;
  Filter* filter_;
};

#pragma once

// Reads the user's decimal and thousands separators into the runtime's
// process-wide values ("." and "," where the locale gives none or gives one
// that is not a single 8-bit character).
void ReadLocaleSeparators();

// Keeps the separators current: reads them now and again every time the
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

#pragma once

#include "gui/ShownText.h"

// The code page of 8-bit text while a test runs, whatever the locale.
class TCodePageScope {
public:
  explicit TCodePageScope(int codePage) { SetTextCodePage(codePage); }
  ~TCodePageScope() { SetTextCodePage(saved_); }
  TCodePageScope(const TCodePageScope&) = delete;
  TCodePageScope& operator=(const TCodePageScope&) = delete;

private:
  int saved_ = TextCodePage();
};

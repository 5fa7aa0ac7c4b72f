#include <iostream>

#include "app/ReportException.h"
#include "app/TForm1.h"
#include "gui/Application.h"
#include "gui/EventErrors.h"
#include "gui/Locale.h"

namespace {

// The caption of every error message box.
constexpr const char* kApplicationTitle = "Kestrila Log viewer by lumo";

void RunViewer(int& argc, char** argv) {
  InitializeApplication(argc, argv);
  const LocaleWatcher localeWatcher;
  SetApplicationTitle(kApplicationTitle);
  SetEventErrorReporter([] { ReportException(); });
  TForm1 form;
  form.Show();
  RunMessageLoop();
}

}  // namespace

int main(int argc, char** argv) {
  if (!DisplayAvailable()) {
    std::cerr << "logviewer: no display to show the window on (DISPLAY is not set).\n"
                 "Run it in a desktop session, or under a virtual one: xvfb-run build/app/logviewer\n";
    return 1;
  }
  try {
    RunViewer(argc, argv);
  } catch (...) {
    ReportException();
  }
  return 0;
}

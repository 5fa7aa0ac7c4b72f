#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/ApplicationTitle.h"
#include "app/CommandLine.h"
#include "app/window/ReportException.h"
#include "app/window/TForm1.h"
#include "gui/Application.h"
#include "gui/EventErrors.h"
#include "gui/Locale.h"

namespace {

// The logs named on the command line load once the window is shown and
// painted, through the Log buttons' loading, so a bad one is reported like
// there.
void RunViewer(int& argc, char** argv, const TCommandLine& commandLine) {
  InitializeApplication(argc, argv);
  const LocaleWatcher localeWatcher;
  SetApplicationTitle(kApplicationTitle);
  SetEventErrorReporter([] { ReportException(); });
  TForm1 form;
  form.Show();
  // Before the loads, which then leave a last line without its end for the
  // follow to take whole. A settings file that cannot be written is said,
  // and the window still follows.
  if (commandLine.Follow) {
    try {
      form.SetFollowing(true);
    } catch (...) {
      ReportException(&form);
    }
  }
  form.RunOncePainted([&form, &commandLine] {
    if (commandLine.Reopen) {
      form.ReopenLastLogs();
    }
    form.OpenLogs(0, commandLine.Logs);
  });
  RunMessageLoop();
}

// The running program as the file system names it, for the README of its
// installation.
std::string ProgramPath(const char* argv0) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(argv0) : path.string();
}

}  // namespace

int main(int argc, char** argv) {
  // The arguments stay bytes: they are file names as the file system has them.
  const TCommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (commandLine.UnknownOption) {
    std::cerr << "logviewer: unknown option " << *commandLine.UnknownOption << "\n"
              << UsageText(ReadmePath(ProgramPath(argv[0])));
    return 2;
  }
  if (commandLine.Help || commandLine.Version) {
    std::cout << (commandLine.Help ? UsageText(ReadmePath(ProgramPath(argv[0]))) : VersionText());
    return 0;
  }
  if (!DisplayAvailable()) {
    std::cerr << "logviewer: no display to show the window on (DISPLAY is not set).\n"
                 "Run it in a desktop session, or under a virtual one: xvfb-run build/app/logviewer\n";
    return 1;
  }
  try {
    RunViewer(argc, argv, commandLine);
  } catch (...) {
    ReportException();
  }
  return 0;
}

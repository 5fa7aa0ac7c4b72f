#include "app/CommandLine.h"

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  TCommandLine line;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      line.Logs.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      line.Help = true;
    } else if (arg == "--version") {
      line.Version = true;
    } else if (arg == "--reopen") {
      line.Reopen = true;
    } else if (arg == "--follow") {
      line.Follow = true;
    } else if (!line.UnknownOption) {
      line.UnknownOption = arg;
    }
  }
  return line;
}

std::string UsageText() {
  return "usage: logviewer [OPTION]... [FILE]...\n"
         "Shows up to four logs in four stacked chart panes, the first FILE in the top pane.\n"
         "\n"
         "  -h, --help     show this help and exit\n"
         "      --version  show the version and exit\n"
         "      --reopen   load the logs the panes held when the window last closed\n"
         "      --follow   follow the logs as they grow\n"
         "      --         every argument after it is a FILE\n"
         "\n"
         "Keys: Ctrl+C copies the window's picture, Ctrl+S saves it as PNG, JPEG, BMP or SVG,\n"
         "Escape undoes the zoom of all panes; the README lists the others.\n";
}

std::string VersionText() { return std::string("logviewer ") + LOGVIEWER_VERSION + "\n"; }

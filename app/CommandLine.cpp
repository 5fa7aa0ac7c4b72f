#include "app/CommandLine.h"

#include "app/commands/TCommands.h"
#include "app/document/LogReference.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

// Qt's own options, which the platform reads from the same arguments: those
// that take the next argument as their value, and those that take none.
// Either may be written with one dash or two, and with "=value" attached.
constexpr std::string_view kQtOptionsWithValue =
    " platform platformpluginpath platformtheme plugin qwindowgeometry geometry qwindowtitle title"
    " qwindowicon icon display style stylesheet session name visual ncols ";
constexpr std::string_view kQtFlags = " reverse widgetcount nograb dograb sync cmap testability qmljsdebugger ";

bool Listed(std::string_view names, std::string_view name) {
  return name.find(' ') == std::string_view::npos &&
         names.find(" " + std::string(name) + " ") != std::string_view::npos;
}

// How many arguments a Qt option at `arg` takes up (itself and its value),
// or 0 when it is none of Qt's.
int QtOptionLength(std::string_view arg) {
  arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
  const std::size_t equals = arg.find('=');
  const std::string_view name = arg.substr(0, equals);
  if (Listed(kQtFlags, name)) {
    return 1;
  }
  if (Listed(kQtOptionsWithValue, name)) {
    return equals == std::string_view::npos ? 2 : 1;
  }
  return 0;
}

// "a,b,c" as its names.
std::vector<std::string> ColumnNames(std::string_view list) {
  std::vector<std::string> names;
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    if (comma > start) {
      names.emplace_back(list.substr(start, comma - start));
    }
    start = comma + 1;
  }
  return names;
}

// Each FILE as its columns, in the order named.
std::vector<std::string> LogColumns(const std::vector<std::string>& logs, const std::vector<std::string>& columns) {
  if (columns.empty()) {
    return logs;
  }
  std::vector<std::string> references;
  for (const std::string& log : logs) {
    for (const std::string& column : columns) {
      references.push_back(LogReferenceText({log, column}));
    }
  }
  return references;
}

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  TCommandLine line;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
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
    } else if (arg.starts_with("--columns=")) {
      line.Columns = ColumnNames(std::string_view(arg).substr(10));
    } else if (arg == "--columns" && i + 1 < args.size()) {
      line.Columns = ColumnNames(args[++i]);
    } else if (const int length = QtOptionLength(arg); length > 0) {
      i += static_cast<std::size_t>(length - 1);
    } else if (!line.UnknownOption) {
      line.UnknownOption = arg;
    }
  }
  line.Logs = LogColumns(line.Logs, line.Columns);
  return line;
}

std::string UsageText(const std::string& readmePath) {
  return "usage: logviewer [OPTION]... [FILE]...\n"
         "Shows up to four logs in four stacked chart panes, the first FILE in the top pane.\n"
         "\n"
         "  -h, --help     show this help and exit\n"
         "      --version  show the version and exit\n"
         "      --reopen   load the logs the panes held when the window last closed\n"
         "      --follow   follow the logs as they grow\n"
         "      --columns NAME,NAME...\n"
         "                 the panes show these columns of a multi-column FILE (a name or a\n"
         "                 number from 1); FILE:COLUMN names one column\n"
         "      --         every argument after it is a FILE\n"
         "Qt's own options (-style, -platform, -display, -geometry...) are passed on to Qt.\n"
         "\n"
         "Keys (a right click on a pane opens the pane menu with most of them):\n" +
         KeyTableText() + "More in the manual page (man logviewer) and in the README: " + readmePath + "\n";
}

std::string ReadmePath(const std::string& programPath) {
  return (std::filesystem::path(programPath).parent_path().parent_path() / "share/doc/logviewer/README.md.gz").string();
}

std::string VersionText() { return std::string("logviewer ") + LOGVIEWER_VERSION + "\n"; }

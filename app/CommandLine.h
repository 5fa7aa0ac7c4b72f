#pragma once

#include <optional>
#include <string>
#include <vector>

// What the program was asked for on its command line: logviewer [FILE...].
// File names stay the bytes given, as the file system knows them.
struct TCommandLine {
  bool Help = false;
  bool Version = false;
  // The logs that were in the panes when the window last closed, before the
  // FILEs.
  bool Reopen = false;
  // The panes follow their growing logs.
  bool Follow = false;
  // The logs, each "FILE" or a column "FILE:COLUMN" of a multi-column log;
  // with --columns, each FILE's columns named there.
  std::vector<std::string> Logs;
  // --columns NAME,NAME...: the columns of each FILE for the panes.
  std::vector<std::string> Columns;
  // An option the program does not know; nothing else is done then.
  std::optional<std::string> UnknownOption;
};

// `args` without the program name. "--" ends the options, so that a log
// whose name starts with "-" can be named. Qt's own options (-style,
// -platform, -display...) and their values are left to Qt.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);

// Names the manual page and the README at `readmePath`.
std::string UsageText(const std::string& readmePath);
// Where the README of the program at `programPath` is installed: in the
// documentation folder of the prefix it is installed under.
std::string ReadmePath(const std::string& programPath);
std::string VersionText();

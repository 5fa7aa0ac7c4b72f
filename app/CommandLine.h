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
  std::vector<std::string> Logs;
  // An option the program does not know; nothing else is done then.
  std::optional<std::string> UnknownOption;
};

// `args` without the program name. "--" ends the options, so that a log
// whose name starts with "-" can be named.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText();
std::string VersionText();

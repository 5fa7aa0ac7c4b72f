#pragma once

#include <optional>
#include <string>

// A log as the command line, the recent list and the last session name it:
// a file, or one column of a multi-column file written "FILE:COLUMN".
struct TLogReference {
  std::string FileName;
  std::optional<std::string> Column;
};

// A text that names an existing file is that file, ":" and all; else the
// text after its last ":" is a column of the file before it, when that file
// exists. Anything else is the text as a file name, whose load says what
// is wrong with it.
TLogReference ParseLogReference(const std::string& text);

// "FILE:COLUMN", or the file name alone.
std::string LogReferenceText(const TLogReference& reference);

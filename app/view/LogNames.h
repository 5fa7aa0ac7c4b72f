#pragma once

#include <string>
#include <vector>

// The part of a file name after its last "/".
std::string FileBaseName(const std::string& fileName);
// The base name without its suffix ("lambda" of "/logs/lambda.csv"); a
// name whose only dot leads it keeps it.
std::string LogStem(const std::string& fileName);

// The window's title: the panes' logs by their stems, in pane order, before
// `title` ("lambda, engine-speed \u2013 title"); panes without a log left
// out, `title` alone when none has one.
std::string WindowTitle(const std::vector<std::string>& logFileNames, const std::string& title);

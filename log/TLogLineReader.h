#pragma once

#include <string>
#include <string_view>

#include "log/TLogFileBlocks.h"
#include "log/TLogLine.h"
#include "log/TLogLines.h"

// A log's lines one by one, as reading them one after the other gives them.
class TLogLineReader {
public:
  explicit TLogLineReader(const std::string& fileName, TBlockRead read = {}) : blocks_(fileName, std::move(read)) {}

  bool NextLine(TLogLine& line);
  int ReadError() const { return blocks_.ReadError(); }

private:
  TLogFileBlocks blocks_;
  TLogLines lines_{std::string_view()};
};

#include "log/TLogLineReader.h"

bool TLogLineReader::NextLine(TLogLine& line) {
  std::string_view run;
  while (!lines_.Next(line)) {
    if (!blocks_.Next(run)) {
      return false;
    }
    lines_ = TLogLines(run);
  }
  return true;
}

// Writes a synthetic log to standard output:
//   GenerateLog LINES [KIND [WORD_PERCENT [SEED]]]
// KIND is lambda (default), rpm, coolant or voltage; WORD_PERCENT the share of
// samples written as sensor words (default 1).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "log/LogGenerator.h"

namespace {

int Usage() {
  std::fputs("usage: GenerateLog LINES [lambda|rpm|coolant|voltage [WORD_PERCENT [SEED]]]\n", stderr);
  return 2;
}

bool ParseNumber(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && value >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 5) {
    return Usage();
  }
  TLogGeneratorOptions options;
  options.WordFraction = 0.01;
  double number = 0;
  if (!ParseNumber(argv[1], number)) {
    return Usage();
  }
  options.Lines = static_cast<long>(number);
  if (argc > 2 && !ParseLogKind(argv[2], options.Kind)) {
    return Usage();
  }
  if (argc > 3) {
    if (!ParseNumber(argv[3], number) || number > 100) {
      return Usage();
    }
    options.WordFraction = number / 100;
  }
  if (argc > 4) {
    if (!ParseNumber(argv[4], number)) {
      return Usage();
    }
    options.Seed = static_cast<std::uint64_t>(number);
  }
  if (!WriteLog(stdout, options)) {
    std::perror("GenerateLog");
    return 1;
  }
  return 0;
}

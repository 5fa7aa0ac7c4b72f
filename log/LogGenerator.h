#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

// Synthetic logs in the diagnostic tool's format, for samples and
// benchmarks: a header "Time,<parameter>" and one "<seconds>,<value>" line
// per sample, ten samples a second. A share of the samples are the sensor
// words the tool writes instead of a number.
enum class TLogKind { Lambda, EngineSpeed, CoolantTemperature, Voltage };

struct TLogGeneratorOptions {
  TLogKind Kind = TLogKind::Lambda;
  long Lines = 1000;          // samples after the header
  double WordFraction = 0.0;  // share of samples written as words, 0..1
  std::uint64_t Seed = 1;
};

// False for a name that is none of "lambda", "rpm", "coolant", "voltage".
bool ParseLogKind(std::string_view name, TLogKind& kind);

// Writes the header and the samples; false when writing failed.
bool WriteLog(std::FILE* out, const TLogGeneratorOptions& options);

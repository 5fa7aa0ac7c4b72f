#include "app/LogSample.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "runtime/LocaleSeparators.h"
#include "runtime/TextToNumber.h"

namespace {

struct TSensorWord {
  std::string_view Text;
  double Value;
};

// Sensor states the diagnostic tool writes instead of a number, placed on
// the value axis beside the numbers.
constexpr std::array<TSensorWord, 4> kSensorWords = {{
    {"Rich", 2.0},
    {"Lean", 1.0},
    {"S.C to Gnd/Sensor lower limit", -1.0},
    {"Cold or Open Circuit", 0.0},
}};

std::optional<double> SensorWordValue(std::string_view sample) {
  for (const TSensorWord& word : kSensorWords) {
    if (sample == word.Text) {
      return word.Value;
    }
  }
  return std::nullopt;
}

// A plain loop: the leading field is a few characters, too short to gain
// from a library search.
std::string_view AfterFirstComma(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ',') {
      return text.substr(i + 1);
    }
  }
  return text;
}

// The shortcut reads "." as the separator, which is what the replacement
// makes of it, unless the locale's separator is a digit and would merge the
// two parts of the number.
bool PlainShortcutHolds() { return LocaleDecimalSeparator < '0' || LocaleDecimalSeparator > '9'; }

}  // namespace

std::string_view HeaderTitle(std::string_view header) { return AfterFirstComma(header); }

std::string_view SampleText(std::string_view line) { return AfterFirstComma(line); }

// No sensor word is a plain number, so trying the shortcut first changes no
// result and spares most samples the word comparisons.
double SampleValue(std::string_view sample) {
  std::int64_t amount = 0;
  if (PlainShortcutHolds() && PlainDecimalToCurrency(sample, amount)) {
    return CurrencyToValue(amount);
  }
  if (const std::optional<double> word = SensorWordValue(sample)) {
    return *word;
  }
  std::string text(sample);
  if (const std::size_t point = text.find('.'); point != std::string::npos) {
    text[point] = LocaleDecimalSeparator;
  }
  return CurrencyToValue(TextToCurrency(text));
}

double LogLineValue(const TLogLine& line) {
  const std::string_view sample = SampleText(line.Text);
  if (line.Truncated) {
    RaiseConversionError(std::string(sample) + "...");
  }
  return SampleValue(sample);
}

double TLogSamples::ValueOf(const TLogLine& line) {
  const bool hasField = line.Text.find(',') != std::string_view::npos;
  if (fieldSeen_ && !hasField) {
    RaiseConversionError(line.Text);
  }
  fieldSeen_ = fieldSeen_ || hasField;
  return LogLineValue(line);
}

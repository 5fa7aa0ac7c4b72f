#include "app/LogSample.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>

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

namespace {

// Below this a run is converted on one core: a thread would cost more than
// it saves.
constexpr std::size_t kSmallestPiece = std::size_t{1} << 16;

std::vector<std::string_view> SplitAtLineFeeds(std::string_view run) {
  const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
  const std::size_t parts = std::clamp<std::size_t>(run.size() / kSmallestPiece, 1, cores);
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t k = 1; k < parts; ++k) {
    const std::size_t lineFeed = run.find('\n', std::max(start, run.size() * k / parts));
    if (lineFeed == std::string_view::npos) {
      break;
    }
    pieces.push_back(run.substr(start, lineFeed + 1 - start));
    start = lineFeed + 1;
  }
  pieces.push_back(run.substr(start));
  return pieces;
}

std::exception_ptr ConversionError(std::string_view text) {
  try {
    RaiseConversionError(text);
  } catch (...) {
    return std::current_exception();
  }
}

}  // namespace

// One core's share of a run: its values up to its first bad line, and where
// lines with and without a leading field first occur, which only the lines
// before it can tell.
struct TLogSamples::TPiece {
  static constexpr std::size_t kNone = SIZE_MAX;

  std::vector<double> Values;
  std::exception_ptr Error;  // of the line after the last value
  std::size_t FirstWithField = kNone;
  std::size_t FirstWithoutField = kNone;
  std::size_t CutAfterField = kNone;  // the first line without a field after one with it
  std::string_view FirstWithoutFieldText;
  std::string_view CutAfterFieldText;

  void Convert(std::string_view text) {
    TLogLines lines(text);
    TLogLine line;
    try {
      while (lines.Next(line)) {
        const std::size_t index = Values.size();
        if (line.Text.find(',') != std::string_view::npos) {
          FirstWithField = std::min(FirstWithField, index);
        } else if (FirstWithField != kNone) {
          CutAfterField = index;
          CutAfterFieldText = line.Text;
          return;
        } else if (FirstWithoutField == kNone) {
          FirstWithoutField = index;
          FirstWithoutFieldText = line.Text;
        }
        Values.push_back(LogLineValue(line));
      }
    } catch (...) {
      Error = std::current_exception();
    }
  }
};

std::exception_ptr TLogSamples::Convert(std::string_view run, std::vector<double>& values) {
  const std::vector<std::string_view> texts = SplitAtLineFeeds(run);
  std::vector<TPiece> pieces(texts.size());
  {
    std::vector<std::jthread> helpers;
    helpers.reserve(texts.size() - 1);
    for (std::size_t i = 1; i < texts.size(); ++i) {
      helpers.emplace_back([&piece = pieces[i], text = texts[i]] { piece.Convert(text); });
    }
    pieces[0].Convert(texts[0]);
  }
  for (TPiece& piece : pieces) {
    if (std::exception_ptr error = Take(piece, values)) {
      return error;
    }
  }
  return nullptr;
}

// The piece's values in the light of the lines before it: when those had a
// leading field, its first line without one is where the log was cut.
std::exception_ptr TLogSamples::Take(TPiece& piece, std::vector<double>& values) {
  const std::size_t cut = fieldSeen_ ? std::min(piece.FirstWithoutField, piece.CutAfterField) : piece.CutAfterField;
  const std::size_t failed = piece.Error ? piece.Values.size() : TPiece::kNone;
  const std::size_t stop = std::min({cut, failed, piece.Values.size()});
  values.insert(values.end(), piece.Values.begin(), piece.Values.begin() + static_cast<std::ptrdiff_t>(stop));
  fieldSeen_ = fieldSeen_ || piece.FirstWithField < stop;
  if (cut != TPiece::kNone && cut <= failed) {
    return ConversionError(cut == piece.CutAfterField ? piece.CutAfterFieldText : piece.FirstWithoutFieldText);
  }
  return piece.Error;
}

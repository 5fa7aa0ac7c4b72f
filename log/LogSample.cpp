#include "log/LogSample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "log/RunPieces.h"
#include "log/TLogLines.h"
#include "log/TSkippedLines.h"
#include "runtime/Exception.h"
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
std::size_t FirstComma(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ',') {
      return i;
    }
  }
  return std::string_view::npos;
}

// The text after the comma at `comma`, or all of it when there is none.
std::string_view AfterComma(std::string_view text, std::size_t comma) {
  return comma == std::string_view::npos ? text : text.substr(comma + 1);
}

std::string_view AfterFirstComma(std::string_view text) { return AfterComma(text, FirstComma(text)); }

// The sample text as the general conversion reads it: its first "." is the
// decimal separator.
std::string WithDecimalSeparator(std::string_view sample, char decimalSeparator) {
  std::string text(sample);
  if (const std::size_t point = text.find('.'); point != std::string::npos) {
    text[point] = decimalSeparator;
  }
  return text;
}

// A line cut short is quoted as the conversion would read it, like every
// other bad line.
[[noreturn]] void RaiseCutLine(std::string_view line, char decimalSeparator) {
  RaiseConversionError(WithDecimalSeparator(line, decimalSeparator));
}

std::exception_ptr CutLineError(std::string_view line, char decimalSeparator) {
  try {
    RaiseCutLine(line, decimalSeparator);
  } catch (...) {
    return std::current_exception();
  }
}

// The shortcut reads "." as the separator, which is what the replacement
// makes of it, unless the separator means something else to the general
// conversion as well: a digit merges the two parts of the number, a blank is
// also padding and a sign makes ".5" read "-5".
bool PlainShortcutHolds(char separator) {
  return (separator < '0' || separator > '9') && separator != ' ' && separator != '+' && separator != '-';
}

// How samples are read under one decimal separator, worked out once for
// all the samples of a load.
struct TSampleReading {
  char Separator;
  bool PlainShortcut;
};

TSampleReading ReadingFor(char separator) { return {separator, PlainShortcutHolds(separator)}; }

// No sensor word is a plain number, so trying the shortcut first changes no
// result and spares most samples the word comparisons.
double ReadSample(std::string_view sample, TSampleReading reading, bool& isWord) {
  std::int64_t amount = 0;
  if (reading.PlainShortcut && PlainDecimalToCurrency(sample, amount)) {
    return CurrencyToValue(amount);
  }
  if (const std::optional<double> word = SensorWordValue(sample)) {
    isWord = true;
    return *word;
  }
  return CurrencyToValue(TextToCurrency(WithDecimalSeparator(sample, reading.Separator), reading.Separator));
}

// The value of a line whose sample is `sample`.
double LineValue(const TLogLine& line, std::string_view sample, TSampleReading reading, bool& isWord) {
  if (line.Truncated) {
    RaiseConversionError(std::string(sample) + "...");
  }
  return ReadSample(sample, reading, isWord);
}

// LineValue, false for a line that is no sample.
bool TryLineValue(const TLogLine& line, std::string_view sample, TSampleReading reading, bool& isWord, double& value) {
  try {
    value = LineValue(line, sample, reading, isWord);
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

}  // namespace

std::string_view HeaderTitle(std::string_view header) { return AfterFirstComma(header); }

double SampleValue(std::string_view sample, char decimalSeparator) {
  bool isWord = false;
  return ReadSample(sample, ReadingFor(decimalSeparator), isWord);
}

std::optional<std::string_view> SensorWordText(double value) {
  for (const TSensorWord& word : kSensorWords) {
    if (value == word.Value) {
      return word.Text;
    }
  }
  return std::nullopt;
}

bool HasLeadingField(std::string_view line) { return FirstComma(line) != std::string_view::npos; }

std::optional<std::string_view> LeadingField(std::string_view line) {
  const std::size_t comma = FirstComma(line);
  if (comma == std::string_view::npos) {
    return std::nullopt;
  }
  return line.substr(0, comma);
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Past the digits from `i` on, counting them.
std::size_t SkipDigits(std::string_view text, std::size_t i, std::size_t& digits) {
  const std::size_t start = i;
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
  }
  digits += i - start;
  return i;
}

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && text[i] == ' ') {
    ++i;
  }
  return i;
}

std::size_t SkipSign(std::string_view text, std::size_t i) {
  return i < text.size() && (text[i] == '+' || text[i] == '-') ? i + 1 : i;
}

bool IsNumberWithSignOrExponent(std::string_view field) {
  std::size_t digits = 0;
  std::size_t i = SkipDigits(field, SkipSign(field, SkipBlanks(field, 0)), digits);
  if (i < field.size() && field[i] == '.') {
    i = SkipDigits(field, i + 1, digits);
  }
  if (digits == 0) {
    return false;
  }
  if (i < field.size() && (field[i] == 'e' || field[i] == 'E')) {
    std::size_t exponentDigits = 0;
    i = SkipDigits(field, SkipSign(field, i + 1), exponentDigits);
    if (exponentDigits == 0) {
      return false;
    }
  }
  return SkipBlanks(field, i) == field.size();
}

}  // namespace

// Signs, blanks and exponents are rare in time stamps: the common field of
// digits with one point is settled in one pass.
bool IsNumericField(std::string_view field) {
  std::size_t digits = 0;
  std::size_t points = 0;
  for (const char c : field) {
    if (IsDigit(c)) {
      ++digits;
    } else if (c == '.') {
      ++points;
    } else {
      return IsNumberWithSignOrExponent(field);
    }
  }
  return digits > 0 && points <= 1;
}

double LogLineValue(const TLogLine& line, TLeadingFieldRule& rule, char decimalSeparator) {
  const std::size_t comma = FirstComma(line.Text);
  if (!rule.Takes(comma != std::string_view::npos)) {
    RaiseCutLine(line.Text, decimalSeparator);
  }
  bool isWord = false;
  return LineValue(line, AfterComma(line.Text, comma), ReadingFor(decimalSeparator), isWord);
}

namespace {}  // namespace

// One core's share of a run: its values up to its first bad line (or all
// of them, gaps for the bad ones, when skipping), and where the
// leading-field rule cuts it, which depends on whether the lines before it
// had a leading field, and only they can tell.
struct TLogSamples::TPiece {
  static constexpr std::size_t kNone = SIZE_MAX;

  struct TCut {
    std::size_t Index = kNone;
    std::string_view Text;
  };

  // The gaps of one kind: how many, and the first of them.
  struct TGaps {
    std::size_t Count = 0;
    std::vector<TGap> First;

    void Add(std::size_t index, std::string_view text) {
      ++Count;
      if (First.size() < TSkippedLines::Kept) {
        First.push_back({index, text});
      }
    }
  };

  std::vector<double> Values;
  // The indices among Values of the sensor words, in order.
  std::vector<std::uint32_t> Words;
  // Where lines 0, LineStartStep, 2 LineStartStep ... start.
  std::vector<const char*> LineStarts;
  std::vector<std::optional<TStamp>> Stamps;
  TStampSpelling Spelling;
  // The first line without a numeric leading field.
  std::size_t FirstNotNumeric = kNone;
  std::exception_ptr Error;  // of the line after the last value
  // Indexed by whether the lines before the piece had a leading field.
  std::array<TCut, 2> Cuts;
  std::size_t FirstWithField = kNone;
  // Skipping: the lines that are no sample whatever came before, and the
  // lines without a leading field before FirstWithField, which are samples
  // only when no line before the piece had one.
  TGaps Gaps;
  TGaps Bare;

  // Starts over for another text, keeping the room the values had.
  void Reset() {
    Values.clear();
    Words.clear();
    LineStarts.clear();
    Stamps.clear();
    Spelling = {};
    FirstNotNumeric = kNone;
    Error = nullptr;
    Cuts = {};
    FirstWithField = kNone;
    Gaps.Count = Bare.Count = 0;
    Gaps.First.clear();
    Bare.First.clear();
  }

  void NoteLine(std::string_view text, std::size_t index, bool numeric, std::optional<TStamp> stamp) {
    if (index % LineStartStep == 0) {
      LineStarts.push_back(text.data());
    }
    if (!numeric) {
      FirstNotNumeric = std::min(FirstNotNumeric, index);
    }
    Stamps.push_back(stamp);
  }

  void Cut(bool afterField, std::size_t index, std::string_view text) {
    if (Cuts[afterField].Index == kNone) {
      Cuts[afterField] = {index, text};
    }
  }

  std::optional<TStamp> StampOf(std::string_view field) {
    TStampForm form;
    const std::optional<TStamp> stamp = ParseStamp(field, form);
    if (stamp) {
      Spelling.Note(*stamp, form);
    }
    return stamp;
  }

  void AddGap(std::string_view text) {
    Gaps.Add(Values.size(), text);
    const std::optional<std::string_view> field = LeadingField(text);
    NoteLine(text, Values.size(), true, field ? StampOf(*field) : std::nullopt);
    Values.push_back(std::numeric_limits<double>::quiet_NaN());
  }

  // Follows the rule from both states the lines before may leave; without a
  // leading field before, the state is whether the piece had one so far,
  // and a cut ends the piece, as the lines after it count under neither.
  // Skipping, a line that is no sample is a gap and the piece goes on.
  void Convert(std::string_view text, char decimalSeparator, bool skipping) {
    Reset();
    const TSampleReading reading = ReadingFor(decimalSeparator);
    const TExtendedArithmeticScope arithmetic;
    TLogLines lines(text);
    TLogLine line;
    try {
      while (lines.Next(line)) {
        const std::size_t index = Values.size();
        const std::size_t comma = FirstComma(line.Text);
        const bool hasField = comma != std::string_view::npos;
        if (!hasField && FirstWithField != kNone) {
          if (!skipping) {
            Cut(true, index, line.Text);
            Cut(false, index, line.Text);
            return;
          }
          AddGap(line.Text);
          continue;
        }
        if (!hasField && !skipping) {
          Cut(true, index, line.Text);
        }
        bool isWord = false;
        double value = 0;
        if (!skipping) {
          value = LineValue(line, AfterComma(line.Text, comma), reading, isWord);
        } else if (!TryLineValue(line, AfterComma(line.Text, comma), reading, isWord, value)) {
          AddGap(line.Text);
          continue;
        }
        if (hasField) {
          FirstWithField = std::min(FirstWithField, index);
        } else if (skipping) {
          Bare.Add(index, line.Text);
        }
        // A bare line skipped over is noted when it is taken as a sample.
        const std::optional<TStamp> stamp = hasField ? StampOf(line.Text.substr(0, comma)) : std::nullopt;
        const bool numeric = hasField ? stamp || IsNumericField(line.Text.substr(0, comma)) : skipping;
        NoteLine(line.Text, index, numeric, stamp);
        Values.push_back(value);
        if (isWord) {
          Words.push_back(static_cast<std::uint32_t>(index));
        }
      }
    } catch (...) {
      Error = std::current_exception();
    }
  }

  // The bare lines as gaps: the lines before the piece had a leading field.
  void BareAsGaps() {
    for (std::size_t i = 0; i < std::min(FirstWithField, Values.size()); ++i) {
      Values[i] = std::numeric_limits<double>::quiet_NaN();
    }
    const auto wordsAfter = std::lower_bound(Words.begin(), Words.end(), FirstWithField);
    Words.erase(Words.begin(), wordsAfter);
    std::vector<TGap> first;
    std::merge(Gaps.First.begin(), Gaps.First.end(), Bare.First.begin(), Bare.First.end(), std::back_inserter(first),
               [](const TGap& a, const TGap& b) { return a.Index < b.Index; });
    first.resize(std::min(first.size(), TSkippedLines::Kept));
    Gaps.First = std::move(first);
    Gaps.Count += std::exchange(Bare.Count, 0);
    Bare.First.clear();
  }
};

TLogSamples::TLogSamples(char decimalSeparator, TLeadingFieldRule rule, TStartThread startThread, bool skipBadLines,
                         std::size_t threads)
    : decimalSeparator_(decimalSeparator),
      rule_(rule),
      startThread_(std::move(startThread)),
      skipBadLines_(skipBadLines),
      threads_(ConvertingThreads(threads)) {}

TLogSamples::~TLogSamples() = default;

// The pieces are taken in order on this thread as they are done, which
// overlaps with the other threads converting the rest.
std::exception_ptr TLogSamples::Convert(std::string_view run, const TTake& take) {
  const std::vector<std::string_view> texts = SplitAtLineEnds(run, threads_);
  // Kept from run to run: fresh ones would fault in their pages every time.
  if (pieces_.size() < texts.size()) {
    pieces_.resize(texts.size());
  }
  std::exception_ptr error;
  ConvertInOrder(
      texts.size(), threads_, startThread_,
      [&](std::size_t i) { pieces_[i].Convert(texts[i], decimalSeparator_, skipBadLines_); },
      [&](std::size_t i) {
        error = Take(pieces_[i], take);
        return error == nullptr;
      });
  return error;
}

// The piece's values in the light of the lines before it.
std::exception_ptr TLogSamples::Take(TPiece& piece, const TTake& take) {
  const bool fieldBefore = rule_.FieldSeen();
  if (fieldBefore && piece.Bare.Count > 0) {
    piece.BareAsGaps();
  }
  const TPiece::TCut& cut = piece.Cuts[fieldBefore];
  const std::size_t failed = piece.Error ? piece.Values.size() : TPiece::kNone;
  const std::size_t stop = std::min({cut.Index, failed, piece.Values.size()});
  const auto wordsTaken = std::lower_bound(piece.Words.begin(), piece.Words.end(), stop);
  const std::size_t lineStartsTaken = (stop + LineStartStep - 1) / LineStartStep;
  // Only a stop that memory forced cuts a piece with gaps short.
  firstGaps_.clear();
  std::size_t gapCount = 0;
  for (const TGap& gap : piece.Gaps.First) {
    if (gap.Index < stop) {
      firstGaps_.push_back(gap);
    }
  }
  if (piece.Gaps.Count > 0) {
    gapCount = static_cast<std::size_t>(std::count_if(piece.Values.begin(),
                                                      piece.Values.begin() + static_cast<std::ptrdiff_t>(stop),
                                                      [](double value) { return std::isnan(value); }));
  }
  const bool bareTaken = piece.Bare.Count > 0 && piece.Bare.First.front().Index < stop;
  take({std::span<const double>(piece.Values.data(), stop),
        std::span<const std::uint32_t>(piece.Words.data(), static_cast<std::size_t>(wordsTaken - piece.Words.begin())),
        std::span<const char* const>(piece.LineStarts.data(), lineStartsTaken),
        piece.FirstNotNumeric >= stop && !bareTaken, std::span(piece.Stamps.data(), stop), gapCount, firstGaps_,
        piece.Spelling});
  rule_ = TLeadingFieldRule(fieldBefore || piece.FirstWithField < stop);
  if (cut.Index != TPiece::kNone && cut.Index <= failed) {
    return CutLineError(cut.Text, decimalSeparator_);
  }
  return piece.Error;
}

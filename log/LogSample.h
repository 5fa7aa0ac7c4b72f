#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "log/RunPieces.h"
#include "log/TLeadingFieldRule.h"
#include "log/TLogLine.h"
#include "log/TStampTimes.h"

// The pane title a log's header line gives: the text after its first ",",
// or the whole line when it has none.
std::string_view HeaderTitle(std::string_view header);

// Whether a log line has a leading field before its sample.
bool HasLeadingField(std::string_view line);

// The leading field of a log line (a time stamp, say): its text before the
// first ",", or none for a line without one.
std::optional<std::string_view> LeadingField(std::string_view line);

// Whether a leading field is a plain decimal number, blanks around it
// allowed: an optional sign, digits with at most one ".", an exponent.
bool IsNumericField(std::string_view field);

// The loader notes where every LineStartStep-th sample line starts, so that
// a sample's leading field can be read back from the file.
inline constexpr std::size_t LineStartStep = 128;

// The value of a sample: the fixed value of one of the four sensor-state
// words, compared exactly, or else the number with four fixed decimals. The
// first "." stands for the decimal separator, so "12.5" is 12.5 whatever
// the separator. Raises EConvertError naming the text when it is not a
// number.
double SampleValue(std::string_view sample, char decimalSeparator);

// The sensor word whose fixed value `value` is, or none.
std::optional<std::string_view> SensorWordText(double value);

// The value of the next sample line, `rule` holding what the lines before
// it left. A line cut short or cut at MaxLogLineLength cannot be trusted as
// a number and raises the conversion error for its kept part.
double LogLineValue(const TLogLine& line, TLeadingFieldRule& rule, char decimalSeparator);

// The values of a log's sample lines, converted run by run on every core
// with exactly the meaning of LogLineValue line after line. When no thread
// can be started, the calling thread converts alone. Skipping bad lines, a
// line that is no sample becomes a gap (a NaN among the values) instead of
// stopping the conversion, and leaves the leading-field rule as it was.
class TLogSamples {
public:
  // `threads` converting at most, the calling one included; 0 for one per
  // core.
  explicit TLogSamples(char decimalSeparator, TLeadingFieldRule rule = TLeadingFieldRule(),
                       TStartThread startThread = {}, bool skipBadLines = false, std::size_t threads = 0);
  ~TLogSamples();
  TLogSamples(const TLogSamples&) = delete;
  TLogSamples& operator=(const TLogSamples&) = delete;

  // A line skipped as no sample: its index among Values, and its text.
  struct TGap {
    std::size_t Index = 0;
    std::string_view Text;
  };

  // One part of the sample lines converted.
  struct TTaken {
    std::span<const double> Values;
    // The indices among Values of the sensor words, in order.
    std::span<const std::uint32_t> Words;
    // Where in the run lines 0, LineStartStep, 2 LineStartStep ... of
    // Values start.
    std::span<const char* const> LineStarts;
    // Every line of Values has a numeric leading field.
    bool FieldsNumeric = true;
    // Each line's leading field as a time stamp, where it is one.
    std::span<const std::optional<TStamp>> Stamps;
    // How many of Values are gaps (NaN), and the first of them, in order,
    // at most TSkippedLines::Kept.
    std::size_t GapCount = 0;
    std::span<const TGap> FirstGaps;
    // How the stamps were written (of the whole piece, which may be more).
    TStampSpelling Spelling;
  };
  // Hands to `take`, in order and in one or more parts, the values of the
  // whole lines in `run` (text for TLogLines) up to the first bad line, and
  // returns that line's error, or null when every line converted.
  using TTake = std::function<void(const TTaken& taken)>;
  std::exception_ptr Convert(std::string_view run, const TTake& take);

  // The rule as the values handed out so far leave it.
  TLeadingFieldRule Rule() const { return rule_; }

private:
  struct TPiece;
  std::exception_ptr Take(TPiece& piece, const TTake& take);

  char decimalSeparator_;
  TLeadingFieldRule rule_;
  TStartThread startThread_;
  bool skipBadLines_;
  std::size_t threads_;
  std::vector<TPiece> pieces_;
  std::vector<TGap> firstGaps_;  // of the piece taken last
};

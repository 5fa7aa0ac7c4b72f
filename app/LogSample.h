#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

#include "app/TLeadingFieldRule.h"
#include "app/TLogLine.h"

// The pane title a log's header line gives: the text after its first ",",
// or the whole line when it has none.
std::string_view HeaderTitle(std::string_view header);

// Whether a log line has a leading field before its sample.
bool HasLeadingField(std::string_view line);

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

// Starts a thread that runs `work`; raises std::system_error when no thread
// can be started. Tests put failing starts in its place.
using TStartThread = std::function<std::jthread(std::function<void()> work)>;

// The values of a log's sample lines, converted run by run on every core
// with exactly the meaning of LogLineValue line after line. When no thread
// can be started, the calling thread converts alone.
class TLogSamples {
public:
  explicit TLogSamples(char decimalSeparator, TLeadingFieldRule rule = TLeadingFieldRule(),
                       TStartThread startThread = {});
  ~TLogSamples();
  TLogSamples(const TLogSamples&) = delete;
  TLogSamples& operator=(const TLogSamples&) = delete;

  // Hands to `take`, in order and in one or more parts, the values of the
  // whole lines in `run` (text for TLogLines) up to the first bad line, and
  // returns that line's error, or null when every line converted.
  // With the values, the indices among them of the sensor words.
  using TTake = std::function<void(std::span<const double> values, std::span<const std::uint32_t> words)>;
  std::exception_ptr Convert(std::string_view run, const TTake& take);

  // The rule as the values handed out so far leave it.
  TLeadingFieldRule Rule() const { return rule_; }

private:
  struct TPiece;
  class TPieceQueue;
  std::exception_ptr Take(TPiece& piece, const TTake& take);
  std::vector<std::jthread> StartHelpers(TPieceQueue& queue, std::size_t count) const;

  char decimalSeparator_;
  TLeadingFieldRule rule_;
  TStartThread startThread_;
  std::vector<TPiece> pieces_;
};

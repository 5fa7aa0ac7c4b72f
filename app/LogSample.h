#pragma once

#include <exception>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "app/TLogLineReader.h"

// The pane title a log's header line gives: the text after its first ",",
// or the whole line when it has none.
std::string_view HeaderTitle(std::string_view header);

// The value of a sample: the fixed value of one of the four sensor-state
// words, compared exactly, or else the number with four fixed decimals. The
// first "." stands for the locale's decimal separator, so "12.5" is 12.5 in
// every locale. Raises EConvertError naming the text when it is not a number.
double SampleValue(std::string_view sample);

// SampleValue of a line's sample; a line cut at MaxLogLineLength cannot be
// trusted as a number and raises the conversion error for its kept part.
double LogLineValue(const TLogLine& line);

// The values of a log's sample lines, converted run by run on every core
// with exactly the meaning of converting them one after the other. Once a
// sample had a leading field, a line without the comma was cut short (a log
// cut off within its last line leaves the leading time stamp alone) and is a
// bad line, not a value.
class TLogSamples {
public:
  TLogSamples();
  ~TLogSamples();
  TLogSamples(const TLogSamples&) = delete;
  TLogSamples& operator=(const TLogSamples&) = delete;

  // Hands to `take`, in order and in one or more parts, the values of the
  // whole lines in `run` (text for TLogLines) up to the first bad line, and
  // returns that line's error, or null when every line converted.
  using TTake = std::function<void(std::span<const double>)>;
  std::exception_ptr Convert(std::string_view run, const TTake& take);

private:
  struct TPiece;
  class TPieceQueue;
  std::exception_ptr Take(TPiece& piece, const TTake& take);

  bool fieldSeen_ = false;
  std::vector<TPiece> pieces_;
};

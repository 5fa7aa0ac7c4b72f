#include "app/view/PaneTimes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "log/TStampTimes.h"
#include "runtime/NumberFormat.h"

bool TPaneTimes::Usable() const { return Times != nullptr && Times->Known() && Times->Increasing(); }

double TPaneTimes::SampleTime(std::size_t index) const { return Times->Seconds(index) + Offset; }

TAxisRange TPaneTimes::Span() const { return {SampleTime(0), SampleTime(Times->Count() - 1)}; }

// A log of one sample, or of equal stamps, has no interval: a second keeps
// the mapping finite.
double TPaneTimes::MeanInterval() const {
  const std::size_t count = Times->Count();
  const TAxisRange span = Span();
  const double interval = count > 1 ? (span.Maximum - span.Minimum) / static_cast<double>(count - 1) : 0;
  return interval > 0 ? interval : 1;
}

double TPaneTimes::SampleAt(double seconds) const {
  const std::size_t last = Times->Count() - 1;
  const TAxisRange span = Span();
  if (seconds <= span.Minimum) {
    return (seconds - span.Minimum) / MeanInterval();
  }
  if (seconds >= span.Maximum) {
    return static_cast<double>(last) + (seconds - span.Maximum) / MeanInterval();
  }
  std::size_t before = Times->NearestSample(seconds - Offset);
  if (SampleTime(before) > seconds) {
    --before;
  }
  const double from = SampleTime(before);
  const double to = SampleTime(before + 1);
  return static_cast<double>(before) + (to > from ? (seconds - from) / (to - from) : 0);
}

std::optional<std::size_t> TPaneTimes::NearestSample(double seconds) const {
  const TAxisRange span = Span();
  const double reach = MeanInterval() / 2;
  if (seconds < span.Minimum - reach || seconds > span.Maximum + reach) {
    return std::nullopt;
  }
  return Times->NearestSample(seconds - Offset);
}

std::optional<std::pair<std::size_t, std::size_t>> TPaneTimes::SamplesBetween(double low, double high) const {
  const std::optional<std::size_t> middle = NearestSample((low + high) / 2);
  if (!middle) {
    return std::nullopt;
  }
  std::size_t first = *middle;
  std::size_t last = *middle;
  if (SampleTime(first) < low || SampleTime(first) > high) {
    return std::pair{first, last};
  }
  // The column's samples around the middle one, found by halving.
  std::size_t lowIndex = Times->NearestSample(low - Offset);
  if (SampleTime(lowIndex) < low) {
    ++lowIndex;
  }
  std::size_t highIndex = Times->NearestSample(high - Offset);
  if (SampleTime(highIndex) > high) {
    --highIndex;
  }
  first = std::min(first, lowIndex);
  last = std::max(last, highIndex);
  return std::pair{first, last};
}

std::string OffsetText(double seconds, char decimalSeparator) {
  return (seconds > 0 ? "+" : "") + ShortestNumberText(seconds, decimalSeparator) + " s";
}

std::optional<double> ParseOffset(std::string text, char decimalSeparator) {
  std::replace(text.begin(), text.end(), decimalSeparator, '.');
  const std::size_t sign = text.find_first_not_of(' ');
  if (sign != std::string::npos && text[sign] == '+') {
    text[sign] = ' ';
  }
  const std::optional<TStamp> stamp = ParseStamp(text);
  return stamp ? std::optional<double>(StampSeconds(*stamp)) : std::nullopt;
}

std::string ClockLabel(double seconds, const std::string& label, char decimalSeparator) {
  const std::size_t point = label.find(decimalSeparator);
  const int decimals = point == std::string::npos ? 0 : static_cast<int>(label.size() - point - 1);
  long long scale = 1;
  for (int k = 0; k < decimals; ++k) {
    scale *= 10;
  }
  const long long units = std::llround(std::abs(seconds) * static_cast<double>(scale));
  const long long whole = units / scale;
  char text[64];
  std::snprintf(text, sizeof text, "%s%02lld:%02lld:%02lld", seconds < 0 && units != 0 ? "-" : "", whole / 3600,
                whole / 60 % 60, whole % 60);
  std::string clock = text;
  if (decimals > 0) {
    std::string fraction = std::to_string(units % scale);
    clock += decimalSeparator + std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') + fraction;
  }
  return clock;
}

#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include <utility>

#include "chart/panel/TCustomChartPanelExtended.h"

class TStampTimes;

// A pane's log on the common time line: its samples' stamps shifted by the
// log's offset. Sample numbers between two samples lie between their
// stamps in proportion; before the first and after the last sample they go
// on at the log's mean sample interval.
struct TPaneTimes {
  const TStampTimes* Times = nullptr;
  double Offset = 0;

  // The stamps are known and increasing, so the log can follow a time.
  bool Usable() const;
  // The time of sample `index`, offset included.
  double SampleTime(std::size_t index) const;
  // From the first to the last sample's time.
  TAxisRange Span() const;
  // The sample number, with fraction, at `seconds`.
  double SampleAt(double seconds) const;
  // The sample whose time is nearest `seconds`; none when the log does not
  // cover that time (half a mean interval beyond its ends counts as
  // covered, so the edge samples can be pointed at).
  std::optional<std::size_t> NearestSample(double seconds) const;
  // The samples whose times lie from `low` to `high`, else the one nearest
  // their middle, as first and last; none where the log has no data.
  std::optional<std::pair<std::size_t, std::size_t>> SamplesBetween(double low, double high) const;

private:
  double MeanInterval() const;
};

// A shift in time as the title line shows it: "+12.5 s", "-3 s".
std::string OffsetText(double seconds, char decimalSeparator);
// A shift typed in seconds ("12.5", "+12,5" with the locale's separator,
// "-3") or as a clock time ("01:00:00"); none for anything else.
std::optional<double> ParseOffset(std::string text, char decimalSeparator);
// A time axis label of `seconds` as a clock time "hh:mm:ss", with as many
// decimals as the engine's `label` of the same value has after its
// `decimalSeparator`.
std::string ClockLabel(double seconds, const std::string& label, char decimalSeparator);

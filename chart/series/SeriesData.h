#pragma once

#include <cstdint>
#include <span>
#include <vector>

class TChartSeries;

// The binary stored form of a series' points, the property "Data".
// Little-endian: 1 flag byte, a 32-bit signed point count, then per point:
// X as a double when flag 1 is set (otherwise X is the point's index), Y as a
// double, a 32-bit colour when flag 2 is set (otherwise clDefault), a label
// as a length byte and its characters when flag 4 is set, and one double for
// every value list after the second.
enum TSeriesDataFlag : std::uint8_t {
  sdExplicitX = 1,
  sdColors = 2,
  sdLabels = 4,
  sdMarkPositions = 8,
};

std::vector<std::uint8_t> WriteSeriesData(const TChartSeries& series);

// Replaces the series' points by the stored ones, added inside one bulk
// update. The whole form is checked first: a truncated or inconsistent form
// raises an Exception and leaves the series as it was.
void ReadSeriesData(TChartSeries& series, std::span<const std::uint8_t> data);

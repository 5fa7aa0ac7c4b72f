#pragma once

#include <span>

#include "gui/Color.h"

class TChartSeries;

// Samples, none a gap, after the series' points so far.
void AppendSamples(std::span<const double> values, TChartSeries& series, TColor color);

// Samples with gaps (NaN) among them: each run of samples and each run of
// gaps in one append.
void AppendWithGaps(std::span<const double> values, TChartSeries& series, TColor color);

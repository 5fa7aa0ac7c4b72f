#pragma once

#include <cstddef>

#include "gui/Color.h"
#include "gui/Geometry.h"

class TCanvas3D;
class TChartSeries;
class TWordSamples;

// Sensor words as states rather than numbers: their points become gaps in
// the curve, which keep them out of the value axis' range, and marks with
// their words stand along the pane's bottom edge instead.

// The word points from `first` on made gaps (on), or points of the curve in
// `color` again (off).
void ShowWordsAsMarks(TChartSeries& series, const TWordSamples& words, bool on, TColor color, std::size_t first = 0);
// The marks of the word points in view, at the bottom of `plot`; a word is
// written beside its mark where the one before leaves room.
void DrawWordMarks(TCanvas3D& canvas, const TChartSeries& series, const TWordSamples& words, const TRect& plot);

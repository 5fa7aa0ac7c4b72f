// Sensor words shown as marks: gaps in the curve, out of the value axis'
// range and of the fitted view, still words in the figures and the readout,
// and points of the curve again when the mode is off.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/measure/CursorReadout.h"
#include "app/measure/StretchStatistics.h"
#include "app/state/TSavedState.h"
#include "app/view/TPaneCoordinator.h"
#include "app/view/WordMarks.h"
#include "chart/canvas/TRecordingCanvas3D.h"
#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"
#include "log/TLogNotes.h"

namespace {

constexpr double kRich = 2.0;  // the value a "Rich" sample is stored as
constexpr double kCold = 0.0;  // "Cold or Open Circuit", at the even places

// Values 0.9 to 1.1 with words among them, in one pane.
struct WordPane {
  TChart Chart;
  TLineSeries Series;
  TLogNotes Notes;
  std::vector<std::size_t> WordAt = {3, 4, 40, 99};

  WordPane() {
    Chart.SeriesList().Add(Series);
    Series.SetVertAxis(aRightAxis);
    for (int i = 0; i < 100; ++i) {
      const bool word = std::find(WordAt.begin(), WordAt.end(), static_cast<std::size_t>(i)) != WordAt.end();
      Series.AppendValue(word ? (i % 2 == 0 ? kCold : kRich) : 0.9 + 0.002 * i, "", clBlue);
    }
    for (const std::size_t index : WordAt) {
      Notes.Words.Mark(index);
    }
    Chart.SetBounds(0, 0, 728, 129);
    Chart.Refresh();
  }

  void Show(bool on) {
    ShowWordsAsMarks(Series, Notes.Words, on, clBlue);
    Chart.Refresh();
  }
};

TEST(WordMarks, WordsBecomeGapsOutOfTheScaleAndBackAgain) {
  WordPane pane;
  EXPECT_EQ(pane.Chart.RightAxis().Maximum(), kRich);
  pane.Show(true);
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(pane.Series.IsNullPoint(i), pane.Notes.Words.IsWord(static_cast<std::size_t>(i))) << i;
  }
  EXPECT_EQ(pane.Series.YValueAt(3), kRich) << "the word's value stays, for the readout";
  EXPECT_DOUBLE_EQ(pane.Chart.RightAxis().Minimum(), 0.9);
  EXPECT_DOUBLE_EQ(pane.Chart.RightAxis().Maximum(), 0.9 + 0.002 * 98);
  pane.Show(false);
  EXPECT_FALSE(pane.Series.MayHaveNullPoints()) << "one colour kept once again";
  EXPECT_EQ(pane.Chart.RightAxis().Maximum(), kRich);
}

// The figures count the words apart in either mode; the readout names the
// word, not a gap.
TEST(WordMarks, FiguresAndReadoutStillSeeWords) {
  for (const bool on : {false, true}) {
    WordPane pane;
    pane.Show(on);
    TBlockSums sums;
    const TStretchStatistics all = StretchStatistics(pane.Series.YValues(), 0, 99, sums);
    const TStretchStatistics numbers = NumbersOnly(pane.Series.YValues(), all, pane.Notes.Words);
    EXPECT_EQ(numbers.Words, 4) << on;
    EXPECT_EQ(numbers.Gaps, 0) << on;
    EXPECT_EQ(numbers.Count(), 96) << on;
    EXPECT_DOUBLE_EQ(numbers.Max, 0.9 + 0.002 * 98) << on;
    const std::string text =
        ReadoutText(pane.Series, pane.Chart.RightAxis(), TColumnSamples{3, 3, kRich, kRich}, &pane.Notes);
    EXPECT_EQ(text, "#3  Rich") << on;
  }
}

// A view fitted to the samples shown leaves the words out.
TEST(WordMarks, AFittedViewLeavesTheWordsOut) {
  std::array<WordPane, 4> panes;
  TSavedState state;
  state.SetFitValues(true);
  TPaneCoordinator coordinator({&panes[0].Chart, &panes[1].Chart, &panes[2].Chart, &panes[3].Chart}, state);
  panes[0].Show(true);
  panes[0].Chart.BottomAxis().SetAxisRange(2, 50);
  coordinator.FitChanged();
  EXPECT_DOUBLE_EQ(panes[0].Chart.RightAxis().Minimum(), 0.9 + 0.002 * 2);
  EXPECT_DOUBLE_EQ(panes[0].Chart.RightAxis().Maximum(), 0.9 + 0.002 * 50);
}

// A mark a word point in view.
TEST(WordMarks, MarksStandAtTheWordsColumnsAlongTheBottom) {
  WordPane pane;
  pane.Show(true);
  TRecordingCanvas3D canvas;
  DrawWordMarks(canvas, pane.Series, pane.Notes.Words, pane.Chart.PlotRect);
  std::size_t polygons = 0;
  for (const std::string& call : canvas.Calls) {
    polygons += call.find("Polygon") != std::string::npos ? 1U : 0U;
  }
  EXPECT_EQ(polygons, pane.WordAt.size());
}

}  // namespace

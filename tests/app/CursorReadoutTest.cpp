#include "app/measure/CursorReadout.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "gui/TRasterCanvas.h"
#include "tests/SampleLogs.h"
#include "tests/app/TempFolder.h"
#include "tests/runtime/LocaleScope.h"
#include "tests/support/SamePicture.h"

namespace {

const std::vector<std::string> kSampleLogs = SampleLogPaths();

TEST(NearestPointIndex, TakesTheNearestXAndTheEarlierOnATie) {
  TForm1 form(TempFolder().Folder());
  TChartSeries& series = form.PaneSeries(0);
  EXPECT_FALSE(NearestPointIndex(series, 3).has_value()) << "an empty series has no nearest point";
  for (const double y : {5.0, 6.0, 7.0, 8.0}) {
    series.AppendValue(y, "", clBlue);  // X = 0, 1, 2, 3
  }
  const struct {
    double x;
    int expected;
  } cases[] = {{-10, 0}, {0, 0}, {0.49, 0}, {0.5, 0}, {0.51, 1}, {2, 2}, {2.6, 3}, {3, 3}, {1e9, 3}};
  for (const auto& c : cases) {
    EXPECT_EQ(NearestPointIndex(series, c.x), c.expected) << "x " << c.x;
  }
}

// A window with the four sample logs, painted, its dialogs scripted.
class Readout : public testing::Test {
protected:
  Readout() : form(folder.Folder()) {
    form.OpenLogs(0, kSampleLogs);
    PaintPanes();
  }

  void PaintPanes() {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      form.PaneChart(pane).Repaint();
    }
  }

  TempFolder folder;
  DialogScript script;
  TForm1 form;
};

TEST_F(Readout, TextIsTheSampleNumbersAndTheValuesAsTheAxisLabelsWriteThem) {
  const struct {
    std::uint8_t pane = 0;
    TColumnSamples samples;
    char decimal = '.';
    char thousands = ',';
    const char* expected = "";
  } cases[] = {
      {1, {0, 0, 0, 0}, '.', ',', "#0  2,512"},
      {1, {1, 1, 0, 0}, ',', '.', "#1  2.572"},
      {3, {0, 0, 0, 0}, '.', ',', "#0  12.38"},
      {3, {0, 0, 0, 0}, ',', '.', "#0  12,38"},
      {0, {0, 0, 0, 0}, '.', ',', "#0  1.01"},
      // Several samples in the column: their numbers and the extremes of their values.
      {3, {2, 7, 12.5, 13.25}, '.', ',', "#2\u20137  12.5 \u2026 13.25"},
      {3, {1000, 1234, -1, 2}, ',', '.', "#1.000\u20131.234  -1 \u2026 2"},
      {3, {1234, 1234, 0, 0}, '.', ',', "#1,234  "},
  };
  for (const auto& c : cases) {
    const LocaleScope locale(c.decimal, c.thousands);
    const TChartSeries& series = form.PaneSeries(c.pane);
    const std::string text = ReadoutText(series, *series.ResolvedVertAxis(), c.samples);
    EXPECT_EQ(text.substr(0, std::string(c.expected).size()), c.expected) << text;
  }
}

TEST(ColumnSamples, AreThePointsMappedToTheColumnOrElseTheNearest) {
  TForm1 form(TempFolder().Folder());
  TChartSeries& series = form.PaneSeries(0);
  // Several samples a column, and a few columns without a point after a zoom below.
  std::vector<double> values(5000);
  for (std::size_t i = 0; i < values.size(); ++i) {
    values[i] = static_cast<double>((i * 7919) % 1013);
  }
  for (const double y : values) {
    series.AppendValue(y, "", clBlue);
  }
  TChartAxis& axis = form.Chart1.BottomAxis();
  form.Chart1.Repaint();
  const TRect plot = form.Chart1.PlotRect;
  for (int column = plot.Left; column <= plot.Right; ++column) {
    int first = -1;
    int last = -1;
    for (int i = 0; i < series.PointCount(); ++i) {
      if (axis.ValueToPixel(series.XValueAt(i)) == column) {
        first = first < 0 ? i : first;
        last = i;
      }
    }
    const std::optional<TColumnSamples> samples = ColumnSamples(series, axis, column);
    ASSERT_TRUE(samples.has_value());
    if (first < 0) {
      EXPECT_EQ(samples->First, samples->Last) << "a column without a sample shows the nearest one";
      EXPECT_EQ(samples->First, *NearestPointIndex(series, axis.PixelToValue(column)));
      continue;
    }
    EXPECT_EQ(samples->First, first) << "column " << column;
    EXPECT_EQ(samples->Last, last) << "column " << column;
    EXPECT_EQ(samples->Min, *std::min_element(values.begin() + first, values.begin() + last + 1));
    EXPECT_EQ(samples->Max, *std::max_element(values.begin() + first, values.begin() + last + 1));
  }
}

TEST_F(Readout, HoverDrawsTheLineAtTheSameColumnOfEveryPaneOverItsKeptPicture) {
  std::vector<TPicture> before;
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    before.push_back(PictureOf(form.PaneChart(pane).Screen()));
  }
  const long paintsBefore = form.Chart1.PaintCount();
  const int column = 300;
  form.Chart2.MouseMove(0, column, 60);
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    TChart& chart = form.PaneChart(pane);
    ASSERT_TRUE(chart.HasOverlay()) << "pane " << int(pane);
    const TRasterCanvas& shown = chart.Shown();
    // The line runs the plot's height; the box sits at its top, so the lower half is line only.
    for (int y = (chart.PlotRect.Top + chart.PlotRect.Bottom) / 2; y <= chart.PlotRect.Bottom; ++y) {
      EXPECT_EQ(shown.GetPixel(column, y), kReadoutLineColor) << "pane " << int(pane) << " y " << y;
    }
    EXPECT_EQ(shown.GetPixel(column + 5, chart.PlotRect.Top + 6), kReadoutBoxColor) << "pane " << int(pane);
    EXPECT_TRUE(SamePicture(PictureOf(chart.Screen()), before[pane], "kept-pane-" + std::to_string(pane)))
        << "the chart's picture is untouched, pane " << int(pane);
  }
  EXPECT_EQ(form.Chart1.PaintCount(), paintsBefore) << "the charts are not painted again";

  form.Chart3.MouseLeave();
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    TChart& chart = form.PaneChart(pane);
    EXPECT_FALSE(chart.HasOverlay());
    EXPECT_TRUE(SamePicture(PictureOf(chart.Shown()), before[pane], "shown-pane-" + std::to_string(pane)))
        << "the window looks as before, pane " << int(pane);
  }
}

TEST_F(Readout, BoxGoesLeftOfTheLineNearThePlotsRightEdge) {
  TChart& chart = form.Chart4;
  const int column = chart.PlotRect.Right - 4;
  form.Chart4.MouseMove(0, column, 60);
  const TRasterCanvas& shown = chart.Shown();
  EXPECT_EQ(shown.GetPixel(column - 6, chart.PlotRect.Top + 6), kReadoutBoxColor);
  EXPECT_NE(shown.GetPixel(column + 2, chart.PlotRect.Top + 6), kReadoutBoxColor);
}

TEST_F(Readout, NoReadoutOutsideThePlotWithAButtonHeldOrOnceADragStarts) {
  const struct {
    const char* name;
    std::function<void(TChart&)> act;
  } cases[] = {
      {"outside the plot", [](TChart& c) { c.MouseMove(0, c.PlotRect.Left - 3, 60); }},
      {"left button held", [](TChart& c) { c.MouseMove(ssLeft, 300, 60); }},
      {"right button held", [](TChart& c) { c.MouseMove(ssRight, 300, 60); }},
      {"press",
       [](TChart& c) {
         c.MouseDown(mbLeft, ssLeft, 300, 60);
         c.MouseUp(mbLeft, 0, 300, 60);
       }},
  };
  for (const auto& c : cases) {
    form.Chart2.MouseMove(0, 300, 60);
    ASSERT_TRUE(form.Chart2.HasOverlay());
    c.act(form.Chart2);
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      EXPECT_FALSE(form.PaneChart(pane).HasOverlay()) << c.name << ", pane " << int(pane);
    }
  }
}

// The readout is worked out at every paint, so a log dropped under the mouse gets its box.
TEST_F(Readout, EmptyPaneShowsTheLineOnlyUntilALogArrivesUnderTheMouse) {
  TForm1 window(folder.Folder());
  TChart& chart = window.Chart1;
  chart.Repaint();
  chart.MouseMove(0, 300, 60);
  const int boxRow = chart.PlotRect.Top + 6;
  EXPECT_EQ(chart.Shown().GetPixel(300, boxRow), kReadoutLineColor);
  EXPECT_NE(chart.Shown().GetPixel(305, boxRow), kReadoutBoxColor);
  chart.DropFiles({kSampleLogs[0]});
  chart.Repaint();
  EXPECT_EQ(chart.Shown().GetPixel(305, boxRow), kReadoutBoxColor);
}

}  // namespace

namespace {

TEST(ReadoutWords, APointLoadedFromASensorWordShowsTheWordAndANumberItsNumber) {
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder());
  form.Document().Load(
      0, folder.Write("words.csv", "t,Lambda\n0,Rich\n1,2\n2,Lean\n3,1.0000\n4,Cold or Open Circuit\n5,0\n"));
  form.Chart1.Repaint();
  const TChartSeries& series = form.PaneSeries(0);
  const std::vector<std::string> expected = {"#0  Rich", "#1  2", "#2  Lean", "#3  1", "#4  Cold or Open Circuit",
                                             "#5  0"};
  for (int i = 0; i < series.PointCount(); ++i) {
    EXPECT_EQ(ReadoutText(series, *series.ResolvedVertAxis(), {i, i, 0, 0}, &form.Document().Notes(0)),
              expected[static_cast<std::size_t>(i)]);
  }
  EXPECT_LE(form.Document().Notes(0).Words.BytesUsed(), 16U) << "three words listed";
  form.Document().Load(0, folder.Write("numbers.csv", "t,Lambda\n0,2\n"));
  EXPECT_EQ(form.Document().Notes(0).Words.BytesUsed(), 0U) << "nothing without words";
}

// A skipped line's point holds a neighbour's value only for the axis: the
// readout says it is a gap, and a word beside it stays a word.
TEST(ReadoutWords, AGapShowsAsAGapNotAsTheValueItHolds) {
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder());
  form.SetSkipBadLines(true);
  form.Document().Load(0, folder.Write("gaps.csv", "t,Lambda\n0,n/a\n1,Rich\n2,n/a\n3,7\n"));
  form.Chart1.Repaint();
  const TChartSeries& series = form.PaneSeries(0);
  const std::vector<std::string> expected = {"#0  gap", "#1  Rich", "#2  gap", "#3  7"};
  ASSERT_EQ(series.PointCount(), 4);
  for (int i = 0; i < series.PointCount(); ++i) {
    EXPECT_EQ(ReadoutText(series, *series.ResolvedVertAxis(), {i, i, 0, 0}, &form.Document().Notes(0)),
              expected[static_cast<std::size_t>(i)]);
  }
}

}  // namespace

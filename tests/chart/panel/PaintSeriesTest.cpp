#include <gtest/gtest.h>

#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"
#include "gui/Application.h"
#include "gui/TRasterCanvas.h"
#include "tests/support/ChartFixture.h"

namespace {

// A pane whose series zigzag far beyond the top and bottom of the plot and
// run on past its left and right edges.
struct ZigzagPane {
  TChart Chart;
  TLineSeries Red;
  TLineSeries Blue;
  TRasterCanvas Picture{kPaneWidth, kPaneHeight};

  ZigzagPane() {
    EnsureApplication();
    for (TLineSeries* series : {&Red, &Blue}) {
      Chart.SeriesList().Add(*series);
      for (int i = 0; i < 40; ++i) {
        series->AppendValue(i % 2 == 0 ? -1000 : 1000, "", clDefault);
      }
    }
    Red.SetSeriesColor(clRed);
    Blue.SetSeriesColor(clBlue);
    Chart.BottomAxis().SetAxisRange(10.5, 20.5);
    Chart.LeftAxis().SetAxisRange(-10, 10);
  }

  void Paint() { Chart.PaintChart(Picture, kPaneBounds); }

  bool ColumnShows(int x, TColor color) const {
    for (int y = 0; y < kPaneHeight; ++y) {
      if (Picture.GetPixel(x, y) == color) {
        return true;
      }
    }
    return false;
  }

  int CountOutsidePlot(TColor color) const {
    const TRect& plot = Chart.PlotRect;
    int count = 0;
    for (int y = 0; y < kPaneHeight; ++y) {
      for (int x = 0; x < kPaneWidth; ++x) {
        const bool inside = x > plot.Left && x < plot.Right && y > plot.Top && y < plot.Bottom;
        if (!inside && Picture.GetPixel(x, y) == color) {
          ++count;
        }
      }
    }
    return count;
  }
};

TEST(PaintSeries, LinesStayStrictlyInsideThePlotWhileClipping) {
  ZigzagPane pane;
  pane.Paint();
  EXPECT_EQ(pane.CountOutsidePlot(clBlue), 0);
  EXPECT_EQ(pane.CountOutsidePlot(clRed), 0);

  pane.Chart.SetClipPoints(false);
  pane.Paint();
  EXPECT_GT(pane.CountOutsidePlot(clBlue), 0);
}

// The first and last visible points lie well inside the zoomed plot; the
// segments from the points beyond them fill the columns next to its edges.
TEST(PaintSeries, ZoomedLineReachesBothEdgesOfThePlot) {
  ZigzagPane pane;
  pane.Red.SetActive(false);
  pane.Chart.LeftAxis().SetAxisRange(-2000, 2000);  // gentle enough to cross every column
  pane.Paint();
  EXPECT_TRUE(pane.ColumnShows(pane.Chart.PlotRect.Left + 1, clBlue));
  EXPECT_TRUE(pane.ColumnShows(pane.Chart.PlotRect.Right - 1, clBlue));
}

struct OrderCase {
  const char* name;
  bool depthInverted;
  bool redActive;
  TColor onTop;
};

class PaintSeriesOrder : public testing::TestWithParam<OrderCase> {};

// Both series cover the same pixels, so the one drawn last shows.
TEST_P(PaintSeriesOrder, LaterSeriesCoverEarlierOnes) {
  ZigzagPane pane;
  pane.Chart.DepthAxis().SetInverted(GetParam().depthInverted);
  pane.Red.SetActive(GetParam().redActive);
  pane.Paint();
  const TRect& plot = pane.Chart.PlotRect;
  const int x = pane.Chart.BottomAxis().ValueToPixel(15.5);
  int found = 0;
  for (int y = plot.Top + 1; y < plot.Bottom; ++y) {
    const TColor pixel = pane.Picture.GetPixel(x, y);
    if (pixel == clRed || pixel == clBlue) {
      EXPECT_EQ(pixel, GetParam().onTop) << "y " << y;
      ++found;
    }
  }
  EXPECT_GT(found, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, PaintSeriesOrder,
                         testing::Values(OrderCase{"ListOrder", false, true, clBlue},
                                         OrderCase{"DepthAxisInverted", true, true, clRed},
                                         OrderCase{"InactiveSeriesSkipped", true, false, clBlue}),
                         [](const auto& test) { return test.param.name; });

}  // namespace

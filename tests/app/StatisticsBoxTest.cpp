// Where a pane's statistics box goes: inside the plot, clear of the
// readout's box, showing the lines that fit.
#include "app/window/StatisticsBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "gui/Keyboard.h"
#include "gui/TRasterCanvas.h"
#include "tests/SampleLogs.h"
#include "tests/app/SampleMarkers.h"
#include "tests/app/TempFolder.h"

namespace {

constexpr int kLineHeight = 13;

// A curve that takes the rows from `top` to `bottom` under every column.
TCurveRows CurveAcross(int top, int bottom) {
  return [top, bottom](int, int) { return std::pair{top, bottom}; };
}

TEST(StatisticsBoxPlace, ShowsTheFirstLinesThatFitInsideThePlot) {
  const std::vector<int> six(6, 60);
  const std::vector<int> eight = {60, 60, 60, 60, 60, 60, 70, 70};  // with markers: the values at A and B
  const struct {
    const char* name;
    TRect plot;
    std::vector<int> widths;
    std::size_t lines;  // 0: no box
  } cases[] = {
      {"start size, six lines", {1, 23, 702, 122}, six, 6},
      {"start size, eight lines: A and B go", {1, 23, 702, 122}, eight, 6},
      {"a tall pane, eight lines", {1, 23, 702, 300}, eight, 8},
      {"room for two lines exactly", {1, 23, 702, 23 + 6 + 2 * kLineHeight + 4}, eight, 2},
      {"a pixel short of two lines", {1, 23, 702, 23 + 6 + 2 * kLineHeight + 3}, eight, 1},
      {"too short for a line", {1, 23, 702, 38}, eight, 0},
      {"narrow: the wide last line goes", {1, 23, 80, 300}, {30, 30, 90}, 2},
      {"too narrow for the first line", {1, 23, 60, 300}, {70, 10}, 0},
      {"an empty plot", {1, 23, 1, 23}, six, 0},
  };
  for (const auto& c : cases) {
    const std::optional<TStatisticsBox> place =
        PlaceStatisticsBox(c.plot, c.widths, kLineHeight, std::nullopt, CurveAcross(0, 0));
    if (c.lines == 0) {
      EXPECT_FALSE(place) << c.name;
      continue;
    }
    ASSERT_TRUE(place) << c.name;
    EXPECT_EQ(place->Lines, c.lines) << c.name;
    const TRect& box = place->Box;
    EXPECT_GE(box.Left, c.plot.Left + kStatisticsBoxMargin) << c.name;
    EXPECT_GE(box.Top, c.plot.Top + kStatisticsBoxMargin) << c.name;
    EXPECT_LE(box.Right, c.plot.Right - kStatisticsBoxMargin) << c.name;
    EXPECT_LE(box.Bottom, c.plot.Bottom - kStatisticsBoxMargin) << c.name;
    const int widest = *std::max_element(c.widths.begin(), c.widths.begin() + static_cast<std::ptrdiff_t>(c.lines));
    EXPECT_EQ(box.Width(), widest + 2 * kStatisticsBoxPadding) << c.name;
    EXPECT_EQ(box.Height(), static_cast<int>(c.lines) * kLineHeight + 2 * kStatisticsBoxPadding) << c.name;
  }
}

TEST(StatisticsBoxPlace, TakesTheCornerClearOfTheReadoutBoxThenOfTheCurve) {
  // Boxes of 54 x 43 pixels: corners at x 4 or 645, y 26 or 176.
  const TRect plot{1, 23, 702, 222};
  const std::vector<int> widths(3, 50);
  const struct {
    const char* name;
    std::optional<TRect> taken;
    std::pair<int, int> curve;
    TPoint corner;
  } cases[] = {
      {"nothing taken, no curve: top left", std::nullopt, {0, 0}, {4, 26}},
      {"a curve across the top: bottom left", std::nullopt, {20, 100}, {4, 176}},
      {"a curve across the bottom: top left", std::nullopt, {150, 230}, {4, 26}},
      {"readout over the top left", TRect{10, 30, 100, 60}, {0, 0}, {645, 26}},
      {"readout over the top left, curve across the top", TRect{10, 30, 100, 60}, {20, 100}, {4, 176}},
      {"readout over the bottom left, curve across the top", TRect{0, 180, 60, 210}, {20, 100}, {645, 176}},
      {"readout touching the box's edge only", TRect{58, 26, 100, 60}, {0, 0}, {4, 26}},
      {"readout over every corner: the curve decides", TRect{0, 0, 800, 300}, {20, 100}, {4, 176}},
  };
  for (const auto& c : cases) {
    const std::optional<TStatisticsBox> place =
        PlaceStatisticsBox(plot, widths, kLineHeight, c.taken, CurveAcross(c.curve.first, c.curve.second));
    ASSERT_TRUE(place) << c.name;
    EXPECT_EQ(place->Box.Left, c.corner.X) << c.name;
    EXPECT_EQ(place->Box.Top, c.corner.Y) << c.name;
  }
}

// On the screen too: at every size, with and without the sample axis, a
// pane's overlay leaves everything outside its plot as the kept picture has it.
TEST(StatisticsBoxOnTheScreen, BoxesAndMarkersStayInsideThePlots) {
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder());
  form.OpenLogs(0, SampleLogPaths());
  SetSampleMarkers(form);
  const struct {
    int width;
    int height;
  } sizes[] = {{TForm1::ClientWidth, TForm1::ClientHeight}, {1000, 640}, {1400, 1000}};
  for (const bool sampleAxis : {false, true}) {
    form.SetSampleAxisShown(sampleAxis);
    for (const auto& size : sizes) {
      form.SetClientSize(size.width, size.height);
      form.RefreshOverlays();
      for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
        TChart& chart = form.PaneChart(pane);
        chart.Repaint();
        const TRasterCanvas& shown = chart.Shown();
        const TRasterCanvas& kept = chart.Screen();
        const TRect& plot = chart.PlotRect;
        int differing = 0;
        int inside = 0;
        for (int y = 0; y < kept.Height(); ++y) {
          for (int x = 0; x < kept.Width(); ++x) {
            const bool same = shown.GetPixel(x, y) == kept.GetPixel(x, y);
            if (plot.ContainsInclusive({x, y})) {
              inside += same ? 0 : 1;
            } else {
              differing += same ? 0 : 1;
            }
          }
        }
        const std::string name = std::to_string(size.width) + "x" + std::to_string(size.height) +
                                 (sampleAxis ? " with the sample axis, pane " : ", pane ") + std::to_string(pane);
        EXPECT_EQ(differing, 0) << name;
        EXPECT_GT(inside, 0) << name << ": markers and a box drawn";
      }
    }
  }
}

}  // namespace

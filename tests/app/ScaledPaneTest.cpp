// A pane painted for a screen of 1.5 and 2 device pixels per pixel: the same
// layout as at one, lines of one width all across the pane, text in the
// device's detail, and nothing of it left in the window's own picture.
#include <gtest/gtest.h>

#include <vector>

#include "app/window/TForm1.h"
#include "gui/TRasterCanvas.h"
#include "tests/SampleLogs.h"
#include "tests/app/TempFolder.h"
#include "tests/support/SamePicture.h"

namespace {

// The lengths of the runs of black device pixels down a device column.
std::vector<int> BlackRunsDown(const TRasterCanvas& canvas, int x) {
  std::vector<int> runs;
  int run = 0;
  for (int y = 0; y <= canvas.DeviceHeight(); ++y) {
    if (y < canvas.DeviceHeight() && canvas.DevicePixel(x, y) == clBlack) {
      ++run;
    } else if (run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  return runs;
}

// Aligned 2 x 2 blocks of device pixels that are not of one colour: none in
// a picture of one device pixel per pixel doubled.
int MixedBlocks(const TRasterCanvas& canvas) {
  int mixed = 0;
  for (int y = 0; y + 1 < canvas.DeviceHeight(); y += 2) {
    for (int x = 0; x + 1 < canvas.DeviceWidth(); x += 2) {
      const TColor corner = canvas.DevicePixel(x, y);
      mixed += canvas.DevicePixel(x + 1, y) != corner || canvas.DevicePixel(x, y + 1) != corner ||
               canvas.DevicePixel(x + 1, y + 1) != corner;
    }
  }
  return mixed;
}

TEST(ScaledPane, SameLayoutEvenLinesAndTextAtTheDeviceResolution) {
  TempFolder folder;
  TForm1 form(folder.Folder());
  form.Document().Load(0, SampleLogPath("lambda.csv"));
  TChart& chart = form.Chart1;
  chart.Repaint();
  const TPicture window = PictureOf(chart.Screen());
  const TRect plot = chart.PlotRect;
  const TRect bounds{0, 0, chart.Width(), chart.Height()};

  const struct {
    double Scale;
    int LineWidth;
  } cases[] = {{1.5, 2}, {2, 2}};
  for (const auto& c : cases) {
    TRasterCanvas scaled;
    scaled.SetScale(c.Scale);
    scaled.SetSize(bounds.Width(), bounds.Height());
    chart.PaintChart(scaled, bounds);
    EXPECT_EQ(chart.PlotRect, plot) << c.Scale;
    // Down columns across the whole plot, the black lines are the plot's
    // top and bottom edges, each the same number of device pixels high.
    for (int x = plot.Left + 5; x < plot.Right - 5; x += 37) {
      const std::vector<int> runs = BlackRunsDown(scaled, static_cast<int>(x * c.Scale) + 1);
      EXPECT_EQ(runs, std::vector<int>(2, c.LineWidth)) << c.Scale << " column " << x;
    }
    if (c.Scale == 2) {
      EXPECT_GT(MixedBlocks(scaled), 100) << "drawn in device pixels, not doubled";
    }
  }

  chart.Refresh();
  EXPECT_TRUE(SamePicture(PictureOf(chart.Screen()), window, "pane-after-scaled")) << "nothing kept from the scale";
}

}  // namespace

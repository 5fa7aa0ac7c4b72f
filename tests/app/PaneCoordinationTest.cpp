#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "tests/SampleLogs.h"
#include "tests/app/PaneDrag.h"
#include "tests/app/TempFolder.h"

namespace {

// The window with a sample log in every pane, painted once.
struct LoadedWindow {
  TempFolder Folder;
  DialogScript Script;
  TForm1 Form{Folder.Folder()};

  LoadedWindow() {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      Form.Document().Load(pane, SampleLogPath(kSampleLogNames[pane]));
      Form.PaneChart(pane).Refresh();
    }
  }

  void Drag(std::uint8_t pane, TMouseButton button, int x0, int x1) {
    DragAcross(Form.PaneChart(pane), button, x0, x1);
  }

  std::array<bool, 4> Zoomed() {
    std::array<bool, 4> zoomed{};
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      zoomed[pane] = Form.PaneChart(pane).IsZoomed;
    }
    return zoomed;
  }
};

using Flags = std::array<bool, 4>;

TEST(PaneCoordination, EveryPaneTurnsTheSamePixelsIntoItsOwnValues) {
  LoadedWindow window;
  std::array<double, 4> expectedMin{};
  std::array<double, 4> expectedMax{};
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    const TChartAxis& bottom = window.Form.PaneChart(pane).BottomAxis();
    expectedMin[pane] = bottom.PixelToValue(150);
    expectedMax[pane] = bottom.PixelToValue(400);
  }
  window.Drag(2, mbLeft, 150, 400);
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    const TChartAxis& bottom = window.Form.PaneChart(pane).BottomAxis();
    EXPECT_DOUBLE_EQ(bottom.Minimum(), expectedMin[pane]) << int(pane);
    EXPECT_DOUBLE_EQ(bottom.Maximum(), expectedMax[pane]) << int(pane);
    EXPECT_FALSE(bottom.Automatic());
  }
}

TEST(PaneCoordination, UndoOnOnePaneResetsTheOthers) {
  LoadedWindow window;
  window.Drag(0, mbLeft, 100, 300);
  window.Drag(0, mbLeft, 300, 100);
  EXPECT_EQ(window.Zoomed(), (Flags{false, true, true, true}));  // the others keep their flag
  for (std::uint8_t pane = 1; pane < TForm1::PaneCount; ++pane) {
    for (TChartAxis& axis : window.Form.PaneChart(pane).Axes()) {
      EXPECT_TRUE(axis.Automatic()) << int(pane);
    }
  }
}

TEST(PaneCoordination, AnUndoAfterANewLogKeepsTheNewLogsRange) {
  LoadedWindow window;
  TChart& chart = window.Form.PaneChart(0);
  for (int step = 0; step < 10; ++step) {
    chart.MouseWheel(true, 0, 300, chart.PlotCenterY);
  }
  window.Drag(0, mbLeft, 100, 300);
  window.Form.Document().Load(0, SampleLogPath("engine-speed.csv"));
  EXPECT_FALSE(chart.IsZoomed);
  window.Drag(0, mbLeft, 300, 100);
  chart.Refresh();
  const TChartAxis& right = chart.RightAxis();
  TChartValueList& values = window.Form.PaneSeries(0).YValues();
  EXPECT_TRUE(right.Automatic());
  EXPECT_EQ(right.Minimum(), values.MinimumValue());
  EXPECT_EQ(right.Maximum(), values.MaximumValue());
}

TEST(PaneCoordination, APressWithoutADragDoesNotRepeatAnOldZoom) {
  LoadedWindow window;
  window.Drag(3, mbLeft, 100, 300);
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    window.Form.PaneChart(pane).Axes().ResetToAutomatic();
  }
  // A press below the plot starts no drag; its release must not reuse the
  // rectangle the last drag left in the record.
  TChart& chart = window.Form.PaneChart(3);
  chart.MouseDown(mbLeft, ssLeft, 100, chart.PlotRect.Bottom + 3);
  chart.MouseUp(mbLeft, 0, 100, chart.PlotRect.Bottom + 3);
  EXPECT_TRUE(window.Form.PaneChart(0).BottomAxis().Automatic());
}

}  // namespace

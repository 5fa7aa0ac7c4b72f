#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "tests/SampleLogs.h"
#include "tests/app/TempFolder.h"

namespace {

// Thousands of random presses, moves, releases, wheel notches and check-box
// clicks over four loaded panes, anywhere in and around them: nothing may
// escape the handlers, every range stays finite and the window still paints.
TEST(MouseStress, RandomSequencesLeaveTheWindowWorking) {
  for (unsigned seed : {1u, 2u, 3u}) {
    TempFolder folder;
    DialogScript script;
    TForm1 form(folder.Folder());
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      form.Document().Load(pane, SampleLogPath(kSampleLogNames[pane]));
      form.PaneChart(pane).Repaint();
    }
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int step = 0; step < 3000; ++step) {
      TChart& chart = form.PaneChart(static_cast<std::uint8_t>(pick(0, 3)));
      const int x = pick(-30, 760);
      const int y = pick(-30, 160);
      const auto button = static_cast<TMouseButton>(pick(0, 2));
      switch (pick(0, 9)) {
        case 0:
        case 1: chart.MouseDown(button, ShiftOfButton(button), x, y); break;
        case 2:
        case 3:
        case 4: chart.MouseMove(static_cast<TShiftState>(pick(0, 63)), x, y); break;
        case 5:
        case 6: chart.MouseUp(button, 0, x, y); break;
        case 7: chart.MouseWheel(pick(0, 1) == 1, 0, x, y); break;
        case 8: chart.MouseLeave(); break;
        default: (pick(0, 1) ? form.CheckBox1 : form.CheckBox2).PerformClick(); break;
      }
    }
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      TChart& chart = form.PaneChart(pane);
      for (TChartAxis& axis : chart.Axes()) {
        EXPECT_TRUE(std::isfinite(axis.Minimum()) && std::isfinite(axis.Maximum())) << seed;
      }
      const long paints = chart.PaintCount();
      chart.Refresh();
      EXPECT_EQ(chart.PaintCount(), paints + 1) << seed;
    }
    EXPECT_TRUE(script.Messages.empty()) << script.Messages.front().Text;
  }
}

}  // namespace

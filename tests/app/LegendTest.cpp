#include "app/view/Legend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/view/LogNames.h"
#include "app/view/PaneColors.h"
#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "gui/Keyboard.h"
#include "tests/app/TempFolder.h"
#include "tests/runtime/LocaleScope.h"

namespace {

TEST(WindowTitle, NamesThePanesLogsByTheirStemsBeforeTheTitle) {
  const struct {
    std::vector<std::string> Logs;
    const char* Expected = "";
  } cases[] = {
      {{}, "T"},
      {{"", "", "", ""}, "T"},
      {{"/logs/lambda.csv", "/logs/engine-speed.csv", "", ""}, "lambda, engine-speed \u2013 T"},
      {{"", "b.x.csv", "", "/a.b/noext"}, "b.x, noext \u2013 T"},
      {{".hidden", "x/", "", ""}, ".hidden \u2013 T"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WindowTitle(c.Logs, "T"), c.Expected);
  }
}

// A window without settings of its own, its dialogs scripted.
struct LegendWindow {
  LegendWindow() { Form.SetSkipBadLines(true); }

  void Paint() {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      Form.PaneChart(pane).Repaint();
    }
  }
  // The readout moved by the keys to the sample of pane 0.
  void ReadAt(int sample) {
    Paint();
    Form.ShowCursorReadout(0, Form.PaneChart(0).PlotRect.Left);
    Form.FormKeyDown(VK_HOME, 0);
    for (int i = 0; i < sample; ++i) {
      Form.FormKeyDown(VK_RIGHT, 0);
    }
  }
  std::vector<TLegendRow> Rows() { return LegendRows(Form.Charts(), Form.Document(), Form.Measures()); }

  TempFolder Folder;
  DialogScript Script;
  TForm1 Form{Folder.Folder(), Folder.Folder() + "settings"};
};

constexpr const char* kSpeedLog = "Time,Speed (km/h)\n0.0,10\n0.5,12.5\n1.0,Rich\n1.5,n/a\n2.0,1500\n";

TEST(LegendRows, ReadEachPaneWithALogAtTheCursor) {
  const LocaleScope locale('.', ',');
  const struct {
    const char* Name = "";
    int Sample = 0;
    TLegendRow Expected;
  } cases[] = {
      {"Number", 1, {0, clBlue, "Speed (km/h)", "speed.csv", "", "12.5", "0.5", "#1"}},
      {"Grouped", 4, {0, clBlue, "Speed (km/h)", "speed.csv", "", "1,500", "2.0", "#4"}},
      {"Word", 2, {0, clBlue, "Speed (km/h)", "speed.csv", "", "Rich", "1.0", "#2"}},
      {"Gap", 3, {0, clBlue, "Speed (km/h)", "speed.csv", "", "gap", "1.5", "#3"}},
  };
  for (const auto& c : cases) {
    LegendWindow window;
    window.Form.OpenLogs(0, {window.Folder.Write("speed.csv", kSpeedLog)});
    window.ReadAt(c.Sample);
    const std::vector<TLegendRow> rows = window.Rows();
    ASSERT_EQ(rows.size(), 1U) << c.Name;
    const TLegendRow& row = rows[0];
    const TLegendRow& e = c.Expected;
    EXPECT_EQ(std::vector({row.Title, row.File, row.At, row.Value, row.Time, row.Sample}),
              std::vector({e.Title, e.File, e.At, e.Value, e.Time, e.Sample}))
        << c.Name;
    EXPECT_EQ(row.Color, e.Color) << c.Name;
  }
}

// Panes without a log are left out; a log without time stamps has none, a
// log without samples no readings.
TEST(LegendRows, LeaveOutEmptyPanesAndSayNoDataPastALogsEnd) {
  LegendWindow window;
  EXPECT_TRUE(window.Rows().empty()) << "no log: no rows";
  window.Form.OpenLogs(0, {window.Folder.Write("speed.csv", kSpeedLog)});
  window.Form.OpenLogs(
      2, {window.Folder.Write("short.csv", "Rpm\n700\n800\n"), window.Folder.Write("empty.csv", "Header only\n")});
  EXPECT_EQ(window.Rows().size(), 3U);
  for (const TLegendRow& row : window.Rows()) {
    EXPECT_EQ(row.Value + row.Time + row.Sample, "") << "no cursor, no readings: pane " << int{row.Pane};
  }
  window.Form.SetLocked(true);
  window.ReadAt(4);
  const std::vector<TLegendRow> rows = window.Rows();
  ASSERT_EQ(rows.size(), 3U);
  EXPECT_EQ(std::vector({int{rows[0].Pane}, int{rows[1].Pane}, int{rows[2].Pane}}), std::vector({0, 2, 3}));
  EXPECT_EQ(std::vector({rows[1].Title, rows[1].Value, rows[1].Time, rows[1].Sample}),
            std::vector<std::string>({"Rpm", "no data", "", ""}))
      << "locked past the short log's end";
  EXPECT_EQ(rows[2].Value, "") << "a log without samples reads nothing";
  window.ReadAt(1);
  EXPECT_EQ(std::vector({window.Rows()[1].Value, window.Rows()[1].Time, window.Rows()[1].Sample}),
            std::vector<std::string>({"800", "", "#1"}));
}

TEST(LegendRows, ReadTheMarkersThatAreSetInsteadOfTheCursor) {
  LegendWindow window;
  window.Form.OpenLogs(
      0, {window.Folder.Write("speed.csv", kSpeedLog), window.Folder.Write("short.csv", "Rpm\n700\n800\n")});
  window.Form.SetLocked(true);
  window.ReadAt(4);
  window.Form.Measures().SetMarker(1);
  std::vector<TLegendRow> rows = window.Rows();
  ASSERT_EQ(rows.size(), 2U) << "B alone: a row a pane";
  EXPECT_EQ(std::vector({rows[0].At, rows[0].Value, rows[1].At, rows[1].Value}),
            std::vector<std::string>({"B", "1,500", "B", "no data"}));
  window.ReadAt(1);
  window.Form.Measures().SetMarker(0);
  rows = window.Rows();
  ASSERT_EQ(rows.size(), 4U);
  EXPECT_EQ(std::vector({rows[0].At, rows[0].Sample, rows[1].At, rows[1].Sample, rows[2].At, rows[2].Value}),
            std::vector<std::string>({"A", "#1", "B", "#4", "A", "800"}))
      << "A before B, pane by pane";
  window.Form.Measures().ClearMarkers();
  EXPECT_EQ(window.Rows().size(), 2U) << "the cursor again";
}

std::vector<TColor> PaneColors(const TForm1& form) {
  std::vector<TColor> colors;
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    colors.push_back(form.PaneSeries(pane).SeriesColor());
  }
  return colors;
}

TEST(DistinctColors, DGivesEachPaneItsColourRememberedAndColorLinesOneForAllAgain) {
  LegendWindow window;
  const std::vector<TColor> distinct(kDistinctPaneColors.begin(), kDistinctPaneColors.end());
  const std::vector<TColor> blue(TForm1::PaneCount, clBlue);
  window.Form.FormKeyDown('D', 0);
  EXPECT_EQ(PaneColors(window.Form), distinct);
  EXPECT_EQ(PaneColors(TForm1(window.Folder.Folder(), window.Folder.Folder() + "settings")), distinct) << "remembered";
  window.Form.FormKeyDown('D', 0);
  EXPECT_EQ(PaneColors(window.Form), blue) << "the one colour again";
  const std::vector<TColor> red(TForm1::PaneCount, clRed);
  window.Script.ColorAnswers.push_back({clRed, std::nullopt});
  window.Form.ButtonColor1.PerformClick();
  window.Form.FormKeyDown('D', 0);
  window.Script.ColorAnswers.push_back({clGreen, std::nullopt});
  window.Form.ButtonColor1.PerformClick();
  EXPECT_EQ(PaneColors(window.Form), std::vector<TColor>(TForm1::PaneCount, clGreen)) << "Color lines: one for all";
  EXPECT_FALSE(window.Form.State().DistinctColors());
  window.Form.FormKeyDown('D', 0);
  window.Form.FormKeyDown('D', 0);
  EXPECT_EQ(PaneColors(window.Form), std::vector<TColor>(TForm1::PaneCount, clGreen));
}

// Shown, the table takes the right edge and the panes give it their room;
// hidden, every control stands where it stood.
TEST(LegendPanel, VShowsTheTableBesideThePanesRemembered) {
  LegendWindow window;
  window.Form.Show();
  const TRect pane = window.Form.Chart2.BoundsRect();
  EXPECT_FALSE(window.Form.Legend.Visible());
  window.Form.FormKeyDown('V', 0);
  EXPECT_TRUE(window.Form.Legend.Visible());
  EXPECT_EQ(window.Form.Legend.BoundsRect(), (TRect{586, 8, 786, 545}));
  EXPECT_EQ(window.Form.Chart2.BoundsRect(), (TRect{pane.Left, pane.Top, 576, pane.Bottom}));
  {
    TForm1 again(window.Folder.Folder(), window.Folder.Folder() + "settings");
    again.Show();
    EXPECT_TRUE(again.Legend.Visible()) << "remembered";
  }
  window.Form.SetClientSize(TForm1::ClientWidth + 100, TForm1::ClientHeight + 40);
  EXPECT_EQ(window.Form.Legend.BoundsRect(), (TRect{686, 8, 886, 585}));
  window.Form.FormKeyDown('V', 0);
  EXPECT_FALSE(window.Form.Legend.Visible());
  EXPECT_EQ(window.Form.Chart2.BoundsRect().Right, pane.Right + 100);
}

TEST(WindowTitle, FollowsTheLogsOpened) {
  LegendWindow window;
  window.Form.OpenLogs(1, {window.Folder.Write("engine-speed.csv", kSpeedLog)});
  EXPECT_EQ(window.Form.Caption(), "engine-speed \u2013 Kestrila Log viewer by Lumo");
}

}  // namespace

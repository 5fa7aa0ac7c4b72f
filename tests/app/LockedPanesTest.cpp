#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/commands/TCommands.h"
#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "gui/Keyboard.h"
#include "tests/app/PaneDrag.h"
#include "tests/app/TempFolder.h"

namespace {

// Values of a size that gives each pane labels, and so a plot, of its own width.
std::string LogOf(int samples, int period, double amplitude) {
  std::string text = "t,Signal\n";
  for (int i = 0; i < samples; ++i) {
    text += std::to_string(i) + "," + std::to_string(std::lround(amplitude * std::sin(i / double(period)))) + "\n";
  }
  return text;
}

// Four logs of the given lengths in a window whose settings file is in a
// fresh folder.
struct LockedWindow {
  TempFolder Folder;
  DialogScript Script;
  std::string SettingsPath = Folder.Folder() + "config/settings";
  TForm1 Form{Folder.Folder(), SettingsPath};

  explicit LockedWindow(std::array<int, 4> lengths = {3000, 3000, 3000, 3000}, bool locked = true) {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      Form.Document().Load(pane, Folder.Write("log" + std::to_string(pane) + ".csv",
                                              LogOf(lengths[pane], 40 + 7 * pane, std::pow(10.0, pane))));
    }
    Form.SetLocked(locked);
    Paint();
  }

  void Paint() {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      Form.PaneChart(pane).Refresh();
    }
  }

  void Drag(std::uint8_t pane, TMouseButton button, int x0, int x1) {
    DragAcross(Form.PaneChart(pane), button, x0, x1);
    Paint();
  }

  TAxisRange Bottom(std::uint8_t pane) {
    const TChartAxis& axis = Form.PaneChart(pane).BottomAxis();
    return {axis.Minimum(), axis.Maximum()};
  }

  // Bit for bit: the same samples, not nearly the same.
  void ExpectSameSamplesEverywhere(const std::string& step) {
    for (std::uint8_t pane = 1; pane < TForm1::PaneCount; ++pane) {
      EXPECT_EQ(Bottom(pane).Minimum, Bottom(0).Minimum) << step << ", pane " << int(pane);
      EXPECT_EQ(Bottom(pane).Maximum, Bottom(0).Maximum) << step << ", pane " << int(pane);
    }
  }
};

TEST(LockedPanes, AZoomGivesEveryPaneTheSourceRangeAndKeepsTheirVerticalRange) {
  LockedWindow window;
  const TChartAxis& right = window.Form.Chart3.RightAxis();
  const TAxisRange shownBefore{right.Minimum(), right.Maximum()};
  TChart& source = window.Form.Chart2;
  const TAxisRange expected{source.BottomAxis().PixelToValue(200), source.BottomAxis().PixelToValue(300)};
  window.Drag(1, mbLeft, 200, 300);
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    EXPECT_TRUE(window.Form.PaneChart(pane).IsZoomed) << int(pane);
    EXPECT_EQ(window.Bottom(pane).Minimum, expected.Minimum) << int(pane);
    EXPECT_EQ(window.Bottom(pane).Maximum, expected.Maximum) << int(pane);
  }
  EXPECT_EQ(right.Minimum(), shownBefore.Minimum);
  EXPECT_EQ(right.Maximum(), shownBefore.Maximum);
  window.Drag(0, mbLeft, 300, 100);
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    EXPECT_FALSE(window.Form.PaneChart(pane).IsZoomed) << int(pane);
    EXPECT_TRUE(window.Form.PaneChart(pane).RightAxis().Automatic()) << "undo: vertical scale automatic again";
  }
}

// Locked, the band is a dark dashed frame over the kept picture, which the
// drag leaves as it was; unlocked, the band is the xor band in the picture.
TEST(LockedPanes, TheZoomBandIsADarkFrameOverThePicture) {
  constexpr TColor kDark = RGBColor(0x20, 0x20, 0x20);
  for (const bool locked : {true, false}) {
    LockedWindow window({3000, 3000, 3000, 3000}, locked);
    TChart& chart = window.Form.PaneChart(1);
    const int top = chart.PlotRect.Top;
    const auto row = [top](const TRasterCanvas& canvas) {
      std::vector<TColor> pixels;
      for (int x = 150; x <= 400; ++x) {
        pixels.push_back(canvas.GetPixel(x, top));
      }
      return pixels;
    };
    const std::vector<TColor> before = row(chart.Screen());
    chart.MouseDown(mbLeft, ssLeft, 150, chart.PlotCenterY);
    chart.MouseMove(ssLeft, 400, chart.PlotCenterY);
    const std::vector<TColor> shown = row(chart.Shown());
    const auto dark = std::count(shown.begin(), shown.end(), kDark);
    EXPECT_EQ(row(chart.Screen()) == before, locked);
    EXPECT_EQ(dark > 50, locked) << dark << " dark pixels";
    chart.MouseUp(mbLeft, 0, 400, chart.PlotCenterY);
  }
}

TEST(LockedPanes, LogsOfDifferentLengthsShowTheSameSampleNumbers) {
  LockedWindow window({3000, 1200, 4100, 17});
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    EXPECT_EQ(window.Bottom(pane).Minimum, 0) << int(pane);
    EXPECT_EQ(window.Bottom(pane).Maximum, 4099) << int(pane);
  }
  window.Form.SetLocked(false);
  window.Paint();
  EXPECT_EQ(window.Bottom(1).Maximum, 1199) << "unlocked, each pane scales to its own log";
  EXPECT_EQ(window.Bottom(2).Maximum, 4099);
}

TEST(LockedPanes, LockSwitchedOnWhileZoomedAlignsThePanesOnTheZoomedPane) {
  LockedWindow window({3000, 3000, 3000, 3000}, false);
  window.Drag(2, mbLeft, 150, 300);
  EXPECT_NE(window.Bottom(2).Minimum, window.Bottom(0).Minimum) << "passed on in pixels, the ranges differ";
  window.Form.FormKeyDown('L', 0);
  window.Paint();
  window.ExpectSameSamplesEverywhere("lock switched on");
  EXPECT_TRUE(window.Form.Chart3.IsZoomed);
}

TEST(LockedPanes, TheReadoutStandsAtTheSameSampleInEveryPane) {
  LockedWindow window({3000, 1200, 4100, 3000});
  // Within the shortest log, which all panes hold.
  window.Form.Chart2.MouseMove(0, window.Form.Chart2.BottomAxis().ValueToPixel(800), window.Form.Chart2.PlotCenterY);
  const std::optional<TCursorReadout> source = window.Form.Measures().ShownReadout(1);
  ASSERT_TRUE(source && source->Samples);
  const double first = window.Form.PaneSeries(1).XValueAt(source->Samples->First);
  for (const std::uint8_t pane : {std::uint8_t{0}, std::uint8_t{2}, std::uint8_t{3}}) {
    const std::optional<TCursorReadout> readout = window.Form.Measures().ShownReadout(pane);
    ASSERT_TRUE(readout && readout->Samples) << int(pane);
    EXPECT_EQ(window.Form.PaneSeries(pane).XValueAt(readout->Samples->First), first) << int(pane);
    EXPECT_EQ(readout->Text,
              source->Text.substr(0, source->Text.find("  ")) + readout->Text.substr(readout->Text.find("  ")))
        << "the same sample numbers";
  }
  // Beyond the end of the shortest log its pane says so.
  window.Form.Chart3.MouseMove(0, 600, window.Form.Chart3.PlotCenterY);
  const std::optional<TCursorReadout> beyond = window.Form.Measures().ShownReadout(1);
  ASSERT_TRUE(beyond);
  EXPECT_EQ(beyond->Text, "no data");
  EXPECT_FALSE(beyond->Samples);
}

// Hovering the shorter log past its end: the others keep the samples under
// the mouse rather than all jumping to that log's last sample.
TEST(LockedPanes, PastTheEndOfAShorterLogEachPaneShowsItsOwnSample) {
  LockedWindow window({3000, 1200, 4100, 3000});
  TChart& shorter = window.Form.Chart2;
  // Past the 1,200 samples of the shorter log, within the 3,000 of the others.
  const int column = shorter.BottomAxis().ValueToPixel(2000);
  shorter.MouseMove(0, column, shorter.PlotCenterY);
  const std::optional<TCursorReadout> source = window.Form.Measures().ShownReadout(1);
  ASSERT_TRUE(source);
  EXPECT_EQ(source->Text, "no data");
  EXPECT_FALSE(source->Samples);
  const double underMouse = shorter.BottomAxis().PixelToValue(column);
  ASSERT_NEAR(underMouse, 2000, 10);
  for (const std::uint8_t pane : {std::uint8_t{0}, std::uint8_t{2}, std::uint8_t{3}}) {
    const std::optional<TCursorReadout> readout = window.Form.Measures().ShownReadout(pane);
    ASSERT_TRUE(readout && readout->Samples) << int(pane);
    const double sample = window.Form.PaneSeries(pane).XValueAt(readout->Samples->First);
    EXPECT_NEAR(sample, underMouse, 8) << "pane " << int(pane) << " at its own sample";
    EXPECT_NE(readout->Text.find('#'), std::string::npos) << int(pane);
  }
  // The same with the mouse over a longer log: only the shorter one has none.
  window.Form.Chart1.MouseMove(0, column, window.Form.Chart1.PlotCenterY);
  EXPECT_EQ(window.Form.Measures().ShownReadout(1)->Text, "no data");
  EXPECT_TRUE(window.Form.Measures().ShownReadout(2)->Samples);
}

// Unlocked, a zoomed or panned pane may show columns before the first or
// after the last sample of its log: no data there, the nearest sample
// between two.
TEST(LockedPanes, UnlockedAColumnPastTheLogsEndShowsNoData) {
  LockedWindow window({3000, 3000, 3000, 3000}, false);
  TChart& chart = window.Form.Chart1;
  chart.BottomAxis().SetAxisRange(2900, 3100);
  chart.TopAxis().SetAxisRange(2900, 3100);
  window.Paint();
  const struct {
    double Sample = 0;
    std::optional<int> Shown;
  } cases[] = {{2950.3, 2950}, {2999, 2999}, {3050, std::nullopt}, {3099, std::nullopt}};
  for (const auto& c : cases) {
    const int column = chart.BottomAxis().ValueToPixel(c.Sample);
    chart.MouseMove(0, column, chart.PlotCenterY);
    const std::optional<TCursorReadout> readout = window.Form.Measures().ShownReadout(0);
    ASSERT_TRUE(readout) << c.Sample;
    ASSERT_EQ(readout->Samples.has_value(), c.Shown.has_value()) << c.Sample;
    if (c.Shown) {
      EXPECT_EQ(readout->Samples->First, *c.Shown) << c.Sample;
    } else {
      EXPECT_EQ(readout->Text, "no data") << c.Sample;
    }
  }
}

TEST(ViewerSettings, ModesAreRememberedAndAMissingOrUnreadableFileGivesTheDefaults) {
  TempFolder folder;
  DialogScript script;
  const std::string path = folder.Folder() + "config/settings";
  {
    TForm1 form(folder.Folder(), path);
    EXPECT_EQ(form.State().LockMode(), TLockMode::Time) << "no file yet";
    EXPECT_EQ(form.Coordinator().Mode(), TLockMode::Samples) << "no stamped logs";
    EXPECT_FALSE(form.State().SampleAxisShown());
    form.FormKeyDown('L', 0);
    form.FormKeyDown('X', 0);
  }
  {
    TForm1 form(folder.Folder(), path);
    EXPECT_FALSE(form.State().Locked());
    EXPECT_TRUE(form.State().SampleAxisShown());
    EXPECT_TRUE(form.Chart4.BottomAxis().Visible());
  }
  EXPECT_EQ(folder.Read("config/settings"), "lock=pixels\nsample-axis=on\n");
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);  // a folder: unreadable as a file
  TForm1 form(folder.Folder(), path);
  EXPECT_EQ(form.State().LockMode(), TLockMode::Time);
  EXPECT_TRUE(script.Messages.empty()) << "reading never complains";
}

TEST(ViewerSettings, TheWindowSizeIsRememberedWhenTheWindowCloses) {
  TempFolder folder;
  DialogScript script;
  const std::string path = folder.Folder() + "settings";
  {
    TForm1 form(folder.Folder(), path);
    form.Show();
    form.SetClientSize(1000, 700);
    form.Close();
  }
  TForm1 form(folder.Folder(), path);
  EXPECT_EQ(form.Placement(), (TWindowPlacement{1000, 700, false}));
  TempFolder other;
  std::ofstream(other.Folder() + "settings") << "window-width=12\nwindow-height=junk\n";
  TForm1 fresh(other.Folder(), other.Folder() + "settings");
  EXPECT_EQ(fresh.Placement(), (TWindowPlacement{TForm1::ClientWidth, TForm1::ClientHeight, false}))
      << "a size the file does not give leaves the start size";
  EXPECT_TRUE(script.Messages.empty());
}

void MakeReadOnly(const std::string& path) {
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
}

TEST(ViewerSettings, AFileThatCannotBeWrittenIsSaidOnceAndTheModeStillHolds) {
  TempFolder folder;
  DialogScript script;
  const std::string path = folder.Folder() + "settings";
  MakeReadOnly(folder.Write("settings", ""));
  TForm1 form(folder.Folder(), path);
  form.OnKeyDown('L', 0);
  form.OnKeyDown('X', 0);
  form.OnKeyDown('L', 0);
  ASSERT_EQ(script.Messages.size(), 1U);
  EXPECT_EQ(script.Messages[0].Text.rfind("Cannot write the settings '" + path + "': ", 0), 0U)
      << script.Messages[0].Text;
  EXPECT_EQ(form.State().LockMode(), TLockMode::Samples) << "samples, pixels, samples: no stamped logs";
  EXPECT_TRUE(form.State().SampleAxisShown());
  const std::string otherPath = folder.Folder() + "other";
  MakeReadOnly(folder.Write("other", ""));
  TForm1 other(folder.Folder(), otherPath);
  other.OnKeyDown('X', 0);
  EXPECT_EQ(script.Messages.size(), 2U);
  EXPECT_TRUE(other.Chart1.BottomAxis().Visible()) << "the mode took effect before the message";
}

TEST(PaneMenu, ARightClickInPlaceOffersTheModesWithTheirKeysAndARightDragPans) {
  LockedWindow window({3000, 3000, 3000, 3000}, false);
  window.Script.MenuAnswers.push_back("Lock panes by time, samples or pixel columns");
  TChart& chart = window.Form.Chart2;
  chart.MouseDown(mbRight, ssRight, 300, 50);
  chart.MouseUp(mbRight, 0, 300, 50);
  ASSERT_EQ(window.Script.MenusShown.size(), 1U);
  std::vector<std::string> labels;
  for (const TCommand& command : Commands()) {
    if (command.Label != nullptr) {
      labels.emplace_back(command.Label);
    }
  }
  EXPECT_EQ(window.Script.MenusShown[0], labels) << "every command with a label, in the table's order";
  EXPECT_EQ(labels.front(), "Open log\u2026");
  // The window paints before the next menu: the readout needs the layout.
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    window.Form.PaneChart(pane).Repaint();
  }
  window.Script.MenuAnswers.push_back("Set marker B");
  chart.MouseDown(mbRight, ssRight, 420, 50);
  chart.MouseUp(mbRight, 0, 420, 50);
  ASSERT_TRUE(window.Form.Measures().Markers()[1]);
  EXPECT_EQ(window.Form.Chart2.BottomAxis().ValueToPixel(window.Form.Measures().Markers()[1]->Sample), 420)
      << "set where the menu was opened";
  EXPECT_TRUE(window.Form.State().Locked());
  window.Drag(1, mbRight, 300, 340);
  EXPECT_EQ(window.Script.MenusShown.size(), 2U) << "a right drag opens no menu";
}

TEST(StoppedEarly, APaneWhoseLoadStoppedCarriesAMarkAndSaysWhereInItsTooltip) {
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder());
  std::string text = "t,Lambda\n";
  for (int i = 0; i < 1500; ++i) {
    text += std::to_string(i) + ",0.5\n";
  }
  text += "1500,n/a\n1501,0.5\n";
  const std::string file = folder.Write("bad.csv", text);
  form.Document().Load(0, folder.Write("first.csv", "t,Lambda\n0,1\n1,2\n"));
  form.OpenLogs(1, {file});
  ASSERT_EQ(script.Messages.size(), 1U);
  EXPECT_EQ(script.Messages[0].Text, "'n/a' is not a valid floating point value.\nIn '" + file + "' at line 1,502")
      << "the first line stays; the file and line follow it";
  EXPECT_EQ(script.Messages[0].Details, "File: " + file + "\nStopped at line 1,502\nSamples kept: 1,500");
  const TLogDocument::TPaneLog& log = form.Document().PaneLog(1);
  ASSERT_TRUE(log.StoppedEarly);
  EXPECT_EQ(log.StoppedEarly->Line, 1502);
  EXPECT_EQ(form.Button2.ToolTip(), file +
                                        "\n1,500 samples\nstopped at line 1,502: 'n/a' is not a valid floating "
                                        "point value; 1,500 samples shown");
  EXPECT_TRUE(form.Chart2.HasOverlay()) << "the mark";
  EXPECT_FALSE(form.Chart1.HasOverlay());
  form.Document().Load(1, folder.Write("good.csv", "t,Lambda\n0,1\n"));
  EXPECT_FALSE(form.Document().PaneLog(1).StoppedEarly) << "until its next load";
}

}  // namespace

namespace {

TEST(RecentLogs, NewestFirstWithoutDuplicatesAtMostTenAndMissingOnesGreyed) {
  TempFolder folder;
  DialogScript script;
  const std::string settings = folder.Folder() + "settings";
  TForm1 form(folder.Folder(), settings);
  std::vector<std::string> files;
  for (int i = 0; i < 12; ++i) {
    files.push_back(folder.Write("log" + std::to_string(i) + ".csv", "t,P\n0," + std::to_string(i) + "\n"));
    form.Document().Load(0, files.back());
  }
  EXPECT_TRUE(form.State().RecentLogs().empty()) << "LoadLog alone is no open by the user";
  for (const std::string& file : files) {
    form.OpenLogs(0, {file});
  }
  form.OpenLogs(1, {files[5]});
  form.OpenLogs(2, {folder.Folder() + "missing.csv"});
  std::vector<std::string> expected = {files[5], files[11], files[10], files[9], files[8],
                                       files[7], files[6],  files[4],  files[3], files[2]};
  EXPECT_EQ(form.State().RecentLogs(), expected) << "one that never opened is not recent";
  std::filesystem::remove(files[9]);
  script.MenuAnswers.push_back(files[9]);
  script.MenuAnswers.push_back(files[8]);
  form.Button4.ContextMenu(4, 4);
  form.Button4.ContextMenu(4, 4);
  EXPECT_EQ(form.Document().PaneLog(3).FileName, files[8]) << "a missing log is greyed: it cannot be chosen";
  TForm1 again(folder.Folder(), settings);
  EXPECT_EQ(again.State().RecentLogs().front(), files[8]) << "kept in the settings file";
}

TEST(ReloadAndReopen, LoadTheLogsAgainAndAPaneWhoseFileIsGoneKeepsWhatItShows) {
  TempFolder folder;
  DialogScript script;
  const std::string settings = folder.Folder() + "settings";
  const std::string a = folder.Write("a.csv", "t,A\n0,1\n1,2\n");
  const std::string b = folder.Write("b.csv", "t,B\n0,5\n");
  {
    TForm1 form(folder.Folder(), settings);
    form.Show();
    form.OpenLogs(1, {a, b});
    folder.Write("a.csv", "t,A\n0,1\n1,2\n2,3\n");
    std::filesystem::remove(b);
    form.FormKeyDown(VK_F5, 0);
    EXPECT_EQ(form.PaneSeries(1).PointCount(), 3) << "reloaded";
    EXPECT_EQ(form.PaneSeries(2).PointCount(), 1) << "the pane keeps what it showed";
    ASSERT_EQ(script.Messages.size(), 1U);
    EXPECT_EQ(script.Messages[0].Text, "Cannot open '" + b + "': " + std::strerror(ENOENT) + ".");
    form.Close();
  }
  folder.Write("b.csv", "t,B\n0,5\n1,6\n");
  TForm1 form(folder.Folder(), settings);
  EXPECT_EQ(form.PaneSeries(1).PointCount(), 0) << "start-up stays with four empty panes";
  form.FormKeyDown('O', ssCtrl | ssShift);
  EXPECT_EQ(form.Document().PaneLog(1).FileName, a);
  EXPECT_EQ(form.Document().PaneLog(2).FileName, b);
  EXPECT_EQ(form.PaneSeries(2).PointCount(), 2);
  EXPECT_EQ(form.Document().PaneLog(0).FileName, "");
}

}  // namespace

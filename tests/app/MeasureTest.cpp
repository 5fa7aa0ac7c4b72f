#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/window/TForm1.h"
#include "gui/Clipboard.h"
#include "gui/DialogScript.h"
#include "gui/Keyboard.h"
#include "tests/app/PaneDrag.h"
#include "tests/app/TempFolder.h"
#include "tests/runtime/LocaleScope.h"

namespace {

const char* const kWords[] = {"Rich", "Lean", "Cold or Open Circuit"};
constexpr double kWordValues[] = {2, 1, 0};

// A random log with words and constant runs, and the values it stands for.
struct TLog {
  std::string Text = "t,Signal\n";
  std::vector<double> Values;
  std::vector<bool> Words;  // which samples were sensor words
};

// A value with six decimals and a ".", as a log holds it in any locale.
std::string LogText(double value) {
  std::array<char, 64> text{};
  const std::to_chars_result written =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 6);
  return {text.data(), written.ptr};
}

// The value a log's text stands for, read without the C locale.
double ValueOf(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

TLog RandomLog(int samples, unsigned seed) {
  std::mt19937 random(seed);
  TLog log;
  double value = 0;
  for (int i = 0; i < samples; ++i) {
    const auto kind = static_cast<unsigned>(random() % 10);
    std::string text;
    if (kind == 0) {
      const auto word = static_cast<unsigned>(random() % 3);
      text = kWords[word];
      value = kWordValues[word];
    } else if (kind < 4) {
      text = LogText(value);  // a constant run
      value = ValueOf(text);
    } else {
      value = static_cast<double>(static_cast<int>(random() % 20001) - 10000) / 100;
      text = LogText(value);
      value = ValueOf(text);
    }
    log.Text += std::to_string(i) + "," + text + "\n";
    log.Values.push_back(value);
    log.Words.push_back(kind == 0);
  }
  return log;
}

struct MeasureWindow {
  TempFolder Folder;
  DialogScript Script;
  TForm1 Form{Folder.Folder()};
  std::array<TLog, 4> Logs;

  explicit MeasureWindow(std::array<int, 4> lengths = {5000, 5000, 3100, 5000}) {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      Logs[pane] = RandomLog(lengths[pane], 17 + pane);
      Form.Document().Load(pane, Folder.Write("log" + std::to_string(pane) + ".csv", Logs[pane].Text));
      // The figures are checked against the values as loaded (four fixed
      // decimals), which stand for the text's values.
      const TChartSeries& series = Form.PaneSeries(pane);
      for (int i = 0; i < series.PointCount(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        EXPECT_NEAR(series.YValueAt(i), Logs[pane].Values[at], 1e-9);
        Logs[pane].Values[at] = series.YValueAt(i);
      }
    }
    Paint();
  }
  void Paint() {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      Form.PaneChart(pane).Refresh();
    }
  }
  void Hover(std::uint8_t pane, int x) { Form.PaneChart(pane).MouseMove(0, x, Form.PaneChart(pane).PlotCenterY); }
  void Key(int key, TShiftState shift = 0) {
    Form.FormKeyDown(key, shift);
    Paint();
  }
  void Drag(std::uint8_t pane, TMouseButton button, int x0, int x1) {
    DragAcross(Form.PaneChart(pane), button, x0, x1);
    Paint();
  }
  double ReadoutSample(std::uint8_t pane) {
    const std::optional<TCursorReadout> readout = Form.Measures().ShownReadout(pane);
    return Form.PaneSeries(pane).XValueAt(readout->Samples->First);
  }

  // The figures of pane's samples from a to b worked out here, one by one.
  void ExpectFigures(std::uint8_t pane, double a, double b, const std::string& step, bool markers = true) {
    const std::vector<double>& values = Logs[pane].Values;
    const int count = static_cast<int>(values.size());
    const int first = std::max(0, static_cast<int>(std::ceil(std::min(a, b))));
    const int last = std::min(count - 1, static_cast<int>(std::floor(std::max(a, b))));
    const std::optional<TMeasurements::TPaneStatistics> statistics = Form.Measures().PaneStatistics(pane);
    if (first > last) {
      EXPECT_FALSE(statistics) << step << ": no samples of pane " << int(pane) << " between the markers";
      return;
    }
    ASSERT_TRUE(statistics) << step << ", pane " << int(pane);
    // The sensor words are states, not numbers: they are counted apart.
    std::vector<double> numbers;
    for (int i = first; i <= last; ++i) {
      if (!Logs[pane].Words[static_cast<std::size_t>(i)]) {
        numbers.push_back(values[static_cast<std::size_t>(i)]);
      }
    }
    const int numeric = static_cast<int>(numbers.size());
    EXPECT_EQ(statistics->Figures.Count(), numeric) << step;
    EXPECT_EQ(statistics->Figures.Words, last - first + 1 - numeric) << step;
    EXPECT_EQ(statistics->Figures.Min, *std::min_element(numbers.begin(), numbers.end())) << step;
    EXPECT_EQ(statistics->Figures.Max, *std::max_element(numbers.begin(), numbers.end())) << step;
    EXPECT_NEAR(statistics->Figures.Mean, std::accumulate(numbers.begin(), numbers.end(), 0.0) / numeric, 1e-9) << step;
    const auto at = [&](double sample) {
      return values[static_cast<std::size_t>(std::clamp(static_cast<int>(sample), 0, count - 1))];
    };
    EXPECT_EQ(statistics->AtA, markers ? std::optional(at(a)) : std::nullopt) << step;
    EXPECT_EQ(statistics->AtB, markers ? std::optional(at(b)) : std::nullopt) << step;
  }
};

TEST(Markers, StatisticsBetweenThemAreTheFiguresOfEveryPanesSamples) {
  for (const bool locked : {false, true}) {
    MeasureWindow window;
    window.Form.SetLocked(locked);
    window.Paint();
    window.Hover(1, 150);
    window.Key('A');
    window.Hover(1, 520);
    window.Key('B');
    const double a = window.Form.Measures().Markers()[0]->Sample;
    const double b = window.Form.Measures().Markers()[1]->Sample;
    const std::string mode = locked ? "locked" : "unlocked";
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      window.ExpectFigures(pane, a, b, mode);
    }
    window.Drag(0, mbLeft, 100, 400);
    window.Form.CheckBox1.PerformClick();
    window.Drag(2, mbRight, 300, 250);
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      window.ExpectFigures(pane, a, b, mode + ", after a zoom and a pan");
    }
    EXPECT_EQ(window.Form.Measures().Markers()[0]->Sample, a) << "markers are samples, not pixels";
    window.Form.Document().Load(1, window.Folder.Write("new.csv", "t,New\n0,1\n1,2\n"));
    EXPECT_FALSE(window.Form.Measures().Markers()[0]) << "set on pane 1, gone with its log";
    EXPECT_FALSE(window.Form.Measures().PaneStatistics(0));
  }
}

TEST(Markers, SKeyShowsTheFiguresOfTheVisibleRangeAndDeleteClearsTheMarkers) {
  MeasureWindow window;
  window.Drag(3, mbLeft, 200, 400);
  EXPECT_FALSE(window.Form.Measures().PaneStatistics(3));
  window.Key('S');
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    const TChartAxis& axis = window.Form.PaneChart(pane).BottomAxis();
    window.ExpectFigures(pane, axis.Minimum(), axis.Maximum(), "visible range", false);
  }
  window.Hover(0, 300);
  window.Key('A');
  window.Key(VK_DELETE);
  EXPECT_FALSE(window.Form.Measures().Markers()[0]);
}

TEST(KeyStepping, MovesTheReadoutBySamplesAndStopsAtTheEndsOfTheLog) {
  MeasureWindow window;
  window.Hover(0, 300);
  const double start = window.ReadoutSample(0);
  const TChartAxis& axis = window.Form.Chart1.BottomAxis();
  const TRect plot = window.Form.Chart1.PlotRect;
  const double view = axis.Maximum() - axis.Minimum();
  const struct {
    int Key;
    TShiftState Shift;
    double Expected;
  } cases[] = {
      {VK_RIGHT, 0, start + 1},
      {VK_LEFT, 0, start},
      {VK_RIGHT, ssShift, start + std::round(view / (plot.Right - plot.Left))},
      {VK_HOME, 0, 0},
      {VK_LEFT, 0, 0},
      {VK_RIGHT, ssCtrl, std::round(view / 10)},
      {VK_END, 0, 4999},
      {VK_RIGHT, 0, 4999},
  };
  for (const auto& c : cases) {
    window.Key(c.Key, c.Shift);
    EXPECT_EQ(window.ReadoutSample(0), c.Expected) << "key " << c.Key << " shift " << c.Shift;
  }
  window.Hover(0, 300);
  EXPECT_EQ(window.ReadoutSample(0), start) << "the mouse takes the readout back";
}

TEST(ZoomKeys, EqualTheDragThatKeepsTheColumnAndStepBackThroughTheHistory) {
  for (const bool locked : {false, true}) {
    MeasureWindow keys;
    MeasureWindow drag;
    keys.Form.SetLocked(locked);
    drag.Form.SetLocked(locked);
    keys.Paint();
    drag.Paint();
    keys.Hover(1, 400);
    const int column = keys.Form.Measures().ShownReadout(1)->Column;
    const TRect plot = keys.Form.Chart2.PlotRect;
    keys.Key(VK_OEM_PLUS);
    // Half the room on either side of the column: it keeps its place.
    drag.Drag(1, mbLeft, column - (column - plot.Left) / 2, column + (plot.Right - column) / 2);
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      EXPECT_EQ(keys.Form.PaneChart(pane).BottomAxis().Minimum(), drag.Form.PaneChart(pane).BottomAxis().Minimum())
          << "pane " << int(pane) << (locked ? " locked" : "");
      EXPECT_EQ(keys.Form.PaneChart(pane).BottomAxis().Maximum(), drag.Form.PaneChart(pane).BottomAxis().Maximum());
    }
    const std::array<double, 4> first = {
        keys.Form.Chart1.BottomAxis().Minimum(), keys.Form.Chart2.BottomAxis().Minimum(),
        keys.Form.Chart3.BottomAxis().Minimum(), keys.Form.Chart4.BottomAxis().Minimum()};
    keys.Hover(1, 300);
    keys.Key(VK_OEM_PLUS);
    keys.Key(VK_OEM_MINUS);
    keys.Key(VK_BACK);
    keys.Key(VK_BACK);
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      EXPECT_EQ(keys.Form.PaneChart(pane).BottomAxis().Minimum(), first[pane]) << "two steps back, pane " << int(pane);
      EXPECT_TRUE(keys.Form.PaneChart(pane).IsZoomed);
    }
    keys.Key(VK_BACK);
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      EXPECT_FALSE(keys.Form.PaneChart(pane).IsZoomed) << "back from the first zoom: automatic again";
    }
  }
}

// Held down, the zoom keys must end at a view that still means something:
// in, the readout's sample stays in view with a sample step a few columns
// wide; out, a finite view that holds the whole log.
TEST(ZoomKeys, StopAtASampleAFewColumnsWideAndAtTheWholeLog) {
  for (const bool locked : {false, true}) {
    for (const int samples : {5000, 2}) {
      MeasureWindow window({samples, samples, samples, samples});
      window.Form.SetLocked(locked);
      window.Paint();
      window.Hover(1, 400);
      const std::string name = std::to_string(samples) + " samples" + (locked ? ", locked" : "");
      const TChartAxis& axis = window.Form.Chart2.BottomAxis();
      const TRect plot = window.Form.Chart2.PlotRect;
      const auto columnsPerSample = [&] { return (plot.Right - plot.Left) / (axis.Maximum() - axis.Minimum()); };
      const double unzoomed = columnsPerSample();
      // Once a press leaves the view as it was, every further one does too.
      const auto pressUntilStill = [&](int key, int most) {
        for (int i = 0; i < most; ++i) {
          const std::pair<double, double> before{axis.Minimum(), axis.Maximum()};
          window.Key(key);
          if (before == std::pair<double, double>{axis.Minimum(), axis.Maximum()}) {
            return;
          }
        }
      };
      pressUntilStill(VK_OEM_PLUS, 200);
      const double sample = window.ReadoutSample(1);
      EXPECT_LE(axis.Minimum(), sample) << name << ": the readout's sample stays in view";
      EXPECT_GE(axis.Maximum(), sample) << name;
      EXPECT_LE(columnsPerSample(), std::max(8.0, unzoomed)) << name;
      EXPECT_GE(columnsPerSample(), std::min(2.0, unzoomed)) << name << ": zoomed in as far as it goes";
      pressUntilStill(VK_OEM_MINUS, 1100);
      EXPECT_TRUE(std::isfinite(axis.Minimum()) && std::isfinite(axis.Maximum())) << name;
      EXPECT_LE(axis.Minimum(), 0) << name << ": the whole log in view";
      EXPECT_GE(axis.Maximum(), samples - 1) << name;
      EXPECT_LE(axis.Maximum() - axis.Minimum(), 4.0 * samples) << name << ": no further than the whole log";
    }
  }
}

std::vector<std::vector<std::string>> TabRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    std::vector<std::string> cells(1);
    for (const char c : text.substr(start, end - start)) {
      if (c == '\t') {
        cells.emplace_back();
      } else {
        cells.back() += c;
      }
    }
    rows.push_back(cells);
  }
  return rows;
}

// A figure as a spreadsheet of the locale reads it: the decimal separator
// given, no grouping, and the same double.
void ExpectNumberCell(const std::string& cell, std::optional<double> expected, char decimal, const std::string& what) {
  if (!expected) {
    EXPECT_EQ(cell, "") << what;
    return;
  }
  std::string pointed = cell;
  std::replace(pointed.begin(), pointed.end(), decimal, '.');
  double value = 0;
  const auto [end, error] = std::from_chars(pointed.data(), pointed.data() + pointed.size(), value);
  EXPECT_TRUE(error == std::errc() && end == pointed.data() + pointed.size()) << what << ": " << cell;
  EXPECT_EQ(value, *expected) << what << ": " << cell;
  EXPECT_EQ(cell.find(decimal == ',' ? '.' : ','), std::string::npos) << what << ": " << cell;
}

TEST(CopyFigures, GivesAHeaderAndARowAPaneOfNumbersThatReadBack) {
  for (const char decimal : {'.', ','}) {
    const LocaleScope locale(decimal, decimal == ',' ? '.' : ',');
    const std::string name = std::string("decimal '") + decimal + "'";
    MeasureWindow window({5000, 0, 3100, 5000});
    window.Hover(0, 200);
    window.Key('A');
    window.Hover(0, 300);
    window.Key('B');
    const std::string text = window.Form.Measures().FiguresText();
    const std::vector<std::vector<std::string>> rows = TabRows(text);
    ASSERT_EQ(rows.size(), 5U) << name;
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Title", "File", "N", "Words", "Min", "Max", "Mean", "A", "B",
                                                 "t at A", "t at B", "\u0394t"}));
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      const std::vector<std::string>& row = rows[pane + 1U];
      ASSERT_EQ(row.size(), 12U) << name;
      EXPECT_EQ(row[0], pane == 1 ? "Parametr" : "Signal") << name;
      EXPECT_EQ(row[1], window.Form.Document().PaneLog(pane).FileName) << name;
      const std::optional<TMeasurements::TPaneStatistics> statistics = window.Form.Measures().PaneStatistics(pane);
      if (!statistics) {
        EXPECT_EQ(pane, 1) << name << ": only the empty pane has no figures";
        EXPECT_EQ(std::vector<std::string>(row.begin() + 2, row.end()), std::vector<std::string>(10)) << name;
        continue;
      }
      const TStretchStatistics& figures = statistics->Figures;
      EXPECT_EQ(row[2], std::to_string(figures.Count())) << name;
      EXPECT_EQ(row[3], std::to_string(figures.Words)) << name;
      ExpectNumberCell(row[4], figures.Min, decimal, name + ", min");
      ExpectNumberCell(row[5], figures.Max, decimal, name + ", max");
      ExpectNumberCell(row[6], figures.Mean, decimal, name + ", mean");
      ExpectNumberCell(row[7], statistics->AtA, decimal, name + ", A");
      ExpectNumberCell(row[8], statistics->AtB, decimal, name + ", B");
      // The logs' time stamps are their sample numbers.
      const TChartSeries& series = window.Form.PaneSeries(pane);
      const auto& markers = window.Form.Measures().Markers();
      ExpectNumberCell(row[9], series.XValueAt(*NearestPointIndex(series, markers[0]->Sample)), decimal, name);
      ExpectNumberCell(row[10], series.XValueAt(*NearestPointIndex(series, markers[1]->Sample)), decimal, name);
      EXPECT_EQ(row[11], *statistics->DeltaLeading) << name;
    }
    window.Key('C', ssCtrl | ssShift);
    EXPECT_EQ(ClipboardText(), text) << name;
  }
}

// Without markers or statistics only the title and file exist; with one
// marker also the value and time stamp there.
TEST(CopyFigures, AFigureThatDoesNotExistIsAnEmptyCell) {
  const LocaleScope locale('.', ',');
  MeasureWindow window({100, 100, 100, 100});
  EXPECT_EQ(TabRows(window.Form.Measures().FiguresText())[1],
            (std::vector<std::string>{"Signal", window.Form.Document().PaneLog(0).FileName, "", "", "", "", "", "", "",
                                      "", "", ""}));
  window.Hover(0, 200);
  window.Key('A');
  const std::vector<std::string> row = TabRows(window.Form.Measures().FiguresText())[1];
  const double sample = window.Form.Measures().Markers()[0]->Sample;
  ExpectNumberCell(row[7], window.Logs[0].Values[static_cast<std::size_t>(sample)], '.', "A");
  EXPECT_EQ(row[9], std::to_string(static_cast<int>(sample)));
  EXPECT_EQ(row[8] + row[10] + row[11], "");
}

// A tab or line break in a title or a file name would shift the columns of
// its row or split it: each becomes a space. A quote would start a quoted
// cell: the cell is quoted.
TEST(CopyFigures, ATabLineBreakOrQuoteInATitleOrFileNameStaysInItsCell) {
  MeasureWindow window({10, 10, 10, 10});
  window.Form.PaneChart(1).Title().SetText("Fuel\tflow");
  window.Form.PaneChart(3).Title().SetText("Say \"hi\"");
  const std::string odd = window.Folder.Write("tab\tand\rreturn\nline.csv", "t,Signal\n0,1\n1,2\n");
  window.Form.Document().Load(2, odd);
  const std::string text = window.Form.Measures().FiguresText();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 5 * 11) << text;
  EXPECT_NE(text.find("\nFuel flow\t"), std::string::npos) << text;
  EXPECT_NE(text.find("/tab and return line.csv\t"), std::string::npos) << text;
  EXPECT_NE(text.find("\n\"Say \"\"hi\"\"\"\t"), std::string::npos) << text;
}

}  // namespace

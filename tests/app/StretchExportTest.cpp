// The export of a stretch of the four panes to CSV, read back: on four
// charts, their logs and the measurements, without a window; and the
// window's command with its dialog and its message.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "app/document/TLogDocument.h"
#include "app/measure/TMeasurements.h"
#include "app/state/TSavedState.h"
#include "app/view/TPaneCoordinator.h"
#include "app/window/PaneAppearance.h"
#include "app/window/TForm1.h"
#include "chart/series/TLineSeries.h"
#include "gui/DialogScript.h"
#include "gui/Keyboard.h"
#include "log/LogSample.h"
#include "runtime/Exception.h"
#include "tests/app/TempFolder.h"
#include "tests/runtime/LocaleScope.h"

namespace {

const char* const kWords[] = {"Rich", "Lean", "S.C to Gnd/Sensor lower limit", "Cold or Open Circuit"};

// A log of `samples` lines after its header, values with up to four
// decimals and, when asked, a sensor word now and then.
std::string RandomLog(const std::string& title, int samples, bool words, unsigned seed) {
  std::mt19937 random(seed);
  std::string text = "t," + title + "\n";
  for (int i = 0; i < samples; ++i) {
    text += std::to_string(i) + ",";
    if (words && random() % 7 == 0) {
      text += kWords[random() % 4];
    } else {
      const long long amount = static_cast<long long>(random() % 2'000'001) - 1'000'000;
      const std::string digits = std::to_string(amount < 0 ? -amount : amount);
      const std::string padded = std::string(digits.size() < 5 ? 5 - digits.size() : 0, '0') + digits;
      text += (amount < 0 ? "-" : "") + padded.substr(0, padded.size() - 4) + "." + padded.substr(padded.size() - 4);
    }
    text += "\n";
  }
  return text;
}

// Four panes with their logs and measurements, as the window has them.
struct Panes {
  TempFolder Folder;
  std::array<TChart, 4> Charts;
  std::array<TLineSeries, 4> Series;
  TSavedState State;
  TLogDocument Document{{&Charts[0], &Charts[1], &Charts[2], &Charts[3]}, State};
  TPaneCoordinator Coordinator{{&Charts[0], &Charts[1], &Charts[2], &Charts[3]}, State};
  TMeasurements Measures{{&Charts[0], &Charts[1], &Charts[2], &Charts[3]}, Document, State, Coordinator};

  Panes() {
    for (std::uint8_t pane = 0; pane < 4; ++pane) {
      Charts[pane].SetBounds(0, 0, 728, 129);
      ApplyPaneAppearance(Charts[pane], Series[pane]);
    }
  }
  void Load(std::uint8_t pane, const std::string& title, int samples, bool words) {
    if (samples > 0) {
      const std::string name = "log" + std::to_string(pane) + ".csv";
      EXPECT_TRUE(Document.Load(pane, Folder.Write(name, RandomLog(title, samples, words, 5 + pane))).empty());
    }
    Charts[pane].Refresh();
  }
  // Marker A or B at the sample under the pixel column of the pane.
  void SetMarker(std::size_t marker, std::uint8_t pane, int column) {
    Measures.ShowReadout(pane, column);
    Measures.SetMarker(marker);
  }
};

// A CSV text's rows, its cells unquoted.
std::vector<std::vector<std::string>> CsvRows(const std::string& text, char separator) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row(1);
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      row.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == separator) {
      row.emplace_back();
    } else if (!quoted && c == '\n') {
      rows.push_back(std::exchange(row, std::vector<std::string>(1)));
    } else {
      row.back() += c;
    }
  }
  EXPECT_EQ(row, std::vector<std::string>(1)) << "the text ends with a line end";
  return rows;
}

// The double a cell writes with `decimal` as its separator, read exactly.
std::optional<double> CellNumber(std::string cell, char decimal) {
  std::replace(cell.begin(), cell.end(), decimal, '.');
  double value = 0;
  const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  if (error != std::errc() || end != cell.data() + cell.size()) {
    return std::nullopt;
  }
  return value;
}

// What the export must hold: each pane's points from X = low to X = high,
// by sample number.
std::map<double, int> PointsBetween(const TChartSeries& series, double low, double high) {
  std::map<double, int> points;
  for (int i = 0; i < series.PointCount(); ++i) {
    if (series.XValueAt(i) >= low && series.XValueAt(i) <= high) {
      points[series.XValueAt(i)] = i;
    }
  }
  return points;
}

// Reads the export back and compares every cell with the pane's point at
// that sample number: the same double to the bit, or the word it was.
void ExpectExportHolds(Panes& panes, const std::string& csv, char decimal, const std::string& name) {
  const char separator = decimal == ',' ? ';' : ',';
  const std::vector<std::vector<std::string>> rows = CsvRows(csv, separator);
  ASSERT_FALSE(rows.empty()) << name;
  std::vector<std::string> header = {"Sample"};
  std::array<std::map<double, int>, 4> expected;
  std::map<double, int> samples;  // every sample number of any pane
  for (std::uint8_t pane = 0; pane < 4; ++pane) {
    header.push_back(panes.Charts[pane].Title().Text()[0]);
    const auto& markers = panes.Measures.Markers();
    const TChartAxis& axis = panes.Charts[pane].BottomAxis();
    double low = axis.Minimum();
    double high = axis.Maximum();
    if (markers[0] && markers[1]) {
      std::tie(low, high) = std::minmax(markers[0]->Sample, markers[1]->Sample);
    }
    expected[pane] = PointsBetween(panes.Series[pane], low, high);
    samples.insert(expected[pane].begin(), expected[pane].end());
  }
  EXPECT_EQ(rows[0], header) << name;
  ASSERT_EQ(rows.size(), samples.size() + 1) << name;
  auto sample = samples.begin();
  for (std::size_t r = 1; r < rows.size(); ++r, ++sample) {
    const std::vector<std::string>& row = rows[r];
    ASSERT_EQ(row.size(), 5U) << name << ", row " << r;
    EXPECT_EQ(CellNumber(row[0], decimal), sample->first) << name << ", row " << r;
    for (std::uint8_t pane = 0; pane < 4; ++pane) {
      const std::string& cell = row[pane + 1U];
      const auto point = expected[pane].find(sample->first);
      if (point == expected[pane].end()) {
        EXPECT_EQ(cell, "") << name << ": pane " << int{pane} << " has no sample " << sample->first;
        continue;
      }
      const double value = panes.Series[pane].YValueAt(point->second);
      if (panes.Document.Notes(pane).Words.IsWord(static_cast<std::size_t>(point->second))) {
        EXPECT_EQ(cell, *SensorWordText(value)) << name;
      } else {
        const std::optional<double> back = CellNumber(cell, decimal);
        ASSERT_TRUE(back) << name << ": '" << cell << "' is no number";
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*back), std::bit_cast<std::uint64_t>(value)) << name << ": " << cell;
      }
    }
  }
}

struct ExportCase {
  const char* Name = "";
  std::array<int, 4> Lengths{};  // 0: an empty pane
  bool Words = false;
  char Decimal = '.';
  std::optional<std::pair<int, int>> MarkerColumns;  // on pane 0; none: each pane's view
  std::optional<std::pair<int, int>> ZoomColumns;    // a zoom of pane 1 first
};

TEST(StretchExport, ReadsBackAsThePanesSamples) {
  const ExportCase cases[] = {
      {"markers, panes of different lengths", {400, 90, 250, 400}, false, '.', std::pair{100, 600}, std::nullopt},
      {"markers beyond a short pane's end", {400, 40, 0, 400}, false, '.', std::pair{300, 650}, std::nullopt},
      {"no markers: each pane's view, one zoomed", {400, 300, 50, 0}, false, '.', std::nullopt, std::pair{200, 400}},
      {"words", {300, 300, 300, 300}, true, '.', std::pair{60, 500}, std::nullopt},
      {"decimal comma, words, no markers", {300, 200, 0, 300}, true, ',', std::nullopt, std::pair{100, 300}},
  };
  for (const ExportCase& c : cases) {
    const LocaleScope locale(c.Decimal, c.Decimal == ',' ? '.' : ',');
    Panes panes;
    const std::array<const char*, 4> titles = {"Speed, km/h", "Say \"hi\"", "Lambda; rich", "Temp"};
    for (std::uint8_t pane = 0; pane < 4; ++pane) {
      panes.Load(pane, titles[pane], c.Lengths[pane], c.Words);
    }
    if (c.MarkerColumns) {
      panes.SetMarker(0, 0, c.MarkerColumns->first);
      panes.SetMarker(1, 0, c.MarkerColumns->second);
      ASSERT_TRUE(panes.Measures.Markers()[0] && panes.Measures.Markers()[1]) << c.Name;
    }
    if (c.ZoomColumns) {
      TChart& chart = panes.Charts[1];
      chart.ZoomToRectangle({c.ZoomColumns->first, chart.PlotRect.Top, c.ZoomColumns->second, chart.PlotRect.Bottom});
      chart.Refresh();
      ASSERT_TRUE(chart.IsZoomed) << c.Name;
    }
    const std::string file = panes.Folder.Folder() + "stretch.csv";
    WriteStretchCsv(file, panes.Measures.ExportColumns());
    ExpectExportHolds(panes, panes.Folder.Read("stretch.csv"), c.Decimal, c.Name);
  }
}

// The file is replaced whole or not at all, and a failure names the file
// and the reason.
TEST(StretchExport, AFailureToWriteNamesTheFileAndTheReason) {
  Panes panes;
  panes.Load(0, "Speed", 10, false);
  const std::string readOnly = panes.Folder.Write("read-only.csv", "kept");
  chmod(readOnly.c_str(), 0444);
  std::filesystem::create_directory(panes.Folder.Path() / "folder.csv");
  const struct {
    std::string File;
    std::string Reason;
  } cases[] = {
      {panes.Folder.Folder() + "no-such-folder/stretch.csv", std::strerror(ENOENT)},
      {readOnly, "the file is read-only"},
      {panes.Folder.Folder() + "folder.csv", std::strerror(EISDIR)},
  };
  for (const auto& c : cases) {
    try {
      WriteStretchCsv(c.File, panes.Measures.ExportColumns());
      ADD_FAILURE() << c.File << " was written";
    } catch (const FileException& error) {
      EXPECT_EQ(error.Message(), "Cannot export to '" + c.File + "': " + c.Reason);
    }
  }
  EXPECT_EQ(panes.Folder.Read("read-only.csv"), "kept");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(panes.Folder.Path()), {}), 3)
      << "no temporary file is left";
}

// Ctrl+E does nothing without a log, as the menu greys it; with one it
// offers a name made of the logs' in the last log's folder, writes the file
// chosen and shows a failure as a message.
TEST(StretchExport, TheWindowsCommandAsksForTheFileAndReportsAFailure) {
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder());
  form.OnKeyDown('E', ssCtrl);
  EXPECT_TRUE(script.SaveDialogOfferedNames.empty());
  form.OpenLogs(0, {folder.Write("lambda.csv", RandomLog("Lambda", 20, true, 1))});
  const std::string missing = folder.Folder() + "no-such-folder/stretch.csv";
  script.SaveAnswers = {std::nullopt, folder.Folder() + "chosen.csv", missing};
  for (int press = 0; press < 3; ++press) {
    form.PaneChart(0).Refresh();
    form.OnKeyDown('E', ssCtrl);
  }
  EXPECT_EQ(script.SaveDialogOfferedNames, std::vector<std::string>(3, "lambda.csv"));
  EXPECT_EQ(script.SaveDialogStartFolders, std::vector<std::string>(3, folder.Path().string()));
  EXPECT_EQ(folder.Read("chosen.csv").substr(0, 20), "Sample,Lambda,Parame");
  ASSERT_EQ(script.Messages.size(), 1U);
  EXPECT_EQ(script.Messages[0].Text, "Cannot export to '" + missing + "': " + std::strerror(ENOENT) + ".");
}

}  // namespace

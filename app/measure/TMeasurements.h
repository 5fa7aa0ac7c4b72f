#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/measure/CursorReadout.h"
#include "app/measure/StretchExport.h"
#include "app/measure/StretchStatistics.h"
#include "chart/panel/TChart.h"
#include "gui/Keyboard.h"

class TLogDocument;
class TSavedState;

// What the user measures on the panes: the cursor readout and where it
// stands, the markers A and B, and the figures of a stretch, kept while the
// stretch and the log stay.
class TMeasurements {
public:
  static constexpr std::uint8_t PaneCount = 4;

  TMeasurements(std::array<TChart*, PaneCount> charts, const TLogDocument& document, const TSavedState& state);

  // The readout at the pixel column of the pane, or none.
  void ShowReadout(std::uint8_t pane, int column);
  // Whether a readout was shown.
  bool HideReadout();
  // The pane the readout stands on.
  std::optional<std::uint8_t> ReadoutPane() const;
  // The readout of the mouse's column, or of the sample the keys moved it
  // to since; worked out once for each place and view.
  std::optional<TCursorReadout> SourceReadout();
  // The readout of the pane as shown now: in the other panes the same
  // column; while locked, the same samples at their own column, and past
  // the end of the source's log each pane's own sample at the sample number
  // under the mouse.
  std::optional<TCursorReadout> ShownReadout(std::uint8_t pane);
  // Left and Right step one sample (Shift: a pixel column's worth, Ctrl: a
  // tenth of the view), Home and End go to the ends of the log.
  void StepReadout(int key, TShiftState shift);

  // Markers A (0) and B (1): sample numbers, drawn in every pane, set from
  // the readout of a pane and gone when that pane gets another log.
  struct TMarker {
    std::uint8_t Pane = 0;
    double Sample = 0;
  };
  const std::array<std::optional<TMarker>, 2>& Markers() const { return markers_; }
  void SetMarker(std::size_t marker);
  // The pane's point nearest to the marker, if it is set and the pane has one.
  std::optional<int> MarkedPoint(std::uint8_t pane, std::size_t marker) const;
  void ClearMarkers();
  // The markers set on the pane and its kept figures: its log changed.
  void Forget(std::uint8_t pane);

  // The figures of a pane's samples between the markers, or with S of its
  // visible range; none while neither is asked for.
  struct TPaneStatistics {
    TStretchStatistics Figures;
    std::optional<double> AtA;
    std::optional<double> AtB;
    // Between the markers, the difference of the leading fields (time
    // stamps) of the stretch's last and first sample, when the log has them.
    std::optional<std::string> DeltaLeading;
  };
  bool StatisticsShown() const { return statisticsShown_; }
  void ToggleStatistics() { statisticsShown_ = !statisticsShown_; }
  std::optional<TPaneStatistics> PaneStatistics(std::uint8_t pane);
  // The lines of the pane's figures box.
  std::vector<std::string> StatisticsLines(std::uint8_t pane, const TPaneStatistics& statistics);
  // Tab-separated, a header row and one row a pane: title, file, N, words,
  // min, max, mean, the values at A and at B, the leading fields (time
  // stamps) at A and at B, and their difference between the markers. The
  // numbers read back exactly, written with the locale's decimal separator
  // and without grouping, so that a spreadsheet takes them as numbers; a
  // figure that does not exist is an empty cell.
  std::string FiguresText();
  // Each pane's samples between the markers when both are set, else those
  // it shows.
  std::vector<TExportColumn> ExportColumns() const;
  // Whether anything is drawn over every pane.
  bool AnyShown() const { return readoutAt_ || markers_[0] || markers_[1] || statisticsShown_; }

private:
  // The pane and column the mouse shows the readout at, and the sample the
  // keys moved it to since.
  struct TReadoutPlace {
    std::uint8_t Pane = 0;
    int Column = 0;
    std::optional<int> Sample;
    bool operator==(const TReadoutPlace&) const = default;
  };
  // What the source readout was worked out for: its place, and the view,
  // the last layout and the samples of its pane.
  struct TReadoutKey {
    TReadoutPlace Place;
    long Paints = 0;
    std::array<double, 4> Ranges{};  // horizontal and vertical, once painted
    std::array<int, 4> Plot{};
    int PointCount = 0;
    bool operator==(const TReadoutKey&) const = default;
  };
  TReadoutKey ReadoutKey() const;
  struct TStatisticsCache {
    int First = 0;
    int Last = 0;
    int PointCount = 0;
    TStretchStatistics Figures;  // of every point, as a grown stretch extends them
    TStretchStatistics Numbers;  // without the sensor words
    std::optional<std::string> DeltaLeading;
  };

  TChart& Chart(std::uint8_t pane) const { return *charts_[pane]; }
  TChartSeries& Series(std::uint8_t pane) const { return charts_[pane]->SeriesList()[0]; }
  const TLogNotes* Notes(std::uint8_t pane) const;
  std::optional<TCursorReadout> WorkOutSourceReadout();
  std::optional<double> ReadoutSample();
  std::string Title(std::uint8_t pane) const;
  TSampleSpan MarkedOrVisibleSpan(std::uint8_t pane) const;
  std::optional<TSampleSpan> StatisticsSpan(std::uint8_t pane) const;
  std::string FiguresRow(std::uint8_t pane);
  std::optional<std::string> MarkedLeadingDifference(std::uint8_t pane, const TColumnSamples& stretch) const;

  std::array<TChart*, PaneCount> charts_;
  const TLogDocument& document_;
  const TSavedState& state_;
  std::optional<TReadoutPlace> readoutAt_;
  std::optional<TReadoutKey> sourceKey_;
  std::optional<TCursorReadout> source_;
  std::array<std::optional<TMarker>, 2> markers_;
  bool statisticsShown_ = false;
  std::array<std::optional<TStatisticsCache>, PaneCount> statisticsCache_;
  std::array<TBlockSums, PaneCount> blockSums_;
};

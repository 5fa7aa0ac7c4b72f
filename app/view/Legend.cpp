#include "app/view/Legend.h"

#include <cmath>

#include "app/document/TLogDocument.h"
#include "app/measure/TMeasurements.h"
#include "app/view/LogNames.h"
#include "chart/panel/TChart.h"
#include "chart/series/TChartSeries.h"

namespace {

constexpr std::array<const char*, 2> kMarkerNames = {"A", "B"};

// The texts of the pane's samples, or "no data" where its log has none at
// the place; nothing for a log without samples, or before the pane's value
// axis is laid out.
void Read(TLegendRow& row, const TChartSeries& series, const TLogNotes& notes,
          const std::optional<TColumnSamples>& samples) {
  const TChartAxis* valueAxis = series.ResolvedVertAxis();
  if (valueAxis == nullptr || series.PointCount() == 0) {
    return;
  }
  if (!samples) {
    row.Value = kNoSampleText;
    return;
  }
  row.Value = ValuesText(series, *valueAxis, *samples, &notes);
  row.Time = LeadingText(notes, *samples);
  row.Sample = SamplesText(series, *samples);
}

// The pane's point at the marker; none where the marker lies beyond the
// pane's log by more than half a sample.
std::optional<TColumnSamples> MarkedSamples(const TChartSeries& series, const TMeasurements& measures,
                                            std::uint8_t pane, std::size_t marker) {
  const std::optional<int> point = measures.MarkedPoint(pane, marker);
  if (!point || std::abs(series.XValueAt(*point) - measures.Markers()[marker]->Sample) > 0.5) {
    return std::nullopt;
  }
  const double value = series.YValueAt(*point);
  return TColumnSamples{*point, *point, value, value};
}

// The pane's rows: at the cursor, or at each marker that is set; none
// without a log.
void AppendPaneRows(std::vector<TLegendRow>& rows, TChart& chart, std::uint8_t pane, const TLogDocument& document,
                    TMeasurements& measures) {
  const std::string& fileName = document.PaneLog(pane).FileName;
  if (fileName.empty()) {
    return;
  }
  const TChartSeries& series = chart.SeriesList()[0];
  const std::vector<std::string>& title = chart.Title().Text();
  const TLegendRow named{pane, series.SeriesColor(), title.empty() ? "" : title[0], FileBaseName(fileName), "", "", "",
                         ""};
  const TLogNotes& notes = document.Notes(pane);
  if (!measures.Markers()[0] && !measures.Markers()[1]) {
    TLegendRow& row = rows.emplace_back(named);
    if (const std::optional<TCursorReadout> readout = measures.ShownReadout(pane)) {
      Read(row, series, notes, readout->Samples);
    }
    return;
  }
  for (std::size_t marker = 0; marker < kMarkerNames.size(); ++marker) {
    if (measures.Markers()[marker]) {
      TLegendRow& row = rows.emplace_back(named);
      row.At = kMarkerNames[marker];
      Read(row, series, notes, MarkedSamples(series, measures, pane, marker));
    }
  }
}

}  // namespace

std::vector<TLegendRow> LegendRows(const std::array<TChart*, 4>& charts, const TLogDocument& document,
                                   TMeasurements& measures) {
  std::vector<TLegendRow> rows;
  for (std::size_t pane = 0; pane < charts.size(); ++pane) {
    AppendPaneRows(rows, *charts[pane], static_cast<std::uint8_t>(pane), document, measures);
  }
  return rows;
}

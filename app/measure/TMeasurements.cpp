#include "app/measure/TMeasurements.h"
#include "chart/series/TChartSeries.h"

#include <algorithm>
#include <cmath>

#include "app/document/TLogDocument.h"
#include "app/state/TSavedState.h"
#include "app/view/TPaneCoordinator.h"
#include "runtime/LocaleSeparators.h"
#include "runtime/NumberFormat.h"

namespace {

// A title or file name as one cell of the copied figures: a tab or line
// break in it would split the row, and a spreadsheet reads a quote as
// the start of a quoted cell.
std::string FigureCell(std::string text) {
  const auto splits = [](char c) { return c == '\t' || c == '\n' || c == '\r'; };
  std::replace_if(text.begin(), text.end(), splits, ' ');
  std::string cell;
  AppendCsvCell(cell, text, "\"");
  return cell;
}

}  // namespace

TMeasurements::TMeasurements(std::array<TChart*, PaneCount> charts, const TLogDocument& document,
                             const TSavedState& state, const TPaneCoordinator& coordinator)
    : charts_(charts), document_(document), state_(state), coordinator_(coordinator) {}

const TLogNotes* TMeasurements::Notes(std::uint8_t pane) const { return &document_.Notes(pane); }

void TMeasurements::ShowReadout(std::uint8_t pane, int column) {
  readoutAt_ = TReadoutPlace{pane, column, std::nullopt};
}

bool TMeasurements::HideReadout() { return std::exchange(readoutAt_, std::nullopt).has_value(); }

std::optional<std::uint8_t> TMeasurements::ReadoutPane() const {
  return readoutAt_ ? std::optional<std::uint8_t>(readoutAt_->Pane) : std::nullopt;
}

TMeasurements::TReadoutKey TMeasurements::ReadoutKey() const {
  const TChart& chart = Chart(readoutAt_->Pane);
  const TChartSeries& series = Series(readoutAt_->Pane);
  TReadoutKey key{*readoutAt_,
                  chart.PaintCount(),
                  {},
                  {chart.PlotRect.Left, chart.PlotRect.Top, chart.PlotRect.Right, chart.PlotRect.Bottom},
                  series.PointCount()};
  const TChartAxis* horizontal = series.ResolvedHorizAxis();
  const TChartAxis* vertical = series.ResolvedVertAxis();
  if (horizontal != nullptr && vertical != nullptr) {
    key.Ranges = {horizontal->Minimum(), horizontal->Maximum(), vertical->Minimum(), vertical->Maximum()};
  } else {
    key.Ranges.fill(NAN);
  }
  return key;
}

// A paint of each pane asks for it: the log's time stamps are read from its
// file, so that is done once for a place and view, not four times.
std::optional<TCursorReadout> TMeasurements::SourceReadout() {
  if (!readoutAt_) {
    return std::nullopt;
  }
  const TReadoutKey key = ReadoutKey();
  if (sourceKey_ != key) {
    source_ = WorkOutSourceReadout();
    sourceKey_ = key;
  }
  return source_;
}

std::optional<TCursorReadout> TMeasurements::WorkOutSourceReadout() {
  if (coordinator_.TimeLocked()) {
    return TimeReadout(readoutAt_->Pane);
  }
  TChart& chart = Chart(readoutAt_->Pane);
  if (readoutAt_->Sample) {
    const double sample = Series(readoutAt_->Pane).XValueAt(*readoutAt_->Sample);
    return PaneReadout(chart, SampleColumn(chart, sample), Notes(readoutAt_->Pane), TSampleSpan{sample, sample});
  }
  return PaneReadout(chart, readoutAt_->Column, Notes(readoutAt_->Pane));
}

std::optional<TCursorReadout> TMeasurements::ShownReadout(std::uint8_t pane) {
  std::optional<TCursorReadout> source = SourceReadout();
  if (!source || pane == readoutAt_->Pane) {
    return source;
  }
  if (coordinator_.TimeLocked()) {
    return TimeReadout(pane);
  }
  const TChartSeries& from = Series(readoutAt_->Pane);
  const bool locked = state_.Locked();
  TChart& chart = Chart(pane);
  if (locked && !source->Samples && from.PointCount() > 0 && from.ResolvedHorizAxis() != nullptr) {
    return PaneReadout(chart, SampleColumn(chart, from.ResolvedHorizAxis()->PixelToValue(source->Column)), Notes(pane));
  }
  if (!locked || !source->Samples) {
    return PaneReadout(chart, source->Column, Notes(pane));
  }
  const TSampleSpan span{from.XValueAt(source->Samples->First), from.XValueAt(source->Samples->Last)};
  return PaneReadout(chart, SampleColumn(chart, span.First), Notes(pane), span);
}

// The time of the sample the keys moved to, else the time span of the
// mouse's column in the pane it is over: a column holds the samples of its
// time as it holds those of its sample numbers.
std::optional<TCursorReadout> TMeasurements::TimeReadout(std::uint8_t pane) {
  const TChartAxis& time = Chart(readoutAt_->Pane).TopAxis();
  int column = readoutAt_->Column;
  double low = 0;
  double high = 0;
  if (readoutAt_->Sample) {
    low = high = coordinator_.Times(readoutAt_->Pane).SampleTime(static_cast<std::size_t>(*readoutAt_->Sample));
    column = time.ValueToPixel(low);
  } else {
    const double at = time.PixelToValue(column);
    const double half = (time.PixelToValue(column + 1) - at) / 2;
    low = at - half;
    high = at + half;
  }
  std::optional<TCursorReadout> readout = PaneReadout(Chart(pane), column, Notes(pane));
  if (!readout || Series(pane).PointCount() == 0) {
    return readout;
  }
  if (const auto samples = coordinator_.Times(pane).SamplesBetween(low, high)) {
    const TSampleSpan span{static_cast<double>(samples->first), static_cast<double>(samples->second)};
    return PaneReadout(Chart(pane), column, Notes(pane), span);
  }
  readout->Samples.reset();
  readout->Text = kNoSampleText;
  readout->Leading.clear();
  return readout;
}

std::optional<double> TMeasurements::ReadoutSample() {
  const std::optional<TCursorReadout> source = SourceReadout();
  if (!source || !source->Samples) {
    return std::nullopt;
  }
  return Series(readoutAt_->Pane).XValueAt(source->Samples->First);
}

void TMeasurements::StepReadout(int key, TShiftState shift) {
  const std::optional<TCursorReadout> source = SourceReadout();
  if (!source || !source->Samples) {
    return;
  }
  const int count = Series(readoutAt_->Pane).PointCount();
  int index = source->Samples->First;
  if (key == VK_HOME) {
    index = 0;
  } else if (key == VK_END) {
    index = count - 1;
  } else {
    TChart& chart = Chart(readoutAt_->Pane);
    const double view = chart.BottomAxis().Maximum() - chart.BottomAxis().Minimum();
    double step = 1;
    if ((shift & ssCtrl) != 0) {
      step = view / 10;
    } else if ((shift & ssShift) != 0) {
      step = view / std::max(1, chart.PlotRect.Right - chart.PlotRect.Left);
    }
    const long long samples = std::max(1LL, std::llround(step));
    index = static_cast<int>(std::clamp<long long>(index + (key == VK_LEFT ? -samples : samples), 0, count - 1));
  }
  readoutAt_->Sample = index;
}

// ---- Markers and statistics ----

void TMeasurements::SetMarker(std::size_t marker) {
  if (const std::optional<double> sample = ReadoutSample()) {
    std::optional<double> time;
    if (coordinator_.TimeLocked()) {
      time = coordinator_.Times(readoutAt_->Pane).SampleTime(static_cast<std::size_t>(*sample));
    }
    markers_.at(marker) = TMarker{readoutAt_->Pane, *sample, time};
  }
}

// A marker set by time stays at its sample in the samples' modes.
std::optional<double> TMeasurements::MarkerTime(std::size_t marker) const {
  const std::optional<TMarker>& at = markers_.at(marker);
  return at && at->Time && coordinator_.TimeLocked() ? at->Time : std::nullopt;
}

int TMeasurements::MarkerColumn(std::uint8_t pane, std::size_t marker) const {
  if (const std::optional<double> time = MarkerTime(marker)) {
    return Chart(pane).TopAxis().ValueToPixel(*time);
  }
  return SampleColumn(Chart(pane), markers_.at(marker)->Sample);
}

void TMeasurements::ClearMarkers() { markers_ = {}; }

void TMeasurements::Forget(std::uint8_t pane) {
  for (std::optional<TMarker>& marker : markers_) {
    if (marker && marker->Pane == pane) {
      marker.reset();
    }
  }
  statisticsCache_.at(pane).reset();
  blockSums_[pane].Clear();
  sourceKey_.reset();
}

TSampleSpan TMeasurements::MarkedOrVisibleSpan(std::uint8_t pane) const {
  if (markers_[0] && markers_[1]) {
    const std::optional<double> timeA = MarkerTime(0);
    const std::optional<double> timeB = MarkerTime(1);
    if (timeA && timeB && Series(pane).PointCount() > 0) {
      const TPaneTimes times = coordinator_.Times(pane);
      const double atA = times.SampleAt(*timeA);
      const double atB = times.SampleAt(*timeB);
      return {std::min(atA, atB), std::max(atA, atB)};
    }
    const auto [low, high] = std::minmax(markers_[0]->Sample, markers_[1]->Sample);
    return {low, high};
  }
  const TChartAxis& axis = Chart(pane).BottomAxis();
  return {axis.Minimum(), axis.Maximum()};
}

std::optional<TSampleSpan> TMeasurements::StatisticsSpan(std::uint8_t pane) const {
  if ((markers_[0] && markers_[1]) || statisticsShown_) {
    return MarkedOrVisibleSpan(pane);
  }
  return std::nullopt;
}

std::optional<int> TMeasurements::MarkedPoint(std::uint8_t pane, std::size_t marker) const {
  const std::optional<TMarker>& at = markers_.at(marker);
  if (const std::optional<double> time = MarkerTime(marker)) {
    const std::optional<std::size_t> sample =
        Series(pane).PointCount() > 0 ? coordinator_.Times(pane).NearestSample(*time) : std::nullopt;
    return sample ? std::optional<int>(static_cast<int>(*sample)) : std::nullopt;
  }
  return at ? NearestPointIndex(Series(pane), at->Sample) : std::nullopt;
}

// Kept while the stretch and the log stay, and extended when both grew at
// their end: the mean of a long stretch costs a pass over it, and the
// overlay is drawn at every paint, also at every step of a followed log.
std::optional<TMeasurements::TPaneStatistics> TMeasurements::PaneStatistics(std::uint8_t pane) {
  const std::optional<TSampleSpan> span = StatisticsSpan(pane);
  const TChartSeries& series = Series(pane);
  if (!span) {
    return std::nullopt;
  }
  const std::optional<TColumnSamples> samples = SamplesBetween(series, span->First, span->Last);
  if (!samples) {
    return std::nullopt;
  }
  std::optional<TStatisticsCache>& cache = statisticsCache_[pane];
  const bool grown = cache && cache->First == samples->First && cache->Last <= samples->Last &&
                     cache->PointCount <= series.PointCount();
  if (!grown || cache->Last < samples->Last) {
    const TStretchStatistics figures =
        grown ? ExtendedStretchStatistics(series.YValues(), cache->Figures, samples->Last, blockSums_[pane])
              : StretchStatistics(series.YValues(), samples->First, samples->Last, blockSums_[pane]);
    cache = TStatisticsCache{samples->First,
                             samples->Last,
                             series.PointCount(),
                             figures,
                             NumbersOnly(series.YValues(), figures, document_.Notes(pane).Words),
                             MarkedLeadingDifference(pane, *samples)};
  }
  TPaneStatistics statistics{cache->Numbers, std::nullopt, std::nullopt, cache->DeltaLeading};
  const auto valueAt = [&](std::size_t marker) -> std::optional<double> {
    const std::optional<int> point = MarkedPoint(pane, marker);
    return point ? std::optional<double>(series.YValueAt(*point)) : std::nullopt;
  };
  statistics.AtA = valueAt(0);
  statistics.AtB = valueAt(1);
  return statistics;
}

// May be read from the file, so kept with the figures rather than read at
// every paint.
std::optional<std::string> TMeasurements::MarkedLeadingDifference(std::uint8_t pane,
                                                                  const TColumnSamples& stretch) const {
  const TLogNotes& notes = document_.Notes(pane);
  if (!markers_[0] || !markers_[1]) {
    return std::nullopt;
  }
  const std::optional<std::string> first = notes.Field(static_cast<std::uint64_t>(stretch.First));
  const std::optional<std::string> last = notes.Field(static_cast<std::uint64_t>(stretch.Last));
  return first && last ? FieldDifference(*first, *last) : std::nullopt;
}

std::vector<std::string> TMeasurements::StatisticsLines(std::uint8_t pane, const TPaneStatistics& statistics) {
  const TChartAxis& values = *Series(pane).ResolvedVertAxis();
  std::vector<std::string> lines;
  if (markers_[0] && markers_[1]) {
    lines.push_back("\u0394N " + GroupedWholeNumber(std::abs(markers_[1]->Sample - markers_[0]->Sample)));
    if (statistics.DeltaLeading) {
      lines.push_back("\u0394t " + *statistics.DeltaLeading);
    }
  } else {
    lines.push_back("N " + GroupedWholeNumber(statistics.Figures.Count()));
  }
  if (const int words = statistics.Figures.Words; words > 0) {
    lines.push_back(GroupedWholeNumber(words) + (words == 1 ? " word" : " words"));
  }
  if (const int gaps = statistics.Figures.Gaps; gaps > 0) {
    lines.push_back(GroupedWholeNumber(gaps) + (gaps == 1 ? " gap" : " gaps"));
  }
  if (statistics.Figures.Count() > 0) {
    lines.push_back("min " + values.LabelText(statistics.Figures.Min));
    lines.push_back("max " + values.LabelText(statistics.Figures.Max));
    lines.push_back("mean " + values.LabelText(statistics.Figures.Mean));
  }
  for (const auto& [name, value] : {std::pair{"A ", statistics.AtA}, std::pair{"B ", statistics.AtB}}) {
    if (value) {
      lines.push_back(name + values.LabelText(*value));
    }
  }
  return lines;
}

std::string TMeasurements::Title(std::uint8_t pane) const {
  const std::vector<std::string>& lines = Chart(pane).Title().Text();
  return lines.empty() ? "" : lines[0];
}

// For pasting into a spreadsheet: a number in a cell is taken as one only
// with the locale's decimal separator and without grouping.
std::string TMeasurements::FiguresText() {
  std::string text = "Title\tFile\tN\tWords\tMin\tMax\tMean\tA\tB\tt at A\tt at B\t\u0394t\n";
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    text += FiguresRow(pane) + "\n";
  }
  return text;
}

std::string TMeasurements::FiguresRow(std::uint8_t pane) {
  const char decimal = LocaleDecimalSeparator;
  const auto number = [decimal](std::optional<double> value) {
    return value && !std::isnan(*value) ? ShortestNumberText(*value, decimal) : std::string();
  };
  const auto field = [decimal](std::optional<std::string> text) {
    if (!text) {
      return std::string();
    }
    std::replace(text->begin(), text->end(), '.', decimal);
    return *text;
  };
  std::vector<std::string> cells{FigureCell(Title(pane)), FigureCell(document_.PaneLog(pane).FileName)};
  const std::optional<TPaneStatistics> statistics = PaneStatistics(pane);
  if (statistics) {
    const TStretchStatistics& figures = statistics->Figures;
    cells.insert(cells.end(), {std::to_string(figures.Count()), std::to_string(figures.Words), number(figures.Min),
                               number(figures.Max), number(figures.Mean)});
  } else {
    cells.resize(cells.size() + 5);
  }
  const std::array<std::optional<int>, 2> points = {MarkedPoint(pane, 0), MarkedPoint(pane, 1)};
  for (const std::optional<int>& point : points) {
    cells.push_back(point ? number(Series(pane).YValueAt(*point)) : "");
  }
  for (const std::optional<int>& point : points) {
    cells.push_back(point ? field(document_.Notes(pane).Field(static_cast<std::uint64_t>(*point))) : "");
  }
  cells.push_back(statistics ? field(statistics->DeltaLeading) : "");
  std::string row = cells.front();
  for (std::size_t k = 1; k < cells.size(); ++k) {
    row += "\t" + cells[k];
  }
  return row;
}

std::vector<TExportColumn> TMeasurements::ExportColumns() const {
  std::vector<TExportColumn> columns;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    const TSampleSpan span = MarkedOrVisibleSpan(pane);
    columns.push_back({Title(pane), &Series(pane), SamplesBetween(Series(pane), span.First, span.Last),
                       &document_.Notes(pane).Words, document_.PaneLog(pane).DecimalSeparator});
  }
  return columns;
}

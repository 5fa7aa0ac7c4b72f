// Any bytes as a series' stored "Data": either the series takes the points,
// which then write back to the same bytes' meaning, or the form is refused
// and the series keeps its points.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "chart/series/SeriesData.h"
#include "chart/series/TLineSeries.h"
#include "runtime/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TLineSeries series;
  series.AppendValue(42, "kept", clRed);
  try {
    ReadSeriesData(series, std::span<const std::uint8_t>(data, size));
  } catch (const Exception&) {
    if (series.PointCount() != 1 || series.YValueAt(0) != 42) {
      std::abort();  // a refused form must leave the series as it was
    }
    return 0;
  }
  TLineSeries copy;
  ReadSeriesData(copy, WriteSeriesData(series));
  if (copy.PointCount() != series.PointCount()) {
    std::abort();
  }
  return 0;
}

#include "chart/series/SeriesData.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "chart/series/TChartSeries.h"
#include "runtime/Exception.h"

static_assert(std::endian::native == std::endian::little, "the stored form is little-endian and copied as is");

namespace {

// A label is stored with one length byte, so longer labels keep their first
// 255 characters.
constexpr std::size_t kMaxStoredLabel = 255;

struct TStoredPoint {
  double X = 0;
  double Y = 0;
  TColor Color = clDefault;
  std::string Label;
  std::vector<double> Extra;
};

class TDataWriter {
public:
  template <class T>
  void Put(T value) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
    out_.insert(out_.end(), bytes, bytes + sizeof(T));
  }
  void PutLabel(const std::string& label) {
    const std::size_t length = std::min(label.size(), kMaxStoredLabel);
    out_.push_back(static_cast<std::uint8_t>(length));
    out_.insert(out_.end(), label.begin(), label.begin() + static_cast<std::ptrdiff_t>(length));
  }
  std::vector<std::uint8_t> Take() { return std::move(out_); }

private:
  std::vector<std::uint8_t> out_;
};

class TDataReader {
public:
  explicit TDataReader(std::span<const std::uint8_t> data) : data_(data) {}

  template <class T>
  T Get() {
    T value;
    std::memcpy(&value, Take(sizeof(T)), sizeof(T));
    return value;
  }
  std::string GetLabel() {
    const std::size_t length = Get<std::uint8_t>();
    const auto* text = reinterpret_cast<const char*>(Take(length));
    return std::string(text, length);
  }
  bool AtEnd() const { return pos_ == data_.size(); }

private:
  const std::uint8_t* Take(std::size_t bytes) {
    if (data_.size() - pos_ < bytes) {
      throw Exception("Series data ends before its last point.");
    }
    const std::uint8_t* at = data_.data() + pos_;
    pos_ += bytes;
    return at;
  }

  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

std::uint8_t FlagsFor(const TChartSeries& series) {
  std::uint8_t flags = 0;
  for (int i = 0; i < series.PointCount(); ++i) {
    if (series.XValueAt(i) != i) {
      flags |= sdExplicitX;
      break;
    }
  }
  if (series.HasColorList()) {
    flags |= sdColors;
  }
  if (!series.Labels().Empty()) {
    flags |= sdLabels;
  }
  return flags;
}

std::vector<TStoredPoint> ParsePoints(TDataReader& reader, std::size_t extraLists) {
  const auto flags = reader.Get<std::uint8_t>();
  const auto count = reader.Get<std::int32_t>();
  if (count < 0) {
    throw Exception("Series data holds a negative point count.");
  }
  // The marks are hidden and their position record has no use here.
  if (flags & sdMarkPositions) {
    throw Exception("Series data with mark positions is not supported.");
  }
  std::vector<TStoredPoint> points;
  for (std::int32_t i = 0; i < count; ++i) {
    TStoredPoint point;
    point.X = (flags & sdExplicitX) ? reader.Get<double>() : i;
    point.Y = reader.Get<double>();
    if (flags & sdColors) {
      point.Color = reader.Get<std::int32_t>();
    }
    if (flags & sdLabels) {
      point.Label = reader.GetLabel();
    }
    for (std::size_t k = 0; k < extraLists; ++k) {
      point.Extra.push_back(reader.Get<double>());
    }
    points.push_back(std::move(point));
  }
  if (!reader.AtEnd()) {
    throw Exception("Series data continues after its last point.");
  }
  return points;
}

}  // namespace

std::vector<std::uint8_t> WriteSeriesData(const TChartSeries& series) {
  const std::uint8_t flags = FlagsFor(series);
  const std::vector<TChartValueList*>& lists = series.ValueLists();
  TDataWriter writer;
  writer.Put(flags);
  writer.Put(static_cast<std::int32_t>(series.PointCount()));
  for (int i = 0; i < series.PointCount(); ++i) {
    if (flags & sdExplicitX) {
      writer.Put(series.XValueAt(i));
    }
    writer.Put(series.YValueAt(i));
    if (flags & sdColors) {
      writer.Put(static_cast<std::int32_t>(series.StoredPointColor(i)));
    }
    if (flags & sdLabels) {
      writer.PutLabel(series.Label(i));
    }
    for (std::size_t k = 2; k < lists.size(); ++k) {
      writer.Put(lists[k]->ValueAt(i));
    }
  }
  return writer.Take();
}

void ReadSeriesData(TChartSeries& series, std::span<const std::uint8_t> data) {
  const std::vector<TChartValueList*>& lists = series.ValueLists();
  const std::size_t extraLists = lists.size() > 2 ? lists.size() - 2 : 0;
  TDataReader reader(data);
  const std::vector<TStoredPoint> points = ParsePoints(reader, extraLists);
  series.ClearPoints();
  TBulkUpdate bulk(series);
  for (const TStoredPoint& point : points) {
    for (std::size_t k = 0; k < extraLists; ++k) {
      lists[k + 2]->PendingValue = point.Extra[k];
    }
    series.AddPoint(point.X, point.Y, point.Label, point.Color);
  }
  bulk.End();
}

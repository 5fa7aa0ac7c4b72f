#include "chart/series/SeriesData.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/series/TChartSeries.h"
#include "runtime/Exception.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutDouble(Bytes& bytes, double value) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
  bytes.insert(bytes.end(), p, p + 8);
}

TEST(SeriesData, PanesStoreFiveZeroBytes) {
  TChartSeries series;
  EXPECT_EQ(WriteSeriesData(series), (Bytes{0, 0, 0, 0, 0}));
  series.AppendValue(1, "", clDefault);
  ReadSeriesData(series, Bytes{0, 0, 0, 0, 0});
  EXPECT_EQ(series.PointCount(), 0);
}

TEST(SeriesData, IndexXAndNoColoursGiveTheShortForm) {
  TChartSeries series;
  series.AppendValue(2.5, "", clDefault);
  Bytes expected{0, 1, 0, 0, 0};
  PutDouble(expected, 2.5);
  EXPECT_EQ(WriteSeriesData(series), expected);
}

TEST(SeriesData, ReadsTheLayoutByteByByte) {
  Bytes data{1 | 2 | 4, 2, 0, 0, 0};
  PutDouble(data, 10);
  PutDouble(data, -1);
  data.insert(data.end(), {0xFF, 0, 0, 0, 2, 'h', 'i'});
  PutDouble(data, 5);
  PutDouble(data, 7);
  data.insert(data.end(), {0, 0, 0, 0x20, 0});
  TChartSeries series;
  ReadSeriesData(series, data);
  ASSERT_EQ(series.PointCount(), 2);
  EXPECT_EQ(series.XValueAt(0), 5);
  EXPECT_EQ(series.YValueAt(0), 7);
  EXPECT_EQ(series.StoredPointColor(0), clDefault);
  EXPECT_EQ(series.Label(0), "");
  EXPECT_EQ(series.XValueAt(1), 10) << "added through AddPoint, so in X order";
  EXPECT_EQ(series.StoredPointColor(1), clRed);
  EXPECT_EQ(series.Label(1), "hi");
}

struct RoundTripCase {
  const char* name;
  std::vector<double> xs;
  std::vector<TColor> colors;
  std::vector<std::string> labels;
};

class SeriesDataRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(SeriesDataRoundTrip, ReadsBackWhatWasWritten) {
  const RoundTripCase& c = GetParam();
  TChartSeries source;
  for (std::size_t i = 0; i < c.xs.size(); ++i) {
    source.AddPoint(c.xs[i], 100.0 + static_cast<double>(i), c.labels[i], c.colors[i]);
  }
  TChartSeries copy;
  ReadSeriesData(copy, WriteSeriesData(source));
  ASSERT_EQ(copy.PointCount(), source.PointCount());
  EXPECT_EQ(copy.HasColorList(), source.HasColorList());
  for (int i = 0; i < source.PointCount(); ++i) {
    EXPECT_EQ(copy.XValueAt(i), source.XValueAt(i));
    EXPECT_EQ(copy.YValueAt(i), source.YValueAt(i));
    EXPECT_EQ(copy.StoredPointColor(i), source.StoredPointColor(i));
    EXPECT_EQ(copy.Label(i), source.Label(i).substr(0, 255));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Series, SeriesDataRoundTrip,
    testing::Values(RoundTripCase{"LoadedLog", {0, 1, 2}, {clBlue, clBlue, clBlue}, {"", "", ""}},
                    RoundTripCase{"ExplicitX", {0.5, 3, 7}, {clDefault, clDefault, clDefault}, {"", "", ""}},
                    RoundTripCase{"SomeColoursAndLabels", {0, 1}, {clDefault, clNone}, {"", "a,b"}},
                    RoundTripCase{"LabelLongerThanALengthByte", {0}, {clDefault}, {std::string(300, 'q')}}),
    [](const auto& test) { return test.param.name; });

struct BrokenCase {
  const char* name;
  Bytes data;
};

class BrokenSeriesData : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenSeriesData, IsRefusedLeavingTheSeriesAlone) {
  TChartSeries series;
  series.AppendValue(42, "", clGreen);
  EXPECT_THROW(ReadSeriesData(series, GetParam().data), Exception);
  ASSERT_EQ(series.PointCount(), 1);
  EXPECT_EQ(series.YValueAt(0), 42);
}

INSTANTIATE_TEST_SUITE_P(Forms, BrokenSeriesData,
                         testing::Values(BrokenCase{"Empty", {}}, BrokenCase{"CountCut", {0, 1, 0}},
                                         BrokenCase{"PointsMissing", {0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
                                         BrokenCase{"HugeCount", {0, 0xFF, 0xFF, 0xFF, 0x7F}},
                                         BrokenCase{"NegativeCount", {0, 0xFF, 0xFF, 0xFF, 0xFF}},
                                         BrokenCase{"LabelCut", {4, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 'a'}},
                                         BrokenCase{"BytesAfterTheLastPoint", {0, 0, 0, 0, 0, 1}},
                                         BrokenCase{"MarkPositions", {8, 0, 0, 0, 0}}),
                         [](const auto& test) { return test.param.name; });

}  // namespace

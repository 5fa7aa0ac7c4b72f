// Every setting that changes the picture requests a repaint when it changes,
// exactly one, and none when it is set to the value it holds.
#include <functional>

#include <gtest/gtest.h>

#include "chart/model/TChartModel.h"
#include "chart/series/TChartSeries.h"

namespace {

struct Chart {
  TChartModel Model;
  TChartSeries Series;
  TChartAxis& Custom = Model.Axes().AddCustomAxis();

  Chart() {
    Model.SeriesList().Add(Series);
    Model.LeftAxis().SetAxisRange(0, 10);
  }
};

struct SettingCase {
  const char* Name;
  std::function<void(Chart&)> SetSame;
  std::function<void(Chart&)> SetNew;
};

class SettingRepaint : public testing::TestWithParam<SettingCase> {};

TEST_P(SettingRepaint, OneRequestForANewValueNoneForTheSame) {
  Chart chart;
  const long before = chart.Model.RepaintRequestCount();
  GetParam().SetSame(chart);
  EXPECT_EQ(chart.Model.RepaintRequestCount(), before) << "the same value";
  GetParam().SetNew(chart);
  EXPECT_EQ(chart.Model.RepaintRequestCount(), before + 1) << "a new value";
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingRepaint,
    testing::Values(SettingCase{"ValueListOrder", [](Chart& c) { c.Series.XValues().SetOrder(loAscending); },
                                [](Chart& c) { c.Series.XValues().SetOrder(loNone); }},
                    SettingCase{"ValueListDateTime", [](Chart& c) { c.Series.YValues().SetDateTime(false); },
                                [](Chart& c) { c.Series.YValues().SetDateTime(true); }},
                    SettingCase{"YIsDependent", [](Chart& c) { c.Series.SetYIsDependent(true); },
                                [](Chart& c) { c.Series.SetYIsDependent(false); }},
                    SettingCase{"CustomHorizAxis", [](Chart& c) { c.Series.SetCustomHorizAxis(nullptr); },
                                [](Chart& c) { c.Series.SetCustomHorizAxis(&c.Custom); }},
                    SettingCase{"CustomVertAxis", [](Chart& c) { c.Series.SetCustomVertAxis(nullptr); },
                                [](Chart& c) { c.Series.SetCustomVertAxis(&c.Custom); }},
                    SettingCase{"SeriesTitle", [](Chart& c) { c.Series.SetTitle(""); },
                                [](Chart& c) { c.Series.SetTitle("T"); }},
                    SettingCase{"Master", [](Chart& c) { c.Custom.SetMaster(nullptr); },
                                [](Chart& c) { c.Custom.SetMaster(&c.Model.LeftAxis()); }},
                    // Both ends change: still one request.
                    SettingCase{"AxisRange", [](Chart& c) { c.Model.LeftAxis().SetAxisRange(10, 0); },
                                [](Chart& c) { c.Model.LeftAxis().SetAxisRange(5, 20); }},
                    SettingCase{"ShiftRange", [](Chart& c) { c.Model.LeftAxis().ShiftRange(0, false); },
                                [](Chart& c) { c.Model.LeftAxis().ShiftRange(1, false); }},
                    SettingCase{"AxisLabels", [](Chart& c) { c.Model.LeftAxis().SetLabels(true); },
                                [](Chart& c) { c.Model.LeftAxis().SetLabels(false); }},
                    SettingCase{"TitleVisible", [](Chart& c) { c.Model.Title().SetVisible(true); },
                                [](Chart& c) { c.Model.Title().SetVisible(false); }},
                    SettingCase{"GridPen", [](Chart& c) { c.Model.LeftAxis().Grid.SetCentered(false); },
                                [](Chart& c) { c.Model.LeftAxis().Grid.SetCentered(true); }},
                    SettingCase{"ChartColor", [](Chart& c) { c.Model.SetColor(c.Model.Color()); },
                                [](Chart& c) { c.Model.SetColor(clRed); }}),
    [](const auto& test) { return test.param.Name; });

}  // namespace

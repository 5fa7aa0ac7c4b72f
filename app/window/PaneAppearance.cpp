#include "app/window/PaneAppearance.h"

#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"

namespace {

// The panes' title colour, 0x00BBGGRR.
constexpr TColor kTitleColor = 0x404000;
// The depth axes' stored range; they are hidden in 2D.
constexpr double kDepthMinimum = -0.5299999999998777;
constexpr double kDepthMaximum = 0.4700000000001153;

}  // namespace

void ApplyPaneAppearance(TChart& chart, TLineSeries& series) {
  TChartLoading loading(chart);
  chart.Title().SetText("Parametr");
  chart.Title().Font.SetColor(kTitleColor);
  chart.SetMarginLeft(0);
  chart.SetMarginTop(1);
  chart.SetMarginRight(0);
  chart.SetMarginBottom(5);
  chart.SetView3D(false);
  chart.Zoom().SetAnimated(true);
  chart.Zoom().SetDirection(zdHorizontal);
  chart.SetAllowPanning(pmNone);
  // The left axis is configured although no series is on it, so it never shows.
  TChartAxis& left = chart.LeftAxis();
  left.SetAxisValuesFormat("#.##0.###");
  left.SetExactDateTime(false);
  left.Grid.SetStyle(psSolid);
  left.Grid.SetSmallDots(true);
  left.SetLabelsAlign(alOpposite);
  left.SetLabelsSeparation(5);
  left.SetTickInnerLength(1);
  chart.BottomAxis().SetVisible(false);
  for (TChartAxis* axis : {&chart.DepthAxis(), &chart.DepthTopAxis()}) {
    axis->SetAutomatic(false);
    axis->SetAutomaticMinimum(false);
    axis->SetAutomaticMaximum(false);
    axis->SetMinimum(kDepthMinimum);
    axis->SetMaximum(kDepthMaximum);
  }
  series.SetVertAxis(aRightAxis);
  series.Pointer().SetVisible(false);
  series.Pointer().SetStyle(psRectangle);
  series.Pointer().SetInflateMargins(true);
  series.XValues().SetOrder(loAscending);
  series.YValues().SetOrder(loNone);
  chart.SeriesList().Add(series);
}

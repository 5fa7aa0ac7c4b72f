#include "chart/model/TChartAxes.h"

TChartAxes::TChartAxes(TChartModel& chart)
    : axes_{TChartAxis(chart, true, false), TChartAxis(chart, true, false),
            TChartAxis(chart, false, false), TChartAxis(chart, false, false),
            TChartAxis(chart, false, true), TChartAxis(chart, false, true)} {}

void TChartAxes::ResetToAutomatic() {
  for (TChartAxis& axis : axes_) {
    axis.SetAutomatic(true);
  }
}

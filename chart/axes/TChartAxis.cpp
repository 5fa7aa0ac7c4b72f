#include "chart/axes/TChartAxis.h"

#include "chart/model/TChartModel.h"

// The depth axes exist hidden; they are drawn only in 3D.
TChartAxis::TChartAxis(TChartModel& chart, bool horizontal, bool depthAxis)
    : chart_(chart), horizontal_(horizontal), depthAxis_(depthAxis), visible_(!depthAxis) {}

void TChartAxis::StoreFlag(bool& flag, bool value) {
  if (flag == value) {
    return;
  }
  flag = value;
  chart_.RequestRepaint();
}

void TChartAxis::SetVisible(bool visible) { StoreFlag(visible_, visible); }

void TChartAxis::SetAutomatic(bool automatic) {
  StoreFlag(automatic_, automatic);
  if (!chart_.Loading()) {
    SetAutomaticMinimum(automatic);
    SetAutomaticMaximum(automatic);
  }
}

void TChartAxis::SetAutomaticEnd(bool& end, bool otherEnd, bool automatic) {
  StoreFlag(end, automatic);
  if (!automatic) {
    StoreFlag(automatic_, false);
  } else if (otherEnd) {
    StoreFlag(automatic_, true);
  }
}

void TChartAxis::SetAutomaticMinimum(bool automatic) {
  SetAutomaticEnd(automaticMinimum_, automaticMaximum_, automatic);
}

void TChartAxis::SetAutomaticMaximum(bool automatic) {
  SetAutomaticEnd(automaticMaximum_, automaticMinimum_, automatic);
}

void TChartAxis::SetMinimum(double minimum) {
  if (minimum_ == minimum) {
    return;
  }
  minimum_ = minimum;
  chart_.RequestRepaint();
}

void TChartAxis::SetMaximum(double maximum) {
  if (maximum_ == maximum) {
    return;
  }
  maximum_ = maximum;
  chart_.RequestRepaint();
}

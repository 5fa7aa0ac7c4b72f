#pragma once

class TChartModel;

// One axis of a chart. This holds what the chart model needs of it: its
// direction and the automatic-scale flags with their cascade, and the range
// ends that a non-automatic axis keeps.
class TChartAxis {
public:
  TChartAxis(TChartModel& chart, bool horizontal, bool depthAxis);
  TChartAxis(const TChartAxis&) = delete;
  TChartAxis& operator=(const TChartAxis&) = delete;

  TChartModel& ParentChart() const { return chart_; }
  bool Horizontal() const { return horizontal_; }
  bool IsDepthAxis() const { return depthAxis_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  bool Automatic() const { return automatic_; }
  bool AutomaticMinimum() const { return automaticMinimum_; }
  bool AutomaticMaximum() const { return automaticMaximum_; }
  // Outside form loading, switching Automatic switches both ends with it.
  void SetAutomatic(bool automatic);
  // Switching an end off makes the axis non-automatic; switching it on makes
  // the axis automatic when the other end is automatic already.
  void SetAutomaticMinimum(bool automatic);
  void SetAutomaticMaximum(bool automatic);

  double Minimum() const { return minimum_; }
  double Maximum() const { return maximum_; }
  void SetMinimum(double minimum);
  void SetMaximum(double maximum);

private:
  void StoreFlag(bool& flag, bool value);
  void SetAutomaticEnd(bool& end, bool otherEnd, bool automatic);

  TChartModel& chart_;
  bool horizontal_;
  bool depthAxis_;
  bool visible_;
  bool automatic_ = true;
  bool automaticMinimum_ = true;
  bool automaticMaximum_ = true;
  double minimum_ = 0;
  double maximum_ = 0;
};

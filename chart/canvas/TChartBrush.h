#pragma once

#include "chart/canvas/TChangeNotifier.h"
#include "gui/TBrush.h"

struct TChartBrushSettings {
  TColor Color = clDefault;
  TBrushStyle Style = bsSolid;
  friend bool operator==(const TChartBrushSettings&, const TChartBrushSettings&) = default;
};

// The brush of a chart element; its colour defaults to "not set", so the
// caller's colour is used (TCanvas3D::ApplyChartBrush).
class TChartBrush : public TChangeNotifier {
public:
  TChartBrush() = default;
  TChartBrush(const TChartBrush&) = default;
  TChartBrush& operator=(const TChartBrush& other) {
    Assign(other);
    return *this;
  }

  const TChartBrushSettings& Settings() const { return settings_; }
  void Assign(const TChartBrush& other) { Change(settings_, other.settings_); }

  TColor Color() const { return settings_.Color; }
  void SetColor(TColor value) { Change(settings_.Color, value); }
  TBrushStyle Style() const { return settings_.Style; }
  void SetStyle(TBrushStyle value) { Change(settings_.Style, value); }

private:
  TChartBrushSettings settings_;
};

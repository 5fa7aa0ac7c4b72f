#pragma once

#include <algorithm>

#include "chart/canvas/TChangeNotifier.h"
#include "gui/Color.h"

struct TChartShadowSettings {
  TColor Color = clSilver;
  int HorizSize = 0;
  int VertSize = 0;
  bool Smooth = true;
  int Transparency = 0;
  friend bool operator==(const TChartShadowSettings&, const TChartShadowSettings&) = default;
};

// A shadow drawn offset behind an element; sizes of 0 mean none.
class TChartShadow : public TChangeNotifier {
public:
  TChartShadow() = default;
  TChartShadow(const TChartShadow&) = default;
  TChartShadow& operator=(const TChartShadow& other) {
    Assign(other);
    return *this;
  }

  const TChartShadowSettings& Settings() const { return settings_; }
  void Assign(const TChartShadow& other) { Change(settings_, other.settings_); }
  // Whether the shadow is drawn: the larger of its sizes is not 0, so one
  // thrown only up or to the left (negative sizes) is not.
  bool HasSize() const { return std::max(settings_.HorizSize, settings_.VertSize) != 0; }

  TColor Color() const { return settings_.Color; }
  void SetColor(TColor value) { Change(settings_.Color, value); }
  int HorizSize() const { return settings_.HorizSize; }
  void SetHorizSize(int value) { Change(settings_.HorizSize, value); }
  int VertSize() const { return settings_.VertSize; }
  void SetVertSize(int value) { Change(settings_.VertSize, value); }
  bool Smooth() const { return settings_.Smooth; }
  void SetSmooth(bool value) { Change(settings_.Smooth, value); }
  int Transparency() const { return settings_.Transparency; }
  void SetTransparency(int value) { Change(settings_.Transparency, value); }

private:
  TChartShadowSettings settings_;
};

#pragma once

#include "chart/canvas/TChangeNotifier.h"
#include "gui/TPen.h"

struct TChartPenSettings {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
  bool Visible = true;
  // Every other pixel (SmallSpace 0), or one dot every SmallSpace + 1 pixels.
  bool SmallDots = false;
  int SmallSpace = 0;
  TPenEndStyle EndStyle = esRound;
  friend bool operator==(const TChartPenSettings&, const TChartPenSettings&) = default;
};

// The pen of a chart element. The drawing surface turns it into the raster's
// pen (TCanvas3D::ApplyChartPen).
class TChartPen : public TChangeNotifier {
public:
  TChartPen() = default;
  TChartPen(const TChartPen&) = default;
  TChartPen& operator=(const TChartPen& other) {
    Assign(other);
    return *this;
  }

  const TChartPenSettings& Settings() const { return settings_; }
  // Takes all of other's settings, telling the owner once.
  void Assign(const TChartPen& other) { Change(settings_, other.settings_); }

  TColor Color() const { return settings_.Color; }
  void SetColor(TColor value) { Change(settings_.Color, value); }
  int Width() const { return settings_.Width; }
  void SetWidth(int value) { Change(settings_.Width, value); }
  TPenStyle Style() const { return settings_.Style; }
  void SetStyle(TPenStyle value) { Change(settings_.Style, value); }
  TPenMode Mode() const { return settings_.Mode; }
  void SetMode(TPenMode value) { Change(settings_.Mode, value); }
  bool Visible() const { return settings_.Visible; }
  void SetVisible(bool value) { Change(settings_.Visible, value); }
  bool SmallDots() const { return settings_.SmallDots; }
  void SetSmallDots(bool value) { Change(settings_.SmallDots, value); }
  int SmallSpace() const { return settings_.SmallSpace; }
  void SetSmallSpace(int value) { Change(settings_.SmallSpace, value); }
  TPenEndStyle EndStyle() const { return settings_.EndStyle; }
  void SetEndStyle(TPenEndStyle value) { Change(settings_.EndStyle, value); }

protected:
  explicit TChartPen(const TChartPenSettings& defaults) : settings_(defaults) {}

private:
  TChartPenSettings settings_;
};

// Pens whose defaults differ from TChartPen's.
class TChartHiddenPen : public TChartPen {
public:
  TChartHiddenPen() : TChartPen(TChartPenSettings{.Visible = false}) {}
};

class TDottedGrayPen : public TChartPen {
public:
  TDottedGrayPen() : TChartPen(TChartPenSettings{.Color = clGray, .Style = psDot}) {}
};

class TDarkGrayPen : public TChartPen {
public:
  TDarkGrayPen() : TChartPen(TChartPenSettings{.Color = clGray}) {}
};

class TWhitePen : public TChartPen {
public:
  TWhitePen() : TChartPen(TChartPenSettings{.Color = clWhite}) {}
};

#include "chart/model/TChartModel.h"

#include "chart/model/ChartPalette.h"
#include "chart/series/TChartSeries.h"
#include "runtime/PositiveModulo.h"

// Repainting stays disabled while the members are built and is enabled at
// the end of construction.
TChartModel::TChartModel()
    : seriesList_(*this),
      axes_(*this),
      title_(*this, true),
      subTitle_(*this, true),
      foot_(*this, false),
      subFoot_(*this, false),
      backWall_(*this, clSilver, true, true),
      leftWall_(*this, 0x80FFFF, true, false),
      bottomWall_(*this, clWhite, true, false),
      rightWall_(*this, clSilver, false, false) {
  repaintEnabled_ = true;
}

// The series outlive the chart in no defined order; they must not keep a
// pointer to it.
TChartModel::~TChartModel() {
  while (seriesList_.Count() > 0) {
    seriesList_.Delete(seriesList_.Count() - 1);
  }
}

void TChartModel::SetColor(TColor color) { StoreSetting(color_, color); }

void TChartModel::SetColorPalette(const std::vector<TColor>& palette) { StoreSetting(palette_, palette); }

void TChartModel::RepaintOnChange(std::initializer_list<TChangeNotifier*> settings) {
  for (TChangeNotifier* setting : settings) {
    setting->OnChange = [this] { RequestRepaint(); };
  }
}

TColor TChartModel::PaletteColor(int index) const {
  if (palette_.empty()) {
    return DefaultPaletteColor(index);
  }
  return palette_[static_cast<std::size_t>(PositiveModulo(index, static_cast<int>(palette_.size())))];
}

bool TChartModel::IsColorFree(TColor color, bool checkBackground, const TChartSeries* skip) const {
  for (const TChartSeries* series : seriesList_) {
    if (series != skip && series->SeriesColor() == color) {
      return false;
    }
  }
  return !checkBackground || (color != color_ && color != backWall_.Color());
}

TColor TChartModel::FreeSeriesColor(bool checkBackground, const TChartSeries* skip) const {
  const int count = palette_.empty() ? static_cast<int>(kDefaultPalette.size()) : static_cast<int>(palette_.size());
  TColor color = PaletteColor(0);
  for (int i = 0; i < count; ++i) {
    color = PaletteColor(i);
    if (IsColorFree(color, checkBackground, skip)) {
      return color;
    }
  }
  return color;
}

void TChartModel::RequestRepaint() {
  if (!repaintEnabled_) {
    return;
  }
  pictureStale_ = true;
  ++repaintRequestCount_;
}

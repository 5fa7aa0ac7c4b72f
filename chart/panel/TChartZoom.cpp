#include "chart/panel/TChartZoom.h"

TChartZoom::TChartZoom() = default;
TChartZoom::~TChartZoom() = default;

TChartPen& TChartZoom::Pen() {
  if (!pen_) {
    pen_ = std::make_unique<TWhitePen>();
  }
  return *pen_;
}

TChartBrush& TChartZoom::Brush() {
  if (!brush_) {
    brush_ = std::make_unique<TChartBrush>();
    brush_->SetColor(clWhite);
    brush_->SetStyle(bsClear);
  }
  return *brush_;
}

#include "chart/controls/TSymbolButton.h"

#include "chart/canvas/TBufferedCanvas3D.h"

TSymbolButton::TSymbolButton(Control* parent) : PushButton(parent) {}

void TSymbolButton::LinkProperty(TChartSeries* object, const std::string& name) {
  linkedObject_ = object;
  if (object == nullptr) {
    return;
  }
  linkedProperty_ = name.empty() ? nullptr : FindColorProperty(name);
  Invalidate();
}

TRect TSymbolButton::SymbolRect() const {
  const int w = Width();
  const int h = Height();
  const int q = h / 4;
  return {w - 19, h - 3 * q, w - 6, h - q};
}

void TSymbolButton::PaintButtonSymbol(TCanvas3D&) {}

// The swatch gains or loses its outline at once.
void TSymbolButton::EnabledChanged() { Repaint(); }

void TSymbolButton::TextChanged() { Invalidate(); }

// A fresh drawing surface straight on the button's picture, in its default
// state (black pen, white brush), for every paint.
void TSymbolButton::PaintSymbol(TRasterCanvas& canvas) {
  TBufferedCanvas3D surface;
  surface.SetBuffered(false);
  surface.ResetState();
  surface.BeginDrawing(canvas, {0, 0, Width(), Height()}, 100);
  PaintButtonSymbol(surface);
}

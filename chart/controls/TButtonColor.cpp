#include "chart/controls/TButtonColor.h"

#include "chart/canvas/TCanvas3D.h"
#include "gui/SystemColors.h"

TButtonColor::TButtonColor(Control* parent) : TSymbolButton(parent) {}

std::optional<TCustomColors>& SharedCustomColors() {
  static std::optional<TCustomColors> colors;
  return colors;
}

TColor TButtonColor::CurrentColor() const {
  if (ColorProvider) {
    return ColorProvider();
  }
  if (HasLinkedColor()) {
    return ResolveSystemColor(LinkedProperty()->Read(*LinkedObject()));
  }
  return OwnColor;
}

TColor TButtonColor::EditColor(TColor start) {
  ColorDialog dialog;
  dialog.Color = start;
  if (SharedCustomColors()) {
    dialog.CustomColors = *SharedCustomColors();
  }
  if (!dialog.Execute(this)) {
    return start;
  }
  SharedCustomColors() = dialog.CustomColors;
  return dialog.Color;
}

void TButtonColor::Click() {
  const TColor start = CurrentColor();
  const TColor chosen = EditColor(start);
  if (chosen == start) {
    return;
  }
  StoreColor(chosen);
  Repaint();
  TSymbolButton::Click();
}

void TButtonColor::StoreColor(TColor color) {
  if (HasLinkedColor()) {
    LinkedProperty()->Write(*LinkedObject(), color);
  } else {
    OwnColor = color;
  }
}

void TButtonColor::PaintButtonSymbol(TCanvas3D& canvas) {
  const TColor color = CurrentColor();
  if (color == clNone) {
    return;
  }
  canvas.Brush.Color = color;
  if (!Enabled()) {
    canvas.Pen.Style = psClear;
  }
  canvas.Rectangle(SymbolRect());
}

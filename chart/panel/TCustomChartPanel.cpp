#include "chart/panel/TCustomChartPanel.h"

#include "gui/SystemColors.h"
#include "runtime/ScopedRestore.h"

TCustomChartPanel::TCustomChartPanel(Control* parent) : WindowControl(parent) {
  border_.SetEndStyle(esFlat);
  RepaintOnChange({&border_});
}

TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::SetMarginLeft(int value) { StoreSetting(marginLeft_, value); }
void TCustomChartPanel::SetMarginTop(int value) { StoreSetting(marginTop_, value); }
void TCustomChartPanel::SetMarginRight(int value) { StoreSetting(marginRight_, value); }
void TCustomChartPanel::SetMarginBottom(int value) { StoreSetting(marginBottom_, value); }
void TCustomChartPanel::SetMarginUnits(TChartUnits units) { StoreSetting(marginUnits_, units); }
void TCustomChartPanel::SetBevelOuter(TPanelBevel bevel) { StoreSetting(bevelOuter_, bevel); }
void TCustomChartPanel::SetBevelInner(TPanelBevel bevel) { StoreSetting(bevelInner_, bevel); }
void TCustomChartPanel::SetBevelWidth(int width) { StoreSetting(bevelWidth_, width); }
void TCustomChartPanel::SetBorderWidth(int width) { StoreSetting(borderWidth_, width); }
void TCustomChartPanel::SetView3D(bool view3D) { StoreSetting(view3D_, view3D); }

// A stale picture has been marked and its window invalidated already: a
// load of a million points requests a million repaints.
void TCustomChartPanel::RequestRepaint() {
  if (!RepaintEnabled()) {
    return;
  }
  const bool alreadyStale = PictureStale();
  TChartModel::RequestRepaint();
  if (!alreadyStale) {
    canvas_.MarkDirty();
    Invalidate();
  }
}

void TCustomChartPanel::Refresh() {
  RequestRepaint();
  Repaint();
}

// A window of a new size (resized by the user) needs a new picture.
void TCustomChartPanel::Paint() {
  const TRect bounds{0, 0, Width(), Height()};
  if (!PictureStale() && canvas_.Bounds() == bounds && canvas_.RedrawFromBuffer()) {
    return;
  }
  PaintChart(Screen(), bounds);
}

void TCustomChartPanel::PaintChart(TRasterCanvas& target, const TRect& bounds) {
  ++paintCount_;
  RunPaintSequence(target, bounds);
  MarkPictureCurrent();
}

void TCustomChartPanel::PaintChartOn(TCanvas3D& surface) {
  const ScopedRestore<TCanvas3D*> drawingOn(surface_, &surface);
  RunPaintSequence(Screen(), TRect{0, 0, Width(), Height()});
}

void TCustomChartPanel::RunPaintSequence(TRasterCanvas& target, const TRect& bounds) {
  PanelRect = Surface().BeginDrawing(target, bounds, 100);
  ApplyMargins();
  UpdatePlotSize();
  DrawChartContent();
  Surface().FinishDrawing(target, target, {bounds.Left, bounds.Top});
}

int TCustomChartPanel::FrameWidth() const {
  int width = borderWidth_;
  if (bevelInner_ != bvNone) {
    width += bevelWidth_;
  }
  if (bevelOuter_ != bvNone) {
    width += bevelWidth_;
  }
  if (border_.Visible()) {
    width += border_.Width();
  }
  return width;
}

void TCustomChartPanel::ApplyMargins() {
  const int frame = FrameWidth();
  const int width = PanelRect.Right - PanelRect.Left;
  const int height = PanelRect.Bottom - PanelRect.Top;
  // Percent margins in integer arithmetic, truncated toward zero.
  const auto pixels = [this](int margin, int extent) {
    return marginUnits_ == muPixels ? margin : margin * extent / 100;
  };
  PlotRect = {PanelRect.Left + frame + pixels(marginLeft_, width), PanelRect.Top + frame + pixels(marginTop_, height),
              PanelRect.Right - frame - pixels(marginRight_, width),
              PanelRect.Bottom - frame - pixels(marginBottom_, height)};
}

void TCustomChartPanel::UpdatePlotSize() {
  PlotRect.Left = std::max(PlotRect.Left, PanelRect.Left);
  PlotRect.Top = std::max(PlotRect.Top, PanelRect.Top);
  // Never an inverted rectangle; edges that meet take the control's size.
  if (PlotRect.Right < PlotRect.Left) {
    PlotRect.Right = PlotRect.Left + 1;
  } else if (PlotRect.Right == PlotRect.Left) {
    PlotRect.Right = PlotRect.Left + Width();
  }
  if (PlotRect.Bottom < PlotRect.Top) {
    PlotRect.Bottom = PlotRect.Top + 1;
  } else if (PlotRect.Bottom == PlotRect.Top) {
    PlotRect.Bottom = PlotRect.Top + Height();
  }
  PlotWidth = PlotRect.Width();
  PlotHeight = PlotRect.Height();
  PlotCenterX = (PlotRect.Left + PlotRect.Right) / 2;
  PlotCenterY = (PlotRect.Top + PlotRect.Bottom) / 2;
}

void TCustomChartPanel::PaintPanelBackground(TRect rect) {
  if (Color() != clNone) {
    Surface().Brush.Style = bsSolid;
    Surface().Brush.Color = Color();
    Surface().FillRectangle(rect);
  }
  PaintPanelFrame(rect);
}

void TCustomChartPanel::PaintPanelFrame(TRect& rect) {
  TCanvas3D& canvas = Surface();
  canvas.Brush.Style = bsClear;
  if (border_.Visible()) {
    canvas.ApplyChartPen(border_);
    canvas.Rectangle(rect);
    const int width = border_.Width();
    rect = {rect.Left + width, rect.Top + width, rect.Right - width, rect.Bottom - width};
  }
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1;
  canvas.Pen.Mode = pmCopy;
  const auto bevel = [&](TPanelBevel kind) {
    if (kind == bvNone) {
      return;
    }
    const bool raised = kind == bvRaised;
    canvas.BevelFrame(rect, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevelWidth_);
  };
  bevel(bevelOuter_);
  if (borderWidth_ > 0) {
    canvas.BevelFrame(rect, Color(), Color(), borderWidth_);
  }
  bevel(bevelInner_);
}

#include "chart/panel/TCustomChart.h"

#include <algorithm>

#include "gui/SystemColors.h"

namespace {

// The width of a title's frame, which its box grows by.
int TitleFrameWidth(const TChartTitle& title) {
  if (title.HasBevel()) {
    return title.BevelWidth();
  }
  return title.Frame.Visible() && title.Frame.Color() != clDefault ? title.Frame.Width() : 0;
}

}  // namespace

TCustomChart::TCustomChart(Control* parent) : TCustomAxisPanel(parent) {}

void TCustomChart::DrawChartContent() {
  const TRepaintSuspension noRepaints(*this);
  PaintPanelBackground(PanelRect);
  if (OnBeforeDrawChart) {
    OnBeforeDrawChart(*this);
  }
  DrawTitlesPass(false);
  UpdatePlotSize();
  FitAxesIntoPlotRect();
  ApplySeriesMargins();
  PaintWalls();
  if (AxisBehind()) {
    PaintAxes();
  }
  PaintSeries();
  if (!AxisBehind()) {
    PaintAxes();
  }
  DrawTitlesPass(true);
  DrawZoomFrameWhileDragging();
  if (OnAfterDraw) {
    OnAfterDraw(*this);
  }
}

void TCustomChart::DrawTitlesPass(bool customPositioned) {
  for (TChartTitle* title : {&Title(), &SubTitle(), &Foot(), &SubFoot()}) {
    if (title->CustomPosition() == customPositioned) {
      LayoutAndDrawTitle(*title);
    }
  }
}

void TCustomChart::LayoutAndDrawTitle(TChartTitle& title) {
  const std::vector<std::string>& lines = title.Text();
  if (!title.Visible() || lines.empty()) {
    title.Box = {};
    return;
  }
  TCanvas3D& canvas = Canvas3D();
  const int frame = TitleFrameWidth(title);
  const bool atTop = title.AtTop() || title.CustomPosition();
  const int count = static_cast<int>(lines.size());
  TRect box = title.CustomPosition() ? title.Box : PlotRect;
  canvas.ApplyFont(title.Font);
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
  const int lineHeight = canvas.MeasureTextHeight("W");
  if (atTop) {
    if (!title.CustomPosition()) {
      box.Top += frame;
    }
    box.Bottom = box.Top + count * lineHeight;
  } else {
    box.Top = box.Bottom - count * lineHeight;
  }
  if (!title.CustomPosition()) {
    box = {box.Left - frame, box.Top - frame, box.Right + frame, box.Bottom + frame};
  }
  const int wWidth = canvas.MeasureTextWidth("W");
  std::vector<int> widths;
  widths.reserve(lines.size());
  for (const std::string& line : lines) {
    widths.push_back(canvas.MeasureTextWidth(line));
  }
  if (title.AdjustFrame()) {
    const int total = wWidth + frame + *std::max_element(widths.begin(), widths.end());
    if (title.Alignment() == taLeftJustify) {
      box.Right = box.Left + total;
    } else if (title.Alignment() == taRightJustify) {
      box.Left = box.Right - total;
    } else {
      const int middle = (box.Left + box.Right) / 2;
      box.Left = middle - total / 2;
      box.Right = middle + total / 2;
    }
  }
  if (!title.Transparent()) {
    canvas.ApplyChartPen(title.Frame);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = title.Color();
    canvas.Rectangle(box);
  }
  canvas.SetBackMode(BackModeTransparent);
  for (int i = 0; i < count; ++i) {
    const int y = title.AtTop() ? box.Top + i * lineHeight + frame : box.Bottom - lineHeight - (i * lineHeight + frame);
    int x = (box.Left + box.Right) / 2 - widths[i] / 2;
    if (title.Alignment() == taLeftJustify) {
      x = box.Left + wWidth / 2;
    } else if (title.Alignment() == taRightJustify) {
      x = box.Right - widths[i] - wWidth / 2;
    }
    canvas.TextOut(x, y, lines[i]);
  }
  title.Box = box;
  if (title.CustomPosition()) {
    return;
  }
  const int gap = TitleChartGap + frame + (title.Transparent() ? 0 : title.Shadow.VertSize());
  if (title.AtTop()) {
    PlotRect.Top = box.Bottom + gap;
  } else {
    PlotRect.Bottom = box.Bottom - gap - count * lineHeight;
  }
  UpdatePlotSize();
}

// Every series kind here draws along axes, so the walls always belong.
void TCustomChart::PaintWalls() {
  TChartWall& wall = BackWall();
  if (!View3DWalls() || !wall.Visible()) {
    return;
  }
  TCanvas3D& canvas = Canvas3D();
  canvas.ApplyChartPen(wall.Pen);
  if (wall.Transparent()) {
    canvas.Brush.Style = bsClear;
  } else {
    canvas.ApplyChartBrush(wall.Brush, wall.Color(), Color());
  }
  canvas.Rectangle({PlotRect.Left, PlotRect.Top, PlotRect.Right + 1, PlotRect.Bottom + 1});
}

TColor TCustomChart::ZoomFrameBackground() const {
  const TChartWall& wall = BackWall();
  return ResolveSystemColor(wall.Transparent() ? Color() : wall.Color());
}

bool TCustomChart::AxisHitTest(int x, int y) const {
  const std::vector<const TChartAxis*> axes = Axes().All();
  return std::any_of(axes.begin(), axes.end(),
                     [x, y](const TChartAxis* axis) { return axis->IsShown && axis->HitTest(x, y); });
}

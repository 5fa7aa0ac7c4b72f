#include "chart/panel/TCustomChart.h"

#include <algorithm>
#include <string>
#include <vector>

#include "gui/SystemColors.h"
#include "runtime/FireEvent.h"

namespace {

// The width of a title's frame, which its box grows by.
int TitleFrameWidth(const TChartTitle& title) {
  if (title.HasBevel()) {
    return title.BevelWidth();
  }
  return title.Frame.Visible() && title.Frame.Color() != clDefault ? title.Frame.Width() : 0;
}

// What a title's layout measures in its font.
struct TTitleMetrics {
  int Frame = 0;
  int LineHeight = 0;
  // The text keeps half a "W" from the side it is aligned to.
  int WWidth = 0;
  std::vector<int> LineWidths;

  int TextHeight() const { return static_cast<int>(LineWidths.size()) * LineHeight; }
};

TTitleMetrics MeasureTitle(TCanvas3D& canvas, const TChartTitle& title) {
  TTitleMetrics metrics;
  metrics.Frame = TitleFrameWidth(title);
  metrics.LineHeight = canvas.MeasureTextHeight("W");
  metrics.WWidth = canvas.MeasureTextWidth("W");
  metrics.LineWidths.reserve(title.Text().size());
  for (const std::string& line : title.Text()) {
    metrics.LineWidths.push_back(canvas.MeasureTextWidth(line));
  }
  return metrics;
}

// A box adjusted to the text keeps its aligned side and takes the width of
// the widest line with its margins.
void FitBoxToText(TRect& box, TAlignment alignment, const TTitleMetrics& metrics) {
  const int total =
      metrics.WWidth + metrics.Frame + *std::max_element(metrics.LineWidths.begin(), metrics.LineWidths.end());
  if (alignment == taLeftJustify) {
    box.Right = box.Left + total;
  } else if (alignment == taRightJustify) {
    box.Left = box.Right - total;
  } else {
    const int middle = (box.Left + box.Right) / 2;
    box.Left = middle - total / 2;
    box.Right = middle + total / 2;
  }
}

// A title in its place lies along the plot's top or bottom edge, its box
// grown by the frame; a custom-positioned one starts at its box's top.
TRect TitleBox(const TChartTitle& title, const TRect& plotRect, const TTitleMetrics& metrics) {
  const bool custom = title.CustomPosition();
  TRect box = custom ? title.Box : plotRect;
  if (title.AtTop() || custom) {
    if (!custom) {
      box.Top += metrics.Frame;
    }
    box.Bottom = box.Top + metrics.TextHeight();
  } else {
    box.Top = box.Bottom - metrics.TextHeight();
  }
  if (!custom) {
    box = {box.Left - metrics.Frame, box.Top - metrics.Frame, box.Right + metrics.Frame, box.Bottom + metrics.Frame};
  }
  if (title.AdjustFrame()) {
    FitBoxToText(box, title.Alignment(), metrics);
  }
  return box;
}

void DrawTitleBox(TCanvas3D& canvas, const TChartTitle& title, const TRect& box) {
  if (title.Transparent()) {
    return;
  }
  canvas.ApplyChartPen(title.Frame);
  canvas.Brush.Style = bsSolid;
  canvas.Brush.Color = title.Color();
  canvas.Rectangle(box);
}

// Line i lies i lines from the box's top, or from its bottom for a title at
// the bottom, inside the frame.
void DrawTitleLines(TCanvas3D& canvas, const TChartTitle& title, const TRect& box, const TTitleMetrics& metrics) {
  const std::vector<std::string>& lines = title.Text();
  const int lineHeight = metrics.LineHeight;
  canvas.SetBackMode(BackModeTransparent);
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    const int y = title.AtTop() ? box.Top + i * lineHeight + metrics.Frame
                                : box.Bottom - lineHeight - (i * lineHeight + metrics.Frame);
    const int width = metrics.LineWidths[static_cast<std::size_t>(i)];
    int x = (box.Left + box.Right) / 2 - width / 2;
    if (title.Alignment() == taLeftJustify) {
      x = box.Left + metrics.WWidth / 2;
    } else if (title.Alignment() == taRightJustify) {
      x = box.Right - width - metrics.WWidth / 2;
    }
    canvas.TextOut(x, y, lines[static_cast<std::size_t>(i)]);
  }
}

}  // namespace

TCustomChart::TCustomChart(Control* parent) : TCustomAxisPanel(parent) {}

void TCustomChart::DrawChartContent() {
  const TRepaintSuspension noRepaints(*this);
  PaintPanelBackground(PanelRect);
  FireEvent(OnBeforeDrawChart, *this);
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
  FireEvent(OnAfterDraw, *this);
}

void TCustomChart::DrawTitlesPass(bool customPositioned) {
  for (TChartTitle* title : {&Title(), &SubTitle(), &Foot(), &SubFoot()}) {
    if (title->CustomPosition() == customPositioned) {
      LayoutAndDrawTitle(*title);
    }
  }
}

void TCustomChart::LayoutAndDrawTitle(TChartTitle& title) {
  if (!title.Visible() || title.Text().empty()) {
    title.Box = {};
    return;
  }
  TCanvas3D& canvas = Surface();
  canvas.ApplyFont(title.Font);
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
  const TTitleMetrics metrics = MeasureTitle(canvas, title);
  const TRect box = TitleBox(title, PlotRect, metrics);
  DrawTitleBox(canvas, title, box);
  DrawTitleLines(canvas, title, box, metrics);
  title.Box = box;
  if (!title.CustomPosition()) {
    TakeTitleRoom(title, metrics.Frame, metrics.TextHeight());
  }
}

// A title in its place moves the plot's edge away from its box.
void TCustomChart::TakeTitleRoom(const TChartTitle& title, int frame, int textHeight) {
  const int gap = TitleChartGap + frame + (title.Transparent() ? 0 : title.Shadow.VertSize());
  if (title.AtTop()) {
    PlotRect.Top = title.Box.Bottom + gap;
  } else {
    PlotRect.Bottom = title.Box.Bottom - gap - textHeight;
  }
  UpdatePlotSize();
}

// Every series kind here draws along axes, so the walls always belong.
void TCustomChart::PaintWalls() {
  TChartWall& wall = BackWall();
  if (!View3DWalls() || !wall.Visible()) {
    return;
  }
  TCanvas3D& canvas = Surface();
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

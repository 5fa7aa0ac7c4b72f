#include "app/window/TLegendPanel.h"

#include <string>

#include "gui/TRasterCanvas.h"

namespace {

constexpr int kPadding = 5;
constexpr int kSwatchWidth = 12;
constexpr int kBlockGap = 6;
constexpr const char* kNoLogs = "No logs";

// The panes' look: their face colour in a one-pixel raised bevel.
void DrawFrame(TRasterCanvas& canvas) {
  const int right = canvas.Width() - 1;
  const int bottom = canvas.Height() - 1;
  canvas.SetBrush(TBrush{clBtnFace, bsSolid});
  canvas.FillRect({0, 0, canvas.Width(), canvas.Height()});
  TPen pen;
  pen.Color = clBtnHighlight;
  canvas.SetPen(pen);
  canvas.LineSegment(0, bottom, 0, 0);
  canvas.LineSegment(0, 0, right, 0);
  pen.Color = clBtnShadow;
  canvas.SetPen(pen);
  canvas.LineSegment(right, 0, right, bottom);
  canvas.LineSegment(right, bottom, -1, bottom);
}

void TextLine(TRasterCanvas& canvas, int x, int& y, const std::string& text, TColor color) {
  TFont font;
  font.Color = color;
  canvas.SetFont(font);
  canvas.TextOut(x, y, text);
  y += canvas.TextHeight("Ag");
}

void DrawSwatch(TRasterCanvas& canvas, int y, int height, TColor color) {
  canvas.SetPen(TPen{});
  canvas.SetBrush(TBrush{color, bsSolid});
  canvas.Rectangle({kPadding, y + 2, kPadding + kSwatchWidth, y + height - 2});
}

// The place's value, then its time stamp and sample, where it has them.
void DrawReading(TRasterCanvas& canvas, int x, int& y, const TLegendRow& row) {
  const std::string at = row.At.empty() ? "" : row.At + "  ";
  if (!row.Value.empty()) {
    TextLine(canvas, x, y, at + row.Value, clBlack);
  }
  const std::string time = row.Time.empty() ? "" : "t " + row.Time + "  ";
  if (!time.empty() || !row.Sample.empty()) {
    TextLine(canvas, x, y, time + row.Sample, clGray);
  }
}

}  // namespace

void TLegendPanel::Paint() { DrawLegend(Screen(), Rows ? Rows() : std::vector<TLegendRow>{}); }

void DrawLegend(TRasterCanvas& canvas, const std::vector<TLegendRow>& rows) {
  DrawFrame(canvas);
  canvas.SetBackMode(BackModeTransparent);
  canvas.SetTextAlign(TextAlignLeft | TextAlignTop);
  canvas.SetClipRect(TRect{1, 1, canvas.Width() - 1, canvas.Height() - 1});
  const int x = kPadding + kSwatchWidth + kPadding;
  int y = kPadding;
  if (rows.empty()) {
    TextLine(canvas, x, y, kNoLogs, clGray);
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TLegendRow& row = rows[i];
    if (i == 0 || rows[i - 1].Pane != row.Pane) {
      y += i == 0 ? 0 : kBlockGap;
      const int top = y;
      TextLine(canvas, x, y, row.Title, clBlack);
      DrawSwatch(canvas, top, y - top, row.Color);
      TextLine(canvas, x, y, row.File, clGray);
    }
    DrawReading(canvas, x, y, row);
  }
  canvas.SetClipRect(std::nullopt);
}

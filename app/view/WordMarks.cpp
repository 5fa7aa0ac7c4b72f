#include "app/view/WordMarks.h"
#include "chart/series/TChartSeries.h"

#include <climits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TCanvas3D.h"
#include "gui/TRasterCanvas.h"
#include "log/LogSample.h"
#include "log/TWordSamples.h"

namespace {

constexpr TColor kMarkColor = RGBColor(0xC0, 0x50, 0x00);
constexpr int kMarkHeight = 5;
constexpr int kLabelGap = 3;

// The word's first part: "Cold or Open Circuit" is "Cold", "S.C to
// Gnd/Sensor lower limit" is "S.C", short enough to stand beside its mark.
std::string ShortWord(double value) {
  const std::optional<std::string_view> word = SensorWordText(value);
  if (!word) {
    return "?";
  }
  return std::string(word->substr(0, word->find(' ')));
}

}  // namespace

void ShowWordsAsMarks(TChartSeries& series, const TWordSamples& words, bool on, TColor color, std::size_t first) {
  const int count = series.PointCount();
  if (count == 0 || first >= static_cast<std::size_t>(count)) {
    return;
  }
  std::vector<int> indices;
  words.ForEachIn(first, static_cast<std::size_t>(count - 1),
                  [&indices](std::size_t index) { indices.push_back(static_cast<int>(index)); });
  series.SetPointColors(indices, on ? clNone : color);
}

void DrawWordMarks(TCanvas3D& canvas, const TChartSeries& series, const TWordSamples& words, const TRect& plot) {
  if (series.FirstVisible < 0 || series.LastVisible < series.FirstVisible) {
    return;
  }
  const TChartAxis& horizontal = *series.ResolvedHorizAxis();
  canvas.Pen = TPen{};
  canvas.Pen.Color = kMarkColor;
  canvas.Brush = TBrush{kMarkColor, bsSolid};
  canvas.Font = TFont{};
  canvas.Font.Color = kMarkColor;
  canvas.SetBackMode(BackModeTransparent);
  canvas.SetTextAlign(TextAlignLeft | TextAlignBottom);
  int lastColumn = INT_MIN;
  int labelsEnd = INT_MIN;
  words.ForEachIn(static_cast<std::size_t>(series.FirstVisible), static_cast<std::size_t>(series.LastVisible),
                  [&](std::size_t index) {
                    const int i = static_cast<int>(index);
                    const int x = horizontal.ValueToPixel(series.XValueAt(i));
                    if (x == lastColumn || x < plot.Left || x > plot.Right) {
                      return;
                    }
                    lastColumn = x;
                    const TPoint mark[] = {{x, plot.Bottom - kMarkHeight}, {x - 2, plot.Bottom}, {x + 2, plot.Bottom}};
                    canvas.Polygon(mark);
                    const std::string label = ShortWord(series.YValueAt(i));
                    const int width = canvas.MeasureTextWidth(label);
                    if (x + kLabelGap > labelsEnd && x + kLabelGap + width <= plot.Right) {
                      canvas.TextOut(x + kLabelGap, plot.Bottom - 1, label);
                      labelsEnd = x + kLabelGap + width + kLabelGap;
                    }
                  });
}

#include "chart/canvas/TSvgCanvas3D.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "gui/LineRaster.h"
#include "gui/ShownText.h"
#include "gui/SystemColors.h"

namespace {

std::string ColorText(TColor color) {
  const TColor rgb = ResolveSystemColor(color);
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
  return text;
}

// A pixel centre: one-pixel strokes there cover whole pixels.
std::string Centre(int value) { return std::to_string(value) + ".5"; }

// The length of the UTF-8 sequence a lead byte starts.
std::size_t SequenceLength(unsigned char lead) { return lead < 0xE0 ? (lead < 0x80 ? 1 : 2) : (lead < 0xF0 ? 3 : 4); }

char32_t CodePointOf(std::string_view sequence) {
  static constexpr unsigned char kLeadBits[] = {0x7F, 0x1F, 0x0F, 0x07};
  char32_t point = static_cast<unsigned char>(sequence[0]) & kLeadBits[sequence.size() - 1];
  for (const char c : sequence.substr(1)) {
    point = (point << 6) | (static_cast<unsigned char>(c) & 0x3F);
  }
  return point;
}

// The characters XML 1.0 can hold at all, even as references.
bool IsXmlChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// One character of the shown text as XML text or attribute value. Tab and
// line breaks are references, so that a parser keeps them as they are
// instead of turning them into spaces; what XML cannot hold shows as the
// replacement character.
std::string XmlCharacter(std::string_view sequence) {
  switch (sequence[0]) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case '\'': return "&apos;";
    case '\t': return "&#9;";
    case '\n': return "&#10;";
    case '\r': return "&#13;";
    default: return IsXmlChar(CodePointOf(sequence)) ? std::string(sequence) : "\xEF\xBF\xBD";
  }
}

// The text as the window shows it (well-formed UTF-8), escaped for XML.
std::string XmlText(const std::string& text) {
  const std::string shown = ShownText(text);
  const std::string_view bytes(shown);
  std::string out;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = std::min(SequenceLength(static_cast<unsigned char>(bytes[i])), bytes.size() - i);
    out += XmlCharacter(bytes.substr(i, length));
    i += length;
  }
  return out;
}

std::string PointsText(std::span<const TPoint> points) {
  std::string out;
  for (const TPoint& point : points) {
    out += (out.empty() ? "" : " ") + Centre(point.X) + "," + Centre(point.Y);
  }
  return out;
}

std::string RectText(const TRect& rect) {
  return "x=\"" + std::to_string(rect.Left) + "\" y=\"" + std::to_string(rect.Top) + "\" width=\"" +
         std::to_string(std::max(0, rect.Width())) + "\" height=\"" + std::to_string(std::max(0, rect.Height())) + "\"";
}

}  // namespace

std::string TSvgCanvas3D::Elements() const { return out_.str() + (clipOpen_ ? "</g>\n" : ""); }

TRect TSvgCanvas3D::BeginDrawing(TRasterCanvas&, const TRect& bounds, int fontZoom) {
  SetFontZoom(fontZoom);
  bounds_ = bounds;
  return {0, 0, bounds.Width(), bounds.Height()};
}

void TSvgCanvas3D::FinishDrawing(TRasterCanvas&, TRasterCanvas&, TPoint) { SetClip(std::nullopt); }

std::optional<std::string> TSvgCanvas3D::Stroke() const {
  if (Pen.Style == psClear || Pen.Mode == pmNop) {
    return std::nullopt;
  }
  std::string stroke = "fill=\"none\" stroke=\"" + ColorText(Pen.Color) + "\" stroke-width=\"" +
                       std::to_string(std::max(1, Pen.Width)) + "\"";
  if (!IsThin(Pen)) {
    const char* const caps[] = {"round", "square", "butt"};
    return stroke + " stroke-linecap=\"" + caps[Pen.EndStyle] + "\"";
  }
  const TLinePattern pattern = TLinePattern::ForPen(Pen);
  if (!pattern.IsSolid()) {
    std::string dashes;
    for (const int run : pattern.OnOffRuns()) {
      dashes += (dashes.empty() ? "" : " ") + std::to_string(run);
    }
    stroke += " stroke-dasharray=\"" + dashes + "\" stroke-dashoffset=\"" + std::to_string(phase_) + "\"";
  }
  return stroke;
}

std::string TSvgCanvas3D::Fill() const {
  return Brush.Style == bsClear ? "fill=\"none\"" : "fill=\"" + ColorText(Brush.Color) + "\"";
}

void TSvgCanvas3D::MovePenTo(int x, int y) {
  penPos_ = {x, y};
  phase_ = 0;
}

void TSvgCanvas3D::DrawLineTo(int x, int y) { StrokeLine(penPos_, {x, y}); }

void TSvgCanvas3D::LineSegment(int x0, int y0, int x1, int y1) {
  phase_ = 0;
  StrokeLine({x0, y0}, {x1, y1});
}

// As on a raster: a one-pixel line runs along the pixel centres and leaves
// out its end pixel (the stroke is moved back half a pixel along its major
// axis), and its dash pattern goes on from the line before until the pen
// is moved; a wider line is the painter's, centred on the coordinates.
void TSvgCanvas3D::StrokeLine(TPoint from, TPoint to) {
  penPos_ = to;
  const int steps = std::max(std::abs(to.X - from.X), std::abs(to.Y - from.Y));
  const std::optional<std::string> stroke = Stroke();
  if (!stroke || steps == 0) {
    return;
  }
  double fromX = from.X, fromY = from.Y, toX = to.X, toY = to.Y;
  if (IsThin(Pen)) {
    const bool xMajor = std::abs(to.X - from.X) >= std::abs(to.Y - from.Y);
    const double back = (xMajor ? to.X > from.X : to.Y > from.Y) ? -0.5 : 0.5;
    fromX += 0.5 + (xMajor ? back : 0.0);
    toX += 0.5 + (xMajor ? back : 0.0);
    fromY += 0.5 + (xMajor ? 0.0 : back);
    toY += 0.5 + (xMajor ? 0.0 : back);
    phase_ += steps;
  }
  out_ << "<line x1=\"" << fromX << "\" y1=\"" << fromY << "\" x2=\"" << toX << "\" y2=\"" << toY << "\" " << *stroke
       << "/>\n";
}

void TSvgCanvas3D::Polyline(std::span<const TPoint> points) {
  for (std::size_t i = 1; i < points.size(); ++i) {
    LineSegment(points[i - 1].X, points[i - 1].Y, points[i].X, points[i].Y);
  }
}

void TSvgCanvas3D::Polygon(std::span<const TPoint> points) {
  out_ << "<polygon points=\"" << PointsText(points) << "\" " << Fill();
  if (const std::optional<std::string> stroke = Stroke()) {
    out_ << " stroke=\"" << ColorText(Pen.Color) << "\"";
  }
  out_ << "/>\n";
}

// The interior is the brush's, the edge pixels the pen's, as on a raster.
void TSvgCanvas3D::Rectangle(const TRect& rect) {
  if (Brush.Style != bsClear) {
    FillRectangle(rect);
  }
  if (const std::optional<std::string> stroke = Stroke(); stroke && rect.Width() > 0 && rect.Height() > 0) {
    out_ << "<rect x=\"" << Centre(rect.Left) << "\" y=\"" << Centre(rect.Top) << "\" width=\"" << rect.Width() - 1
         << "\" height=\"" << rect.Height() - 1 << "\" " << *stroke << "/>\n";
  }
}

void TSvgCanvas3D::Ellipse(const TRect& rect) {
  out_ << "<ellipse cx=\"" << (rect.Left + rect.Right) / 2.0 << "\" cy=\"" << (rect.Top + rect.Bottom) / 2.0
       << "\" rx=\"" << rect.Width() / 2.0 << "\" ry=\"" << rect.Height() / 2.0 << "\" " << Fill();
  if (Stroke()) {
    out_ << " stroke=\"" << ColorText(Pen.Color) << "\"";
  }
  out_ << "/>\n";
}

void TSvgCanvas3D::FillRectangle(const TRect& rect) {
  if (Brush.Style == bsClear || rect.Width() <= 0 || rect.Height() <= 0) {
    return;
  }
  out_ << "<rect " << RectText(rect) << " " << Fill() << "/>\n";
}

void TSvgCanvas3D::SetPixel(int x, int y, TColor color) {
  out_ << "<rect " << RectText({x, y, x + 1, y + 1}) << " fill=\"" << ColorText(color) << "\"/>\n";
}

// One group per clip rectangle: a change of clip closes the group open.
void TSvgCanvas3D::SetClip(const std::optional<TRect>& clip) {
  if (clipOpen_) {
    out_ << "</g>\n";
  }
  clipOpen_ = false;
  clip_ = clip;
  if (!clip) {
    return;
  }
  const std::string id = idPrefix_ + "clip" + std::to_string(++clipCount_);
  out_ << "<clipPath id=\"" << id << "\"><rect " << RectText(*clip) << "/></clipPath>\n<g clip-path=\"url(#" << id
       << ")\">\n";
  clipOpen_ = true;
}

void TSvgCanvas3D::ClipRectangle(const TRect& rect) {
  savedClip_ = clip_;
  SetClip(clip_ ? Intersection(*clip_, rect) : rect);
}

void TSvgCanvas3D::UnClip() {
  SetClip(savedClip_);
  savedClip_.reset();
}

TRasterCanvas& TSvgCanvas3D::Measure() {
  measure_.SetFont(Font);
  measure_.SetTextAlign(TextAlign());
  return measure_;
}

void TSvgCanvas3D::DrawText(int x, int y, const std::string& text) {
  if (text.empty()) {
    return;
  }
  const TRect box = Measure().PlacedTextBox(text);
  out_ << "<g transform=\"translate(" << x << " " << y << ")";
  if (Font.Escapement != 0) {
    out_ << " rotate(" << -Font.Escapement / 10.0 << ")";
  }
  out_ << "\">";
  if (BackMode() == BackModeOpaque) {
    out_ << "<rect " << RectText(box) << " fill=\"" << ColorText(TextBackColor()) << "\"/>";
  }
  out_ << "<text x=\"" << box.Left << "\" y=\"" << box.Top + measure_.TextAscent() << "\" font-family=\""
       << XmlText(Font.Name) << "\" font-size=\"" << FontPixelSize(Font.Size) << "px\"";
  if (Font.Style.Bold) {
    out_ << " font-weight=\"bold\"";
  }
  if (Font.Style.Italic) {
    out_ << " font-style=\"italic\"";
  }
  out_ << " fill=\"" << ColorText(Font.Color) << "\" xml:space=\"preserve\">" << XmlText(text) << "</text></g>\n";
}

int TSvgCanvas3D::TextExtentWidth(const std::string& text) { return Measure().TextWidth(text); }

int TSvgCanvas3D::TextExtentHeight(const std::string& text) { return Measure().TextHeight(text); }

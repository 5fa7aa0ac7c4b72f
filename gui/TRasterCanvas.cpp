#include "gui/TRasterCanvas.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gui/Application.h"
#include "gui/QtColors.h"
#include "gui/QtStrings.h"
#include "gui/SystemColors.h"
#include "gui/TRasterCanvasImpl.h"
#include "runtime/ScopedRestore.h"
#include "runtime/StoreIfChanged.h"

namespace {

std::uint32_t PixelOf(TColor color) {
  const TColor rgb = ResolveSystemColor(color);
  return 0xFF000000u | (static_cast<std::uint32_t>(RedOf(rgb)) << 16) |
         (static_cast<std::uint32_t>(GreenOf(rgb)) << 8) | static_cast<std::uint32_t>(BlueOf(rgb));
}

TColor ColorOfPixel(std::uint32_t pixel) { return RGBColor((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

QRect QRectOf(const TRect& rect) { return QRect(rect.Left, rect.Top, rect.Width(), rect.Height()); }

QPainter::CompositionMode CompositionOf(TPenMode mode) {
  switch (mode) {
    case pmBlack: return QPainter::RasterOp_ClearDestination;
    case pmWhite: return QPainter::RasterOp_SetDestination;
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

Qt::PenStyle QtPenStyle(TPenStyle style) {
  switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

QPen QtPen(const TPen& pen) {
  if (pen.Style == psClear || pen.Mode == pmNop) {
    return QPen(Qt::NoPen);
  }
  QPen result(QtColor(pen.Color), std::max(1, pen.Width), QtPenStyle(pen.Style));
  switch (pen.EndStyle) {
    case esRound:
      result.setCapStyle(Qt::RoundCap);
      result.setJoinStyle(Qt::RoundJoin);
      break;
    case esSquare:
      result.setCapStyle(Qt::SquareCap);
      result.setJoinStyle(Qt::BevelJoin);
      break;
    case esFlat:
      result.setCapStyle(Qt::FlatCap);
      result.setJoinStyle(Qt::MiterJoin);
      break;
  }
  return result;
}

Qt::BrushStyle QtBrushStyle(TBrushStyle style) {
  switch (style) {
    case bsSolid: return Qt::SolidPattern;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush;
  }
}

QFont QtFontOf(const TFont& font, double scale) {
  EnsureApplication();  // fonts need an application object
  // The chart default face is metric-compatible with Liberation Sans.
  QFont result(QString::fromStdString(font.Name == "Arial" ? "Liberation Sans" : font.Name));
  result.setPixelSize(std::max(1, RoundPixel(FontPixelSize(font.Size) * scale)));
  result.setBold(font.Style.Bold);
  result.setItalic(font.Style.Italic);
  result.setUnderline(font.Style.Underline);
  result.setStrikeOut(font.Style.StrikeOut);
  result.setLetterSpacing(QFont::AbsoluteSpacing, font.InterCharSize * scale);
  result.setStyleStrategy(QFont::NoAntialias);
  return result;
}

// A text line's cell: whole pixels above the baseline and in all, each part
// rounded up as the platform's font metrics are.
int CellAscent(const QFont& font) { return static_cast<int>(std::ceil(QFontMetricsF(font).ascent())); }

int CellHeight(const QFont& font) {
  return CellAscent(font) + static_cast<int>(std::ceil(QFontMetricsF(font).descent()));
}

bool IsFakeFont(const TFont& font) { return font.Name == FakeFontName; }

int FakeCellWidth(const TFont& font) { return FakeFontCharWidth + font.InterCharSize; }

// Where text sits relative to its anchor point, before rotation.
struct TextBox {
  QRect Box;
  int Ascent = 0;
};

}  // namespace

void TRasterCanvas::Impl::Resize(int width, int height, double scale) {
  width_ = width;
  height_ = height;
  scale_ = scale;
  lineWidth_ = std::max(1, RoundPixel(scale));
  const int deviceWidth = Device(width);
  const int deviceHeight = Device(height);
  const std::size_t needed =
      static_cast<std::size_t>(std::max(deviceWidth, 0)) * static_cast<std::size_t>(std::max(deviceHeight, 0));
  if (needed > capacity_) {
    // Room to grow, so that a window dragged wider takes new memory rarely.
    const std::size_t capacity = needed + needed / 4;
    auto memory = std::make_unique_for_overwrite<std::uint32_t[]>(capacity);
    image_ = QImage();
    memory_ = std::move(memory);
    capacity_ = capacity;
  }
  image_ = QImage(reinterpret_cast<uchar*>(memory_.get()), deviceWidth, deviceHeight,
                  static_cast<qsizetype>(deviceWidth) * 4, QImage::Format_RGB32);
  image_.fill(Qt::white);
  pixels_ = {reinterpret_cast<std::uint32_t*>(image_.bits()), static_cast<int>(image_.bytesPerLine() / 4)};
  deviceFont_.reset();
  SetClip(std::nullopt);
}

void TRasterCanvas::Impl::SetClip(const std::optional<TRect>& clip) {
  const TRect whole{0, 0, width_, height_};
  clip_ = clip;
  area_ = clip ? Intersection(*clip, whole) : whole;
  drawArea_ = Device(area_);
}

const QFont& TRasterCanvas::Impl::QtFont() {
  if (!qtFont_) {
    qtFont_ = QtFontOf(Font, 1);
  }
  return *qtFont_;
}

const QFont& TRasterCanvas::Impl::DeviceFont() {
  if (Unscaled()) {
    return QtFont();
  }
  if (!deviceFont_) {
    deviceFont_ = QtFontOf(Font, scale_);
  }
  return *deviceFont_;
}

namespace {

enum TCoordinates { InPixels, InDevicePixels };

class Painter {
public:
  explicit Painter(TRasterCanvas::Impl& impl, TCoordinates coordinates = InPixels) : painter_(&impl.PaintDevice()) {
    if (impl.Clip()) {
      painter_.setClipRect(QRectOf(impl.DrawArea()));
    }
    if (coordinates == InPixels && !impl.Unscaled()) {
      painter_.scale(impl.Scale(), impl.Scale());
    }
  }
  QPainter* operator->() { return &painter_; }
  QPainter& operator*() { return painter_; }

private:
  QPainter painter_;
};

// A painter set up to fill with the brush under a raster operation;
// the gaps of a hatched brush take the background colour in opaque mode.
void UseBrush(QPainter& painter, const TRasterCanvas::Impl& impl, TPenMode mode) {
  painter.setCompositionMode(CompositionOf(mode));
  if (mode == pmNop) {
    painter.setBrush(Qt::NoBrush);
    return;
  }
  painter.setBrush(QBrush(QtColor(impl.Brush.Color), QtBrushStyle(impl.Brush.Style)));
  painter.setBackground(QtColor(impl.BackColor));
  painter.setBackgroundMode(impl.BackMode == BackModeOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
}

// Out of line, so that the painter's set-up stays off the one-pixel path.
[[gnu::noinline]] void DrawWideLine(TRasterCanvas::Impl& impl, const TPen& pen, TPoint from, TPoint to) {
  Painter painter(impl);
  painter->setCompositionMode(CompositionOf(pen.Mode));
  painter->setPen(QtPen(pen));
  painter->drawLine(from.X, from.Y, to.X, to.Y);
}

TextBox TextBoxOf(const TRasterCanvas::Impl& impl, int width, int height, int ascent) {
  int left = 0;
  if ((impl.TextAlign & TextAlignCenter) == TextAlignCenter) {
    left = -(width / 2);
  } else if ((impl.TextAlign & TextAlignRight) == TextAlignRight) {
    left = -width;
  }
  int top = 0;
  if ((impl.TextAlign & TextAlignBaseline) == TextAlignBaseline) {
    top = -ascent;
  } else if ((impl.TextAlign & TextAlignBottom) == TextAlignBottom) {
    top = -height;
  }
  return {QRect(left, top, width, height), ascent};
}

// A rectangle of pixels relative to a device-pixel origin, in device pixels.
QRect DeviceRect(const TRasterCanvas::Impl& impl, const QRect& rect) {
  const int left = impl.Device(rect.left());
  const int top = impl.Device(rect.top());
  return QRect(left, top, impl.Device(rect.left() + rect.width()) - left,
               impl.Device(rect.top() + rect.height()) - top);
}

void DrawFakeGlyphs(QPainter& painter, const TRasterCanvas::Impl& impl, const TextBox& box, const std::string& text) {
  const int cell = FakeCellWidth(impl.Font);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') {
      continue;
    }
    const int left = box.Box.left() + static_cast<int>(i) * cell;
    const QRect glyph(left, box.Box.top(), FakeFontCharWidth - 1, FakeFontCharHeight);
    painter.fillRect(DeviceRect(impl, glyph), QtColor(impl.Font.Color));
  }
}

}  // namespace

TRasterCanvas::TRasterCanvas(int width, int height) : impl_(std::make_unique<Impl>()) {
  impl_->Pattern = TLinePattern::ForPen(pen_);
  SetSize(width, height);
}

TRasterCanvas::~TRasterCanvas() = default;

int TRasterCanvas::Width() const { return impl_->Width(); }
int TRasterCanvas::Height() const { return impl_->Height(); }

void TRasterCanvas::SetSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == Width() && height == Height()) {
    return;
  }
  impl_->Resize(width, height, impl_->Scale());
}

double TRasterCanvas::Scale() const { return impl_->Scale(); }

void TRasterCanvas::SetScale(double scale) {
  if (scale == Scale()) {
    return;
  }
  impl_->Resize(Width(), Height(), scale);
}

int TRasterCanvas::DeviceWidth() const { return impl_->Image().width(); }
int TRasterCanvas::DeviceHeight() const { return impl_->Image().height(); }

TColor TRasterCanvas::DevicePixel(int x, int y) const {
  if (x < 0 || x >= DeviceWidth() || y < 0 || y >= DeviceHeight()) {
    return clNone;
  }
  return ColorOfPixel(impl_->Image().pixel(x, y));
}

void TRasterCanvas::ChangePen(const TPen& pen) {
  pen_ = pen;
  impl_->PenPixel = PixelOf(pen.Color);
  impl_->Pattern = TLinePattern::ForPen(pen);
}

const TBrush& TRasterCanvas::Brush() const { return impl_->Brush; }
void TRasterCanvas::SetBrush(const TBrush& brush) { impl_->Brush = brush; }

const TFont& TRasterCanvas::Font() const { return impl_->Font; }

void TRasterCanvas::SetFont(const TFont& font) {
  if (!StoreIfChanged(impl_->Font, font)) {
    return;
  }
  impl_->ForgetQtFont();
}

int TRasterCanvas::TextAlign() const { return impl_->TextAlign; }
void TRasterCanvas::SetTextAlign(int align) { impl_->TextAlign = align; }
int TRasterCanvas::BackMode() const { return impl_->BackMode; }
void TRasterCanvas::SetBackMode(int mode) { impl_->BackMode = mode; }
TColor TRasterCanvas::BackColor() const { return impl_->BackColor; }
void TRasterCanvas::SetBackColor(TColor color) { impl_->BackColor = color; }

TPoint TRasterCanvas::PenPos() const { return impl_->PenPos; }

void TRasterCanvas::MoveTo(int x, int y) {
  impl_->PenPos = {x, y};
  impl_->Pattern.Restart();
}

void TRasterCanvas::LineTo(int x, int y) { DrawLineFrom(impl_->PenPos, x, y); }

// Takes the start from the arguments rather than reading back the pen
// position just stored: the hot path of series drawing.
void TRasterCanvas::LineSegment(int x0, int y0, int x1, int y1) {
  impl_->Pattern.Restart();
  DrawLineFrom({x0, y0}, x1, y1);
}

void TRasterCanvas::DrawLineFrom(TPoint from, int x, int y) {
  impl_->PenPos = {x, y};
  const TPen& pen = pen_;
  if (pen.Style == psClear) {
    return;
  }
  const TRect& area = impl_->DrawArea();
  if (area.IsEmpty()) {
    return;
  }
  if (!IsThin(pen)) {
    DrawWideLine(*impl_, pen_, from, {x, y});
  } else if (impl_->Unscaled()) {
    DrawThinLine(impl_->Pixels(), area, from, {x, y}, impl_->PenPixel, pen.Mode, impl_->Pattern);
  } else {
    DrawScaledThinLine(from, {x, y});
  }
}

// Device lines side by side, across the line's main direction, so that
// every device pixel is drawn once and the raster operation applies once.
void TRasterCanvas::DrawScaledThinLine(TPoint from, TPoint to) {
  const TPoint start = impl_->Device(from);
  const TPoint end = impl_->Device(to);
  const bool mostlyAcross = std::abs(end.X - start.X) >= std::abs(end.Y - start.Y);
  const TLinePattern pattern = impl_->Pattern;
  for (int k = 0; k < impl_->LineWidth(); ++k) {
    impl_->Pattern = pattern;
    const TPoint offset = mostlyAcross ? TPoint{0, k} : TPoint{k, 0};
    DrawThinLine(impl_->Pixels(), impl_->DrawArea(), {start.X + offset.X, start.Y + offset.Y},
                 {end.X + offset.X, end.Y + offset.Y}, impl_->PenPixel, pen_.Mode, impl_->Pattern);
  }
}

// The device pixels of `box` within LineWidth of its edges, each once.
void TRasterCanvas::ScaledThinOutline(const TRect& box) {
  const int edge = impl_->LineWidth();
  impl_->Pattern.Restart();
  const auto run = [this](int left, int right, int y) {
    DrawThinLine(impl_->Pixels(), impl_->DrawArea(), {left, y}, {right, y}, impl_->PenPixel, pen_.Mode, impl_->Pattern);
  };
  for (int y = box.Top; y < box.Bottom; ++y) {
    if (y < box.Top + edge || y >= box.Bottom - edge || box.Width() <= 2 * edge) {
      run(box.Left, box.Right, y);
    } else {
      run(box.Left, box.Left + edge, y);
      run(box.Right - edge, box.Right, y);
    }
  }
}

void TRasterCanvas::Polyline(std::span<const TPoint> points) {
  if (points.empty()) {
    return;
  }
  const ScopedRestore<TPoint> penPosition(impl_->PenPos);
  const TPen& pen = pen_;
  if (IsThin(pen) || pen.Style == psClear) {
    MoveTo(points[0].X, points[0].Y);
    for (const TPoint& point : points.subspan(1)) {
      LineTo(point.X, point.Y);
    }
  } else if (!impl_->DrawArea().IsEmpty()) {
    QPolygon polygon;
    for (const TPoint& point : points) {
      polygon << QPoint(point.X, point.Y);
    }
    Painter painter(*impl_);
    painter->setCompositionMode(CompositionOf(pen.Mode));
    painter->setPen(QtPen(pen));
    painter->drawPolyline(polygon);
  }
}

void TRasterCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty() || impl_->DrawArea().IsEmpty()) {
    return;
  }
  QPolygon polygon;
  for (const TPoint& point : points) {
    polygon << QPoint(point.X, point.Y);
  }
  {
    Painter painter(*impl_);
    UseBrush(*painter, *impl_, pen_.Mode);
    painter->setPen(IsThin(pen_) ? QPen(Qt::NoPen) : QtPen(pen_));
    painter->drawPolygon(polygon, Qt::OddEvenFill);
  }
  if (IsThin(pen_)) {
    std::vector<TPoint> closed(points.begin(), points.end());
    closed.push_back(points[0]);
    Polyline(closed);
  }
}

void TRasterCanvas::Rectangle(const TRect& rect) {
  if (impl_->DrawArea().IsEmpty() || rect.IsEmpty()) {
    return;
  }
  const TPen& pen = pen_;
  const bool outlined = pen.Style != psClear && pen.Mode != pmNop;
  const bool thinOutline = outlined && IsThin(pen);
  // The outline takes the edge pixels; filling under it as well would apply
  // a raster operation twice there.
  const int edge = thinOutline ? impl_->LineWidth() : 0;
  const TRect box = impl_->Device(rect);
  const TRect interior{box.Left + edge, box.Top + edge, box.Right - edge, box.Bottom - edge};
  if (impl_->Brush.Style != bsClear && !interior.IsEmpty()) {
    Painter painter(*impl_, InDevicePixels);
    UseBrush(*painter, *impl_, pen_.Mode);
    painter->setPen(Qt::NoPen);
    painter->drawRect(QRectOf(interior));
  }
  if (!outlined) {
    return;
  }
  if (thinOutline && !impl_->Unscaled()) {
    ScaledThinOutline(box);
    return;
  }
  if (thinOutline) {
    const int right = rect.Right - 1;
    const int bottom = rect.Bottom - 1;
    const TPoint corners[] = {
        {rect.Left, rect.Top}, {right, rect.Top}, {right, bottom}, {rect.Left, bottom}, {rect.Left, rect.Top}};
    Polyline(corners);
    return;
  }
  Painter painter(*impl_);
  painter->setCompositionMode(CompositionOf(pen.Mode));
  painter->setPen(QtPen(pen));
  painter->drawRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1);
}

void TRasterCanvas::Ellipse(const TRect& rect) {
  if (impl_->DrawArea().IsEmpty() || rect.IsEmpty()) {
    return;
  }
  Painter painter(*impl_);
  UseBrush(*painter, *impl_, pen_.Mode);
  painter->setPen(QtPen(pen_));
  painter->drawEllipse(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1);
}

void TRasterCanvas::FillRect(const TRect& rect) {
  if (impl_->DrawArea().IsEmpty() || rect.IsEmpty() || impl_->Brush.Style == bsClear) {
    return;
  }
  Painter painter(*impl_, InDevicePixels);
  UseBrush(*painter, *impl_, pmCopy);
  painter->setPen(Qt::NoPen);
  painter->drawRect(QRectOf(impl_->Device(rect)));
}

// A pixel is as large as a one-pixel line is wide.
void TRasterCanvas::SetPixel(int x, int y, TColor color) {
  if (!impl_->Area().Contains({x, y})) {
    return;
  }
  const TPoint corner = impl_->Device(TPoint{x, y});
  const int size = impl_->LineWidth();
  const TRect block = Intersection({corner.X, corner.Y, corner.X + size, corner.Y + size}, impl_->DrawArea());
  const TPixelBuffer& pixels = impl_->Pixels();
  const std::uint32_t value = PixelOf(color);
  for (int row = block.Top; row < block.Bottom; ++row) {
    std::fill_n(pixels.Bits + static_cast<std::int64_t>(row) * pixels.Stride + block.Left, block.Width(), value);
  }
}

TColor TRasterCanvas::GetPixel(int x, int y) const {
  if (x < 0 || x >= Width() || y < 0 || y >= Height()) {
    return clNone;
  }
  return DevicePixel(impl_->Device(x), impl_->Device(y));
}

void TRasterCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty() || impl_->DrawArea().IsEmpty()) {
    return;
  }
  const bool fake = IsFakeFont(impl_->Font);
  const TextBox box = TextBoxOf(*impl_, TextWidth(text), TextHeight(text), TextAscent());
  // Placed in pixels, drawn in the device's: the text is as sharp as the
  // screen allows and takes the room it takes at one device pixel per pixel.
  Painter painter(*impl_, InDevicePixels);
  painter->translate(impl_->Device(x), impl_->Device(y));
  if (impl_->Font.Escapement != 0) {
    painter->rotate(-impl_->Font.Escapement / 10.0);
  }
  if (impl_->BackMode == BackModeOpaque) {
    painter->fillRect(DeviceRect(*impl_, box.Box), QtColor(impl_->BackColor));
  }
  if (fake) {
    DrawFakeGlyphs(*painter, *impl_, box, text);
    return;
  }
  painter->setFont(impl_->DeviceFont());
  painter->setPen(QtColor(impl_->Font.Color));
  painter->drawText(QPoint(impl_->Device(box.Box.left()), impl_->Device(box.Box.top() + box.Ascent)), QtText(text));
}

int TRasterCanvas::TextWidth(const std::string& text) const {
  if (IsFakeFont(impl_->Font)) {
    return static_cast<int>(text.size()) * FakeCellWidth(impl_->Font);
  }
  return QFontMetrics(impl_->QtFont()).horizontalAdvance(QtText(text));
}

TRect TRasterCanvas::PlacedTextBox(const std::string& text) const {
  const QRect box = TextBoxOf(*impl_, TextWidth(text), TextHeight(text), TextAscent()).Box;
  return {box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
}

int TRasterCanvas::TextAscent() const {
  return IsFakeFont(impl_->Font) ? FakeFontCharHeight : CellAscent(impl_->QtFont());
}

int TRasterCanvas::TextHeight(const std::string&) const {
  if (IsFakeFont(impl_->Font)) {
    return FakeFontCharHeight;
  }
  return CellHeight(impl_->QtFont());
}

std::optional<TRect> TRasterCanvas::ClipRect() const {
  if (!impl_->Clip()) {
    return std::nullopt;
  }
  return impl_->Area();
}

void TRasterCanvas::SetClipRect(const std::optional<TRect>& rect) { impl_->SetClip(rect); }

void TRasterCanvas::IntersectClipRect(const TRect& rect) { impl_->SetClip(Intersection(impl_->Area(), rect)); }

void TRasterCanvas::Draw(const TRasterCanvas& source, TPoint origin) {
  const TPoint at = impl_->Device(origin);
  const TRect placed{at.X, at.Y, at.X + source.DeviceWidth(), at.Y + source.DeviceHeight()};
  const TRect area = Intersection(impl_->DrawArea(), placed);
  if (area.IsEmpty()) {
    return;
  }
  const TPixelBuffer& target = impl_->Pixels();
  const QImage& image = source.impl_->Image();
  const std::size_t rowBytes = static_cast<std::size_t>(area.Width()) * 4;
  for (int y = area.Top; y < area.Bottom; ++y) {
    const auto* from = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y - at.Y));
    std::memmove(target.Bits + static_cast<std::int64_t>(y) * target.Stride + area.Left, from + (area.Left - at.X),
                 rowBytes);
  }
}

bool TRasterCanvas::SavePng(const std::string& path) const { return impl_->Image().save(QtFileName(path), "PNG"); }

bool TRasterCanvas::LoadPng(const std::string& path) {
  const QImage loaded(QtFileName(path), "PNG");
  if (loaded.isNull()) {
    return false;
  }
  SetScale(1);
  SetSize(loaded.width(), loaded.height());
  QPainter(&impl_->PaintDevice()).drawImage(0, 0, loaded);
  return true;
}

// The target is the raster's device size in the widget's pixels, so that
// no device pixel is repeated or left out at a fractional scale.
void ShowRaster(QWidget& widget, const TRasterCanvas& raster) {
  const QImage& image = raster.Internals().Image();
  const QRectF target(0, 0, image.width() / raster.Scale(), image.height() / raster.Scale());
  QPainter(&widget).drawImage(target, image);
}

#include "gui/CheckBox.h"

#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <algorithm>
#include <cmath>

#include "gui/ControlImpl.h"
#include "gui/EventErrors.h"
#include "gui/LightPalette.h"
#include "runtime/RoundPixel.h"

namespace {

// Captions are laid out for a box with a 3-pixel gap before the text, a
// little narrower than the platform style's.
class CheckStyle : public QProxyStyle {
public:
  CheckStyle() : QProxyStyle(NewWindowStyle()) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_CheckBoxLabelSpacing) {
      return 3;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    const auto* box = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (element == PE_IndicatorCheckBox && box != nullptr) {
      RedrawFrame(*box, *painter, widget);
    }
  }

private:
  // The box's one-pixel frame is drawn one pixel wide in the scaled painter:
  // at a fractional scale a solid device line and a blended one, which may
  // fall on either side of it. Drawn again as whole device pixels over every
  // device pixel the frame touched.
  void RedrawFrame(const QStyleOptionButton& option, QPainter& painter, const QWidget* widget) const {
    const QTransform& device = painter.deviceTransform();
    const double scale = device.m11();
    const int lineWidth = std::max(1, RoundPixel(scale));
    if (scale == lineWidth || device.isRotating()) {
      return;
    }
    const QRectF edges = device.mapRect(QRectF(option.rect));
    const int left = static_cast<int>(std::floor(edges.left()));
    const int top = static_cast<int>(std::floor(edges.top()));
    const QRect box(left, top, static_cast<int>(std::ceil(edges.right())) - left,
                    static_cast<int>(std::ceil(edges.bottom())) - top);
    const QColor frame = FrameColour(option, widget);
    painter.save();
    painter.setWorldTransform(device.inverted() * painter.worldTransform());  // device pixels
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(box.left(), box.top(), box.width(), lineWidth), frame);
    painter.fillRect(QRect(box.left(), box.bottom() + 1 - lineWidth, box.width(), lineWidth), frame);
    painter.fillRect(QRect(box.left(), box.top(), lineWidth, box.height()), frame);
    painter.fillRect(QRect(box.right() + 1 - lineWidth, box.top(), lineWidth, box.height()), frame);
    painter.restore();
  }

  // The colour the style gives the frame in this state: the middle of the
  // box's left edge, drawn unscaled.
  QColor FrameColour(const QStyleOptionButton& option, const QWidget* widget) const {
    QImage sample(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
    sample.fill(Qt::transparent);
    QStyleOptionButton unscaled(option);
    unscaled.rect.moveTo(0, 0);
    QPainter painter(&sample);
    baseStyle()->drawPrimitive(PE_IndicatorCheckBox, &unscaled, &painter, widget);
    painter.end();
    return sample.pixelColor(0, sample.height() / 2);
  }
};

QStyle& CompactCheckStyle() {
  static CheckStyle* style = new CheckStyle;  // lives as long as the check boxes may
  return *style;
}

QCheckBox& Box(const Control::Impl& impl) { return static_cast<QCheckBox&>(*impl.Widget); }

}  // namespace

CheckBox::CheckBox(Control* parent) : Control(std::make_unique<Impl>(nullptr)) {
  auto* box = new QCheckBox(ParentWidget(parent));
  box->setStyle(&CompactCheckStyle());
  Internals().Widget = box;
  QObject::connect(box, &QCheckBox::clicked, box, [this] {
    if (OnClick) {
      RunEventHandler(OnClick);
    }
  });
}

std::string CheckBox::Caption() const { return TextFromQt(Box(Internals()).text()); }
void CheckBox::SetCaption(const std::string& caption) { Box(Internals()).setText(QtText(caption)); }
bool CheckBox::Checked() const { return Box(Internals()).isChecked(); }
void CheckBox::SetChecked(bool checked) { Box(Internals()).setChecked(checked); }

void CheckBox::PerformClick() {
  if (Enabled()) {
    Box(Internals()).click();
  }
}

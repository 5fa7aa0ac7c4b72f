#include "gui/PushButton.h"

#include <QContextMenuEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>

#include "gui/ControlImpl.h"
#include "gui/EventErrors.h"
#include "gui/LightPalette.h"
#include "gui/TRasterCanvas.h"
#include "gui/TRasterCanvasImpl.h"
#include "runtime/FireEvent.h"

class ButtonWidget : public QPushButton {
public:
  ButtonWidget(PushButton& owner, QWidget* parent) : QPushButton(parent), owner_(owner) {
    connect(this, &QPushButton::clicked, this, [this] { RunEventHandler([this] { owner_.Click(); }); });
  }

  // Standard face first, then the owner's symbol over it.
  void RenderInto(TRasterCanvas& canvas) {
    canvas.SetScale(devicePixelRatioF());
    canvas.SetSize(width(), height());
    QImage& image = canvas.Internals().PaintDevice();
    image.fill(palette().color(QPalette::Window));
    {
      QPainter painter(&image);
      painter.setFont(WindowPictureFont());
      if (canvas.Scale() != 1) {
        painter.scale(canvas.Scale(), canvas.Scale());
      }
      QStyleOptionButton option;
      initStyleOption(&option);
      style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
    }
    if (canvas.Scale() != canvas.Internals().LineWidth()) {
      RedrawOutline(image, canvas.Internals().LineWidth(), canvas.Scale());
    }
    owner_.PaintSymbol(canvas);
  }

protected:
  void contextMenuEvent(QContextMenuEvent* event) override {
    RunEventHandler([&] { owner_.ContextMenu(event->pos().x(), event->pos().y()); });
  }

  void paintEvent(QPaintEvent*) override {
    TRasterCanvas canvas(width(), height());
    RunEventHandler([&] { RenderInto(canvas); });
    ShowRaster(*this, canvas);
  }

private:
  // The style draws its one-pixel outline one pixel wide in the scaled
  // painter: at a fractional scale a solid device line and a blended one.
  // Drawn again as `lineWidth` whole device pixels round the face the style
  // painted, with the style's colour and corner radius.
  void RedrawOutline(QImage& image, int lineWidth, double scale) const {
    const QColor window = palette().color(QPalette::Window);
    const QColor outline = image.pixelColor(0, image.height() / 2);  // wholly covered by the outline
    if (outline == window) {
      return;  // a flat button: no frame
    }
    const QImage face = image.copy();
    image.fill(window);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outline, lineWidth));
    painter.setBrush(QBrush(face));
    const qreal inset = lineWidth / 2.0;
    const qreal radius = kCornerRadius * scale;
    painter.drawRoundedRect(QRectF(0, 0, image.width(), image.height()).adjusted(inset, inset, -inset, -inset), radius,
                            radius);
  }

  static constexpr qreal kCornerRadius = 2;  // the window style's, in pixels

  PushButton& owner_;
};

namespace {

ButtonWidget& Button(Control::Impl& impl) { return static_cast<ButtonWidget&>(*impl.Widget); }

}  // namespace

PushButton::PushButton(Control* parent) : Control(std::make_unique<Impl>(nullptr)) {
  Internals().Widget = new ButtonWidget(*this, ParentWidget(parent));
}

std::string PushButton::Caption() const {
  return TextFromQt(static_cast<const QPushButton&>(*Internals().Widget).text());
}

void PushButton::SetCaption(const std::string& caption) {
  if (caption == Caption()) {
    return;
  }
  Button(Internals()).setText(QtText(caption));
  TextChanged();
}

void PushButton::Click() { FireEvent(OnClick); }

void PushButton::PerformClick() {
  if (Enabled()) {
    Click();
  }
}

void PushButton::ContextMenu(int x, int y) {
  if (OnContextMenu) {
    OnContextMenu(x, y);
  }
}

void PushButton::Repaint() { Internals().Widget->repaint(); }
void PushButton::Invalidate() { Internals().Widget->update(); }

void PushButton::Render(TRasterCanvas& target) { Button(Internals()).RenderInto(target); }

void PushButton::PaintSymbol(TRasterCanvas&) {}

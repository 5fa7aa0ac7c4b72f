#include "gui/FormWindow.h"

#include <QBuffer>
#include <QChildEvent>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "gui/ControlImpl.h"
#include "gui/EventErrors.h"
#include "gui/ImageFile.h"
#include "gui/KeyCodes.h"
#include "gui/LightPalette.h"
#include "gui/TRasterCanvasImpl.h"
#include "runtime/Exception.h"

namespace {

QImage PictureOf(QWidget& widget) {
  const TOverlaysLeftOut leftOut;
  return widget.grab().toImage();
}

class FormWidget : public QWidget {
public:
  explicit FormWidget(FormWindow& owner) : QWidget(nullptr, Qt::Window), owner_(owner) {
    setAutoFillBackground(true);
    setStyle(&WindowStyle());
    setPalette(LightPalette());
    QCoreApplication::instance()->installEventFilter(this);
  }

  void RunOncePainted(std::function<void()> job) {
    waiting_.push_back(std::move(job));
    if (painted_) {
      StartWaitingJobs();
    }
  }

protected:
  // A style does not pass to the children: each control takes the window's
  // when it is first polished, unless it chose one of its own.
  bool event(QEvent* event) override {
    if (event->type() == QEvent::ChildPolished) {
      auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
      if (child != nullptr && !child->isWindow() && !child->testAttribute(Qt::WA_SetStyle)) {
        child->setStyle(&WindowStyle());
      }
    }
    return QWidget::event(event);
  }

  void paintEvent(QPaintEvent* event) override {
    QWidget::paintEvent(event);
    painted_ = true;
    StartWaitingJobs();
  }

  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    Notify(owner_.OnResize);
    Notify(owner_.OnPlacementChange);
  }

  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
      Notify(owner_.OnPlacementChange);
    }
  }

  void closeEvent(QCloseEvent* event) override {
    if (owner_.OnClose) {
      RunEventHandler(owner_.OnClose);
    }
    QWidget::closeEvent(event);
  }

  // The window's keys are taken before the focused button or check box
  // sees them, which would otherwise move the focus with the arrow keys;
  // the controls keep the keys that have no code of ours (Tab, Space,
  // Return, Up, Down). Dialogs and menus are windows of their own.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !owner_.OnKeyDown || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this) {
      return false;
    }
    const auto* press = static_cast<QKeyEvent*>(event);
    const int key = KeyCodeOf(press->key());
    if (key == 0) {
      return false;
    }
    RunEventHandler([&] { owner_.OnKeyDown(key, KeyShiftOf(press->modifiers())); });
    return true;
  }

private:
  static void Notify(const std::function<void()>& handler) {
    if (handler) {
      RunEventHandler(handler);
    }
  }

  // Queued rather than run here: the picture reaches the screen only once
  // the paint event is over.
  void StartWaitingJobs() {
    for (std::function<void()>& job : waiting_) {
      QTimer::singleShot(0, this, [job = std::move(job)] { RunEventHandler(job); });
    }
    waiting_.clear();
  }

  FormWindow& owner_;
  bool painted_ = false;
  std::vector<std::function<void()>> waiting_;
};

constexpr Qt::WindowStates kEnlarged = Qt::WindowMaximized | Qt::WindowFullScreen;

}  // namespace

FormWindow::FormWindow() : Control(std::make_unique<Impl>(nullptr)) { Internals().Widget = new FormWidget(*this); }

std::string FormWindow::Caption() const { return TextFromQt(Internals().Widget->windowTitle()); }

void FormWindow::SetCaption(const std::string& caption) { Internals().Widget->setWindowTitle(QtText(caption)); }

void FormWindow::SetClientSize(int width, int height) {
  QWidget* widget = Internals().Widget;
  widget->resize(width, height);
  if (!widget->isVisible() && OnResize) {
    OnResize();
  }
}

void FormWindow::SetMinimumClientSize(int width, int height) { Internals().Widget->setMinimumSize(width, height); }

bool FormWindow::Maximized() const { return Internals().Widget->isMaximized(); }

void FormWindow::SetMaximized(bool maximized) {
  QWidget* widget = Internals().Widget;
  widget->setWindowState(maximized ? widget->windowState() | Qt::WindowMaximized
                                   : widget->windowState() & ~Qt::WindowMaximized);
}

bool FormWindow::FullScreen() const { return Internals().Widget->isFullScreen(); }

void FormWindow::SetFullScreen(bool fullScreen) {
  QWidget* widget = Internals().Widget;
  widget->setWindowState(fullScreen ? widget->windowState() | Qt::WindowFullScreen
                                    : widget->windowState() & ~Qt::WindowFullScreen);
}

// While maximised or full screen the platform keeps the size to restore.
TWindowPlacement FormWindow::Placement() const {
  const QWidget* widget = Internals().Widget;
  QSize size = widget->size();
  if ((widget->windowState() & kEnlarged) != 0 && !widget->normalGeometry().isEmpty()) {
    size = widget->normalGeometry().size();
  }
  return {size.width(), size.height(), Maximized()};
}

void FormWindow::ApplyPlacement(const TWindowPlacement& placement) {
  const QSize minimum = Internals().Widget->minimumSize();
  const TSize size =
      FittedSize({std::max(placement.ClientWidth, minimum.width()), std::max(placement.ClientHeight, minimum.height())},
                 ClientRoomOnScreen());
  SetClientSize(size.Width, size.Height);
  SetMaximized(placement.Maximized);
}

// The frame is known only once a window manager has framed the window;
// before that the whole available area is the client's. The off-screen
// platform's screen is a stand-in: pictures made there keep the sizes
// asked for.
TSize FormWindow::ClientRoomOnScreen() const {
  const QWidget* widget = Internals().Widget;
  const QScreen* screen = widget->screen();
  if (screen == nullptr || QGuiApplication::platformName() == "offscreen") {
    return {};
  }
  const QSize frame = widget->frameGeometry().size() - widget->size();
  const QSize room = screen->availableGeometry().size() - frame;
  return {room.width(), room.height()};
}

double FormWindow::DevicePixelRatio() const { return Internals().Widget->devicePixelRatioF(); }

void FormWindow::CenterOnScreen() {
  QWidget* widget = Internals().Widget;
  const QScreen* screen = widget->screen();
  if (screen == nullptr) {
    return;
  }
  const QRect area = screen->availableGeometry();
  const QSize frame = widget->frameGeometry().size();
  const TPoint corner = CentredOn({frame.width(), frame.height()},
                                  {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()});
  widget->move(corner.X, corner.Y);
}

void FormWindow::Show() { Internals().Widget->show(); }
void FormWindow::Close() { Internals().Widget->close(); }

void FormWindow::RunOncePainted(std::function<void()> job) {
  static_cast<FormWidget*>(Internals().Widget.data())->RunOncePainted(std::move(job));
}

bool FormWindow::SaveClientAreaPng(const std::string& path) const {
  return Internals().Widget->grab().toImage().save(QtFileName(path), "PNG");
}

void FormWindow::CopyPictureToClipboard() const {
  QGuiApplication::clipboard()->setImage(PictureOf(*Internals().Widget));
}

std::string FormWindow::PictureDataUri(const std::vector<TRect>& leftOut) const {
  QImage picture = PictureOf(*Internals().Widget);
  {
    QPainter painter(&picture);
    for (const TRect& rect : leftOut) {
      painter.fillRect(rect.Left, rect.Top, rect.Width(), rect.Height(), Qt::white);
    }
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return "data:image/png;base64," + png.toBase64().toStdString();
}

void FormWindow::SavePicture(const std::string& path, TPictureFormat format) const {
  WriteImageFile(PictureOf(*Internals().Widget), path, format);
}

void FormWindow::DrawPicture(TRasterCanvas& raster) const {
  if (raster.Scale() != DevicePixelRatio()) {
    throw EAssertionFailed("The window's picture goes on a raster of the window's device pixels");
  }
  QImage picture = PictureOf(*Internals().Widget);
  picture.setDevicePixelRatio(1);
  QPainter painter(&raster.Internals().PaintDevice());
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(QPoint(0, 0), picture);
}

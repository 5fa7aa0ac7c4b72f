#include "gui/FormWindow.h"

#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "gui/ControlImpl.h"
#include "gui/EventErrors.h"
#include "gui/Keyboard.h"
#include "runtime/Exception.h"

namespace {

TShiftState KeyShiftOf(Qt::KeyboardModifiers modifiers) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  return shift;
}

// Letters keep their code (Qt's is the upper-case character); keys without
// a code of ours give 0.
int KeyCodeOf(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
  if (qtKey == Qt::Key_Escape) return VK_ESCAPE;
  return 0;
}

QImage PictureOf(QWidget& widget) {
  const TOverlaysLeftOut leftOut;
  return widget.grab().toImage();
}

class FormWidget : public QWidget {
public:
  explicit FormWidget(FormWindow& owner)
      : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
        owner_(owner) {
    setAutoFillBackground(true);
  }

protected:
  void closeEvent(QCloseEvent* event) override {
    if (owner_.OnClose) {
      RunEventHandler(owner_.OnClose);
    }
    QWidget::closeEvent(event);
  }

  // Keys the focused control does not use arrive here.
  void keyPressEvent(QKeyEvent* event) override {
    const int key = KeyCodeOf(event->key());
    if (key == 0 || !owner_.OnKeyDown) {
      QWidget::keyPressEvent(event);
      return;
    }
    RunEventHandler([&] { owner_.OnKeyDown(key, KeyShiftOf(event->modifiers())); });
  }

private:
  FormWindow& owner_;
};

}  // namespace

FormWindow::FormWindow() : Control(std::make_unique<Impl>(nullptr)) { Internals().Widget = new FormWidget(*this); }

std::string FormWindow::Caption() const { return TextFromQt(Internals().Widget->windowTitle()); }

void FormWindow::SetCaption(const std::string& caption) { Internals().Widget->setWindowTitle(QtText(caption)); }

void FormWindow::SetClientSize(int width, int height) { Internals().Widget->setFixedSize(width, height); }

void FormWindow::CenterOnScreen() {
  QWidget* widget = Internals().Widget;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  const QRect area = screen->availableGeometry();
  widget->move(area.center() - widget->rect().center());
}

void FormWindow::Show() { Internals().Widget->show(); }
void FormWindow::Close() { Internals().Widget->close(); }

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
    for (const TRect& rect : leftOut) painter.fillRect(rect.Left, rect.Top, rect.Width(), rect.Height(), Qt::white);
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return "data:image/png;base64," + png.toBase64().toStdString();
}

void FormWindow::SavePicture(const std::string& path, TPictureFormat format) const {
  if (format == TPictureFormat::Svg) throw EAssertionFailed("SavePicture writes raster formats only");
  const char* const qtFormats[] = {"PNG", "JPEG", "BMP"};
  const QImage picture = PictureOf(*Internals().Widget);
  QFile file(QtFileName(path));
  const bool saved =
      file.open(QIODevice::WriteOnly) && picture.save(&file, qtFormats[static_cast<int>(format)]) && file.flush();
  if (!saved) {
    throw FileException("Cannot write '" + path + "': " + TextFromQt(file.errorString()));
  }
}

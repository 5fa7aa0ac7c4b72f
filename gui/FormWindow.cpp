#include "gui/FormWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "gui/ControlImpl.h"
#include "gui/EventErrors.h"

namespace {

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

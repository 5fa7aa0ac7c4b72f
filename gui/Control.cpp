#include "gui/Control.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <cstdlib>

#include "gui/Application.h"
#include "gui/ControlImpl.h"
#include "gui/EventErrors.h"

namespace {

// The path's bytes as the URL carries them, percent-encoded: toLocalFile
// would turn bytes that are not UTF-8 into replacement characters.
std::string LocalFileName(const QUrl& url) {
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

// The local files among the dragged URLs; other URLs cannot be opened.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> files;
  if (data == nullptr) {
    return files;
  }
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) {
      files.push_back(LocalFileName(url));
    }
  }
  return files;
}

// Takes the drag and drop events of a control's widget.
class DropFilter : public QObject {
public:
  DropFilter(Control& owner, QObject* parent) : QObject(parent), owner_(owner) {}

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::DragEnter) {
      auto* enter = static_cast<QDragEnterEvent*>(event);
      if (!LocalFiles(enter->mimeData()).empty()) {
        enter->acceptProposedAction();
      }
      return true;
    }
    if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      const std::vector<std::string> files = LocalFiles(drop->mimeData());
      drop->acceptProposedAction();
      // Loading waits until the drop is over: the program the files were
      // dragged from waits for the drop to end.
      QTimer::singleShot(0, this, [this, files] { owner_.DropFiles(files); });
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

private:
  Control& owner_;
};

}  // namespace

// Windows need an application object; tests and tools get one on first use.
Control::Control(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) { EnsureApplication(); }

Control::~Control() = default;

void Control::SetBounds(int left, int top, int width, int height) {
  impl_->Widget->setGeometry(left, top, width, height);
}

TRect Control::BoundsRect() const {
  const QRect r = impl_->Widget->geometry();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

int Control::Width() const { return impl_->Widget->width(); }
int Control::Height() const { return impl_->Widget->height(); }

bool Control::Enabled() const { return impl_->Widget->isEnabled(); }

void Control::SetEnabled(bool enabled) {
  if (enabled == Enabled()) {
    return;
  }
  impl_->Widget->setEnabled(enabled);
  EnabledChanged();
}

bool Control::Visible() const { return impl_->Widget->isVisible(); }
void Control::SetVisible(bool visible) { impl_->Widget->setVisible(visible); }

void Control::SetFont(const TControlFont& font) {
  QFont qtFont(QtText(font.Name));
  qtFont.setPixelSize(std::abs(font.Height));
  impl_->Widget->setFont(qtFont);
}

// Kept as given: Qt's copy would not give back bytes that are no UTF-8.
std::string Control::ToolTip() const { return toolTip_; }

void Control::SetToolTip(const std::string& text) {
  toolTip_ = text;
  impl_->Widget->setToolTip(QtText(text));
}

void Control::SetTabSuccessor(Control& next) { QWidget::setTabOrder(impl_->Widget, next.impl_->Widget); }

// Controls that take no keyboard focus (the charts) are passed over.
bool Control::TabSuccessorIs(const Control& next) const {
  QWidget* widget = impl_->Widget->nextInFocusChain();
  while (widget != impl_->Widget && !(widget->focusPolicy() & Qt::TabFocus)) {
    widget = widget->nextInFocusChain();
  }
  return widget == next.impl_->Widget;
}

void Control::SetOnFilesDropped(TFilesDroppedEvent handler) {
  if (!onFilesDropped_) {
    impl_->Widget->setAcceptDrops(true);
    impl_->Widget->installEventFilter(new DropFilter(*this, impl_->Widget));
  }
  onFilesDropped_ = std::move(handler);
}

void Control::DropFiles(const std::vector<std::string>& fileNames) {
  if (onFilesDropped_ && !fileNames.empty()) {
    RunEventHandler([&] { onFilesDropped_(fileNames); });
  }
}

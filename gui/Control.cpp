#include "gui/Control.h"

#include <QFont>
#include <cstdlib>

#include "gui/Application.h"
#include "gui/ControlImpl.h"

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

void Control::SetTabSuccessor(Control& next) { QWidget::setTabOrder(impl_->Widget, next.impl_->Widget); }

// Controls that take no keyboard focus (the charts) are passed over.
bool Control::TabSuccessorIs(const Control& next) const {
  QWidget* widget = impl_->Widget->nextInFocusChain();
  while (widget != impl_->Widget && !(widget->focusPolicy() & Qt::TabFocus)) {
    widget = widget->nextInFocusChain();
  }
  return widget == next.impl_->Widget;
}

#include "gui/CheckBox.h"

#include <QCheckBox>

#include "gui/ControlImpl.h"

namespace {

QCheckBox& Box(const Control::Impl& impl) { return static_cast<QCheckBox&>(*impl.Widget); }

}  // namespace

CheckBox::CheckBox(Control* parent) : Control(std::make_unique<Impl>(nullptr)) {
  auto* box = new QCheckBox(ParentWidget(parent));
  Internals().Widget = box;
  QObject::connect(box, &QCheckBox::clicked, box, [this] {
    if (OnClick) {
      OnClick();
    }
  });
}

std::string CheckBox::Caption() const { return FromQt(Box(Internals()).text()); }
void CheckBox::SetCaption(const std::string& caption) { Box(Internals()).setText(ToQt(caption)); }
bool CheckBox::Checked() const { return Box(Internals()).isChecked(); }
void CheckBox::SetChecked(bool checked) { Box(Internals()).setChecked(checked); }

void CheckBox::PerformClick() {
  if (Enabled()) {
    Box(Internals()).click();
  }
}

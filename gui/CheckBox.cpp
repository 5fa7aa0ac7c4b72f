#include "gui/CheckBox.h"

#include <QCheckBox>
#include <QProxyStyle>

#include "gui/ControlImpl.h"
#include "gui/EventErrors.h"
#include "gui/LightPalette.h"

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

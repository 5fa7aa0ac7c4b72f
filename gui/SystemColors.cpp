#include "gui/SystemColors.h"

#include <QApplication>

#include "gui/LightPalette.h"

#include "gui/QtColors.h"

namespace {

// Without an application object there is no platform palette; these are the
// classic button colours.
TColor FallbackColor(TColor color) {
  switch (color) {
    case clBtnFace: return RGBColor(0xF0, 0xF0, 0xF0);
    case clBtnShadow: return RGBColor(0xA0, 0xA0, 0xA0);
    case clBtnHighlight: return clWhite;
    default: return clBlack;
  }
}

QPalette::ColorRole RoleOf(TColor color) {
  switch (color) {
    case clBtnFace: return QPalette::Button;
    case clBtnShadow: return QPalette::Dark;
    case clBtnHighlight: return QPalette::Light;
    default: return QPalette::WindowText;
  }
}

}  // namespace

// The window's own palette, not the desktop's: the panes keep a light
// desktop's colours under any theme.
TColor ResolveSystemColor(TColor color) {
  if (!IsSystemColor(color)) {
    return color & 0xFFFFFF;
  }
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return FallbackColor(color);
  }
  return ColorFromQt(LightPalette().color(RoleOf(color)));
}

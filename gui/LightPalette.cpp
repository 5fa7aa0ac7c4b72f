#include "gui/LightPalette.h"

#include <QStyle>
#include <QStyleFactory>

QStyle* NewWindowStyle() { return QStyleFactory::create("Fusion"); }

QStyle& WindowStyle() {
  static QStyle* const style = NewWindowStyle();  // lives as long as the widgets may
  return *style;
}

// Every role is set, so that the window takes none from the desktop's
// palette.
const QPalette& LightPalette() {
  static const QPalette palette = [] {
    const QPalette standard = WindowStyle().standardPalette();
    QPalette complete;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
      for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto g = static_cast<QPalette::ColorGroup>(group);
        const auto r = static_cast<QPalette::ColorRole>(role);
        complete.setBrush(g, r, standard.brush(g, r));
      }
    }
    return complete;
  }();
  return palette;
}

#include "gui/LightPalette.h"

#include <QStyleFactory>
#include <array>

namespace {

// A colour role in the active, disabled and inactive groups, as ARGB.
struct TRoleColors {
  QPalette::ColorRole Role;
  std::array<QRgb, 3> Colors;
};

}  // namespace

QStyle* NewWindowStyle() { return QStyleFactory::create("Fusion"); }

QStyle& WindowStyle() {
  static QStyle* const style = NewWindowStyle();  // lives as long as the widgets may
  return *style;
}

QFont WindowPictureFont() { return QFont(QStringLiteral("Sans Serif"), 9); }

// The light palette the window style draws with where no desktop theme is
// set, written out: the style's own standard palette follows the desktop
// theme. Every role is set, so that the window takes none from the
// desktop's palette.
const QPalette& LightPalette() {
  static const QPalette palette = [] {
    const TRoleColors roles[] = {
        {QPalette::WindowText, {0xFF000000, 0xFFBEBEBE, 0xFF000000}},
        {QPalette::Button, {0xFFEFEFEF, 0xFFEFEFEF, 0xFFEFEFEF}},
        {QPalette::Light, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}},
        {QPalette::Midlight, {0xFFCACACA, 0xFFCACACA, 0xFFCACACA}},
        {QPalette::Dark, {0xFF9F9F9F, 0xFFBEBEBE, 0xFF9F9F9F}},
        {QPalette::Mid, {0xFFB8B8B8, 0xFFB8B8B8, 0xFFB8B8B8}},
        {QPalette::Text, {0xFF000000, 0xFFBEBEBE, 0xFF000000}},
        {QPalette::BrightText, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}},
        {QPalette::ButtonText, {0xFF000000, 0xFFBEBEBE, 0xFF000000}},
        {QPalette::Base, {0xFFFFFFFF, 0xFFEFEFEF, 0xFFFFFFFF}},
        {QPalette::Window, {0xFFEFEFEF, 0xFFEFEFEF, 0xFFEFEFEF}},
        {QPalette::Shadow, {0xFF767676, 0xFFB1B1B1, 0xFF767676}},
        {QPalette::Highlight, {0xFF308CC6, 0xFF919191, 0xFF308CC6}},
        {QPalette::HighlightedText, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}},
        {QPalette::Link, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF}},
        {QPalette::LinkVisited, {0xFFFF00FF, 0xFFFF00FF, 0xFFFF00FF}},
        {QPalette::AlternateBase, {0xFFF7F7F7, 0xFFF7F7F7, 0xFFF7F7F7}},
        {QPalette::NoRole, {0xFF000000, 0xFF000000, 0xFF000000}},
        {QPalette::ToolTipBase, {0xFFFFFFDC, 0xFFFFFFDC, 0xFFFFFFDC}},
        {QPalette::ToolTipText, {0xFF000000, 0xFF000000, 0xFF000000}},
        {QPalette::PlaceholderText, {0x80000000, 0x80000000, 0x80000000}},
    };
    const QPalette::ColorGroup groups[] = {QPalette::Active, QPalette::Disabled, QPalette::Inactive};
    QPalette complete;
    for (const TRoleColors& role : roles) {
      for (std::size_t group = 0; group < std::size(groups); ++group) {
        complete.setColor(groups[group], role.Role, QColor::fromRgba(role.Colors[group]));
      }
    }
    return complete;
  }();
  return palette;
}

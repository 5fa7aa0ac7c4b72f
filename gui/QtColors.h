#pragma once

// The one place where the program's colours become Qt's and back. Nothing
// outside gui/ may include this.

#include <QColor>

#include "gui/Color.h"
#include "gui/SystemColors.h"

// A colour as Qt shows it, opaque; a system colour is the platform's.
inline QColor QtColor(TColor color) {
  const TColor rgb = ResolveSystemColor(color);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

// The colour a Qt colour shows; its alpha is dropped.
inline TColor ColorFromQt(const QColor& color) { return RGBColor(color.red(), color.green(), color.blue()); }

#pragma once

// The colours of the viewer's window, for the other parts of gui/. Nothing
// outside gui/ may include this.

#include <QFont>
#include <QPalette>
#include <QStyle>

// The palette of a light desktop, as Qt draws windows where no desktop
// theme is set: the window, its controls and the panes' system colours keep
// it under dark styles and themes.
const QPalette& LightPalette();

// The style the window and its controls are drawn in, whatever style the
// desktop asks for: a dark or larger one would turn captions dark on dark
// and cut them off the widths the layout gives them.
QStyle& WindowStyle();
// A new one, for a proxy style to own.
QStyle* NewWindowStyle();

// The font a picture of a control is painted in: the application's font
// where no desktop theme gives one, whatever font the desktop sets.
QFont WindowPictureFont();

#pragma once

// The colours of the viewer's window, for the other parts of gui/. Nothing
// outside gui/ may include this.

#include <QPalette>

// The palette of a light desktop, as Qt draws windows where no desktop
// theme is set: the window, its controls and the panes' system colours keep
// it under dark styles and themes.
const QPalette& LightPalette();

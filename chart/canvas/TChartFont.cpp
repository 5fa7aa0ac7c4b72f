#include "chart/canvas/TChartFont.h"

TChartFont::TChartFont() { ForwardPartChanges(); }

TChartFont::TChartFont(const TChartFont& other)
    : TChangeNotifier(other), settings_(other.settings_), outLine_(other.outLine_), shadow_(other.shadow_) {
  ForwardPartChanges();
}

TChartFont& TChartFont::operator=(const TChartFont& other) {
  Assign(other);
  return *this;
}

// The parts report to the font, which reports to its owner. Assigning the
// parts one by one may tell the owner more than once; a repaint request is
// idempotent, so that is harmless.
void TChartFont::Assign(const TChartFont& other) {
  Change(settings_, other.settings_);
  outLine_.Assign(other.outLine_);
  shadow_.Assign(other.shadow_);
}

void TChartFont::ForwardPartChanges() {
  outLine_.OnChange = [this] { Changed(); };
  shadow_.OnChange = [this] { Changed(); };
}

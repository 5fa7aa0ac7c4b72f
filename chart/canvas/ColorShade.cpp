#include "chart/canvas/ColorShade.h"

#include <algorithm>

#include "gui/SystemColors.h"

namespace {

TColor ShiftChannels(TColor color, long long step) {
  const TColor rgb = ResolveSystemColor(color);
  auto shift = [step](int channel) { return static_cast<int>(std::clamp(channel + step, 0LL, 255LL)); };
  return RGBColor(shift(RedOf(rgb)), shift(GreenOf(rgb)), shift(BlueOf(rgb)));
}

}  // namespace

TColor DarkerColor(TColor color, int step) { return ShiftChannels(color, -static_cast<long long>(step)); }
TColor BrighterColor(TColor color, int step) { return ShiftChannels(color, step); }

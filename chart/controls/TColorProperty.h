#pragma once

#include <string>

#include "gui/Color.h"

class TChartSeries;

// A colour setting of a series reached by its name, so that a control can
// be bound to "SeriesColor" the way a form binds it.
struct TColorProperty {
  const char* Name;
  TColor (*Read)(const TChartSeries& object);
  void (*Write)(TChartSeries& object, TColor color);
};

// The colour property of that name, ignoring the case of ASCII letters, or
// none.
const TColorProperty* FindColorProperty(const std::string& name);

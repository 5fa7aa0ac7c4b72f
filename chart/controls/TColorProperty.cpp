#include "chart/controls/TColorProperty.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "chart/series/TChartSeries.h"

namespace {

const std::array<TColorProperty, 1> kColorProperties = {{
    {"SeriesColor", [](const TChartSeries& series) { return series.SeriesColor(); },
     [](TChartSeries& series, TColor color) { series.SetSeriesColor(color); }},
}};

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringAsciiCase(const std::string& a, const char* b) {
  return a.size() == std::strlen(b) &&
         std::equal(a.begin(), a.end(), b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

const TColorProperty* FindColorProperty(const std::string& name) {
  for (const TColorProperty& property : kColorProperties) {
    if (SameIgnoringAsciiCase(name, property.Name)) {
      return &property;
    }
  }
  return nullptr;
}

#pragma once

#include <string>

#include "chart/canvas/TChangeNotifier.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/TChartShadow.h"
#include "gui/TFont.h"

struct TChartFontSettings {
  std::string Name = "Arial";
  int Size = 8;  // points
  TColor Color = clBlack;
  int Charset = 1;
  TFontStyles Style{};
  int InterCharSize = 0;  // extra pixels between characters
  friend bool operator==(const TChartFontSettings&, const TChartFontSettings&) = default;
};

// The font of a chart text. A change of the font, its outline pen or its
// shadow is reported to the owner through OnChange.
class TChartFont : public TChangeNotifier {
public:
  TChartFont();
  TChartFont(const TChartFont& other);
  TChartFont& operator=(const TChartFont& other);

  const TChartFontSettings& Settings() const { return settings_; }
  void Assign(const TChartFont& other);

  const std::string& Name() const { return settings_.Name; }
  void SetName(const std::string& value) { Change(settings_.Name, value); }
  int Size() const { return settings_.Size; }
  void SetSize(int value) { Change(settings_.Size, value); }
  TColor Color() const { return settings_.Color; }
  void SetColor(TColor value) { Change(settings_.Color, value); }
  int Charset() const { return settings_.Charset; }
  void SetCharset(int value) { Change(settings_.Charset, value); }
  const TFontStyles& Style() const { return settings_.Style; }
  void SetStyle(const TFontStyles& value) { Change(settings_.Style, value); }
  int InterCharSize() const { return settings_.InterCharSize; }
  void SetInterCharSize(int value) { Change(settings_.InterCharSize, value); }

  TChartHiddenPen& OutLine() { return outLine_; }
  const TChartHiddenPen& OutLine() const { return outLine_; }
  TChartShadow& Shadow() { return shadow_; }
  const TChartShadow& Shadow() const { return shadow_; }

private:
  void ForwardPartChanges();

  TChartFontSettings settings_;
  TChartHiddenPen outLine_;
  TChartShadow shadow_;
};

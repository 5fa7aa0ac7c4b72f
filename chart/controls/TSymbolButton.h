#pragma once

#include <string>

#include "chart/controls/TColorProperty.h"
#include "gui/Geometry.h"
#include "gui/PushButton.h"

class TCanvas3D;
class TChartSeries;

// A push button that paints a symbol of its subclass's choosing over the
// standard face, and holds a binding to one colour property of an object.
class TSymbolButton : public PushButton {
public:
  explicit TSymbolButton(Control* parent = nullptr);

  // Binds the button to the named property of `object` (none when the name
  // is empty or unknown) and repaints; with no object it only forgets the
  // object and leaves the property and the picture as they were.
  void LinkProperty(TChartSeries* object, const std::string& name);
  TChartSeries* LinkedObject() const { return linkedObject_; }
  const TColorProperty* LinkedProperty() const { return linkedProperty_; }
  // A property to read and write: both it and its object are there.
  bool HasLinkedColor() const { return linkedObject_ != nullptr && linkedProperty_ != nullptr; }

  // Where the symbol goes: a small square at the right end of the face.
  TRect SymbolRect() const;

protected:
  virtual void PaintButtonSymbol(TCanvas3D& canvas);

  void EnabledChanged() override;
  void TextChanged() override;

private:
  void PaintSymbol(TRasterCanvas& canvas) final;

  TChartSeries* linkedObject_ = nullptr;
  const TColorProperty* linkedProperty_ = nullptr;
};

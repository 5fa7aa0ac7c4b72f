#pragma once

#include <functional>
#include <optional>

#include "chart/controls/TSymbolButton.h"
#include "gui/Dialogs.h"

// A button showing a colour swatch; a click lets the user pick another
// colour, writes it to the linked property (or OwnColor) and fires OnClick
// only when the colour changed.
class TButtonColor : public TSymbolButton {
public:
  explicit TButtonColor(Control* parent = nullptr);

  // The colour shown and edited when no property is linked.
  TColor OwnColor = clBlack;
  // When set, supplies the colour shown instead of the property or
  // OwnColor; it is only read.
  std::function<TColor()> ColorProvider;

  TColor CurrentColor() const;
  // Runs the colour dialog from `start`; the colour chosen, or `start` when
  // the user cancels.
  TColor EditColor(TColor start);

  void Click() override;

protected:
  void PaintButtonSymbol(TCanvas3D& canvas) override;

private:
  void StoreColor(TColor color);
};

// The custom colours last confirmed in any colour button's dialog, offered
// by the next one; none before the first confirmation.
std::optional<TCustomColors>& SharedCustomColors();

#pragma once

#include <functional>
#include <string>

#include "gui/Control.h"

class TRasterCanvas;

// A push button with a caption. A subclass may paint a symbol over the
// standard face and may replace what a click does.
class PushButton : public Control {
public:
  explicit PushButton(Control* parent);

  std::string Caption() const;
  void SetCaption(const std::string& caption);

  // What a mouse click or the keyboard does: fires OnClick.
  virtual void Click();
  // A click as the user makes it: nothing while disabled.
  void PerformClick();

  void Repaint();
  void Invalidate();
  // The button as it would be shown now: standard face, caption and symbol.
  void Render(TRasterCanvas& target);

  std::function<void()> OnClick;
  // A right click (or the menu key) at (x, y) of the button.
  std::function<void(int x, int y)> OnContextMenu;
  // A right click as the user makes it; tests and tools call it too.
  void ContextMenu(int x, int y);

protected:
  // Draws over the standard face; the canvas is the button's size.
  virtual void PaintSymbol(TRasterCanvas& canvas);
  virtual void TextChanged() {}

private:
  friend class ButtonWidget;
};

#pragma once

#include <functional>
#include <string>

#include "gui/Control.h"

// A check box with a caption. A user's click toggles the mark and then fires
// OnClick; setting Checked from the program fires nothing.
class CheckBox : public Control {
public:
  explicit CheckBox(Control* parent);

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool Checked() const;
  void SetChecked(bool checked);

  // A click as the user makes it: nothing while disabled.
  void PerformClick();

  std::function<void()> OnClick;
};

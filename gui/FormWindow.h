#pragma once

#include <functional>
#include <string>

#include "gui/Control.h"

// A top-level window of fixed client size with a thin caption and only a
// close button; the parent of the controls placed on it.
class FormWindow : public Control {
public:
  FormWindow();

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // The client area's size; the window cannot be resized by the user.
  void SetClientSize(int width, int height);
  void CenterOnScreen();
  void Show();
  void Close();

  // The client area as it is shown now, as a PNG file.
  bool SaveClientAreaPng(const std::string& path) const;

  std::function<void()> OnClose;
};

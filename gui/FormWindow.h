#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/Control.h"
#include "gui/Mouse.h"
#include "gui/PictureFormat.h"

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
  // The window's picture for the user: the client area without what is
  // drawn over the panes' pictures (a cursor readout). Saving raises
  // FileException naming the file and the reason.
  void CopyPictureToClipboard() const;
  // A raster format.
  void SavePicture(const std::string& path, TPictureFormat format) const;
  // That picture with the rectangles left white, as a PNG "data:" URI for
  // an SVG document that draws them itself.
  std::string PictureDataUri(const std::vector<TRect>& leftOut) const;

  std::function<void()> OnClose;
  // A key pressed anywhere in the window (gui/Keyboard.h has the codes).
  std::function<void(int key, TShiftState shift)> OnKeyDown;
};

#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/Geometry.h"

// A font as a form lists it: face name and height in pixels (negative: the
// character height without internal leading, as point sizes give it), in
// the window-text colour.
struct TControlFont {
  std::string Name = "Tahoma";
  int Height = -11;
};

// The common part of every window of the program: position and size in its
// parent's client pixels, enabled and visible state, font. The Qt object
// behind it is the control's own; a parent window deletes its children's Qt
// objects with its own, and a control then simply has none left.
class Control {
public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const;  // left, top, right, bottom in the parent
  int Width() const;
  int Height() const;

  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  void SetFont(const TControlFont& font);
  // The text shown while the mouse rests over the control; "" for none.
  std::string ToolTip() const;
  void SetToolTip(const std::string& text);

  // Keyboard focus moves from this control to `next` with the tab key.
  void SetTabSuccessor(Control& next);
  // Whether the tab key moves focus from this control straight to `next`,
  // among the controls that take keyboard focus.
  bool TabSuccessorIs(const Control& next) const;

  // Files dropped on the control, as the file system names them, in the
  // order given. Setting a handler makes the control accept drops.
  using TFilesDroppedEvent = std::function<void(const std::vector<std::string>& fileNames)>;
  void SetOnFilesDropped(TFilesDroppedEvent handler);
  // A drop of these files, as the platform delivers it; tests call it too.
  void DropFiles(const std::vector<std::string>& fileNames);

  class Impl;
  Impl& Internals() { return *impl_; }
  const Impl& Internals() const { return *impl_; }

protected:
  explicit Control(std::unique_ptr<Impl> impl);

  // Called after the enabled state changed.
  virtual void EnabledChanged() {}

private:
  std::unique_ptr<Impl> impl_;
  TFilesDroppedEvent onFilesDropped_;
  std::string toolTip_;
};

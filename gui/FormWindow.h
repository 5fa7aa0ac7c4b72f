#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/Control.h"
#include "gui/Mouse.h"
#include "gui/PictureFormat.h"

class TRasterCanvas;

// How big the window is when it is not maximised or full screen, and
// whether it is maximised: what a restart brings back.
struct TWindowPlacement {
  int ClientWidth = 0;
  int ClientHeight = 0;
  bool Maximized = false;
  friend bool operator==(const TWindowPlacement&, const TWindowPlacement&) = default;
};

// A top-level window with a normal frame (minimise, maximise, close) that
// the user may resize down to its minimum client size; the parent of the
// controls placed on it.
class FormWindow : public Control {
public:
  FormWindow();

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // The client area's size, at least the minimum.
  void SetClientSize(int width, int height);
  void SetMinimumClientSize(int width, int height);
  // The largest client area whose window fits the available area of the
  // screen the window is on; none without a real screen.
  TSize ClientRoomOnScreen() const;
  // Centred on the available area of its screen; where it is larger, at
  // the area's top or left edge.
  void CenterOnScreen();
  bool Maximized() const;
  void SetMaximized(bool maximized);
  bool FullScreen() const;
  void SetFullScreen(bool fullScreen);

  TWindowPlacement Placement() const;
  // Maximises or restores the window; its normal size is the placement's,
  // held to the minimum and to the room on the screen.
  void ApplyPlacement(const TWindowPlacement& placement);
  // Device pixels per client pixel of the screen the window is on.
  double DevicePixelRatio() const;
  void Show();
  void Close();
  // Runs `job` from the message loop once the window has been painted, so
  // that slow work started at start-up never leaves it blank; at the next
  // turn of the loop when it has been painted already.
  void RunOncePainted(std::function<void()> job);

  // The client area as it is shown now, as a PNG file.
  bool SaveClientAreaPng(const std::string& path) const;
  // The window's picture for the user: the client area without what is
  // drawn over the panes' pictures (a cursor readout). Saving raises
  // FileException naming the file and the reason.
  void CopyPictureToClipboard() const;
  // A raster format.
  void SavePicture(const std::string& path, TPictureFormat format) const;
  // That picture at the top left of a raster of the window's device pixel
  // ratio, so that more can be drawn over and below it.
  void DrawPicture(TRasterCanvas& raster) const;
  // That picture with the rectangles left white, as a PNG "data:" URI for
  // an SVG document that draws them itself.
  std::string PictureDataUri(const std::vector<TRect>& leftOut) const;

  std::function<void()> OnClose;
  // The client area got a new size; also called by SetClientSize while the
  // window is hidden, when the platform reports sizes only once shown.
  std::function<void()> OnResize;
  // The normal size or the maximised state changed, by the user or the
  // program.
  std::function<void()> OnPlacementChange;
  // A key pressed anywhere in the window (gui/Keyboard.h has the codes).
  std::function<void(int key, TShiftState shift)> OnKeyDown;
};

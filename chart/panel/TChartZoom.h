#pragma once

#include <memory>

#include "chart/canvas/TChartBrush.h"
#include "chart/canvas/TChartPen.h"
#include "chart/panel/TZoomPanning.h"
#include "gui/Mouse.h"

enum TZoomDirection { zdHorizontal, zdVertical, zdBoth };

// A chart's zoom: the rubber-band rectangle being dragged and the settings
// that decide how the mouse zooms. None of them changes the picture, so the
// setters only store.
class TChartZoom : public TZoomPanning {
public:
  TChartZoom();
  ~TChartZoom();

  bool Allow() const { return allow_; }
  void SetAllow(bool allow) { allow_ = allow; }
  bool Animated() const { return animated_; }
  void SetAnimated(bool animated) { animated_ = animated; }
  // Frames of an animated zoom, the last one included.
  int AnimatedSteps() const { return animatedSteps_; }
  void SetAnimatedSteps(int steps) { animatedSteps_ = steps; }
  TZoomDirection Direction() const { return direction_; }
  void SetDirection(TZoomDirection direction) { direction_ = direction; }
  // Keys that must be held when the drag starts.
  TShiftState KeyShift() const { return keyShift_; }
  void SetKeyShift(TShiftState keys) { keyShift_ = keys; }
  // A drag must be longer than this to zoom or undo.
  int MinimumPixels() const { return minimumPixels_; }
  void SetMinimumPixels(int pixels) { minimumPixels_ = pixels; }
  TMouseButton MouseButton() const { return mouseButton_; }
  void SetMouseButton(TMouseButton button) { mouseButton_ = button; }
  // A drag towards the left (or up) zooms instead of undoing.
  bool UpLeftZooms() const { return upLeftZooms_; }
  void SetUpLeftZooms(bool zooms) { upLeftZooms_ = zooms; }

  // Whether the chart draws the band itself, by not-xor into its picture;
  // off, the band is left to be drawn over the picture (DragActive and the
  // corners tell where it is), and each move of the drag repaints.
  bool XorBand() const { return xorBand_; }
  void SetXorBand(bool drawn) { xorBand_ = drawn; }

  // The band's outline and fill come into being when first asked for; a
  // band without a fill is drawn with a clear brush.
  TChartPen& Pen();
  TChartBrush& Brush();
  bool HasBrush() const { return brush_ != nullptr; }

private:
  bool allow_ = true;
  bool animated_ = false;
  int animatedSteps_ = 8;
  TZoomDirection direction_ = zdBoth;
  TShiftState keyShift_ = 0;
  int minimumPixels_ = 16;
  TMouseButton mouseButton_ = mbLeft;
  bool upLeftZooms_ = false;
  bool xorBand_ = true;
  std::unique_ptr<TChartPen> pen_;
  std::unique_ptr<TChartBrush> brush_;
};

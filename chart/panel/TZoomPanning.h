#pragma once

#include "gui/Geometry.h"

// The record of one mouse drag: where it began and where it has got to.
struct TZoomPanning {
  bool DragActive = false;
  int StartX = 0;
  int StartY = 0;
  int EndX = 0;
  int EndY = 0;

  void StartAt(int x, int y) {
    StartX = EndX = x;
    StartY = EndY = y;
    DragActive = true;
  }

  // Start becomes the top-left corner, End the bottom-right one.
  void NormalizeCorners() {
    const TRect corners = TRect{StartX, StartY, EndX, EndY}.Normalized();
    StartX = corners.Left;
    StartY = corners.Top;
    EndX = corners.Right;
    EndY = corners.Bottom;
  }
};

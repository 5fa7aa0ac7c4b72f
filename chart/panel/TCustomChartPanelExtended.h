#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "chart/panel/TChartZoom.h"
#include "chart/panel/TCustomChartPanel.h"
#include "chart/panel/TZoomPanning.h"

enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

// An axis' scale as an undo brings it back.
struct TAxisScaleState {
  bool Automatic = true;
  bool AutomaticMinimum = true;
  bool AutomaticMaximum = true;
  double Minimum = 0;
  double Maximum = 0;
};

struct TAxisRange {
  double Minimum = 0;
  double Maximum = 0;
};

// The axis being panned, the range it would get, and whether it may.
using TChartAllowScrollEvent = std::function<void(TChartAxis& sender, double& minimum, double& maximum, bool& allow)>;

// The zoom and panning level of a chart: the mouse drags that zoom, undo a
// zoom or pan, the wheel that scrolls the vertical axes, and the rubber band.
class TCustomChartPanelExtended : public TCustomChartPanel {
public:
  explicit TCustomChartPanelExtended(Control* parent);

  TChartZoom& Zoom() { return zoom_; }
  TZoomPanning& Panning() { return panning_; }
  TPanningMode AllowPanning() const { return allowPanning_; }
  void SetAllowPanning(TPanningMode mode) { allowPanning_ = mode; }
  TMouseButton ScrollMouseButton() const { return scrollMouseButton_; }
  void SetScrollMouseButton(TMouseButton button) { scrollMouseButton_ = button; }

  // Run-time state.
  bool IsZoomed = false;
  // By axis index; empty for depth axes.
  std::vector<std::optional<TAxisScaleState>> ScaleSnapshot;
  bool HasScaleSnapshot = false;
  // Set by a mouse handler that consumed the current event.
  bool StopMouseProcessing = false;
  TCursor NormalCursor = crDefault;

  // Shared by all charts.
  static inline bool WheelScrollsVertical = true;
  static inline TShiftState PanKeyShift = 0;
  // Each animation frame closes this part of the remaining distance.
  static constexpr double AnimationDivisor = 3.0;

  TChartNotifyEvent OnZoom;
  TChartNotifyEvent OnUndoZoom;
  TChartNotifyEvent OnScroll;
  TChartAllowScrollEvent OnAllowScroll;

  // Zooms to the pixel rectangle, converted by this chart's own axes.
  void ZoomToRectangle(const TRect& rect);
  void ZoomFromRectangle();
  void ApplyZoomRanges(TAxisRange top, TAxisRange bottom, TAxisRange left, TAxisRange right);
  void UndoZoom();
  // Whether releasing `button` now ends a zoom drag that zooms this chart
  // (rather than undoing or doing nothing), judged from the end point of
  // the last move: what a mouse-up handler, which runs before the chart's
  // own processing of the release, asks.
  bool ReleaseZooms(TMouseButton button) const;
  // Ends the zoom and scrolling without going back: no snapshot, not zoomed,
  // every axis automatic. A pane given a new log starts from it, so that an
  // undo cannot bring back a range of the log before.
  void EndZoom();

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseWheel(bool up, TShiftState shift, int x, int y) override;
  void MouseLeave() override;

  // Draws the rubber band with not-xor into the kept picture and shows it,
  // without painting the chart again; a second call at the same place
  // erases it.
  void DrawZoomFrame();

protected:
  // The colour the band is drawn against.
  virtual TColor ZoomFrameBackground() const;
  // Whether (x, y) lies in the hit area of a shown axis.
  virtual bool AxisHitTest(int /*x*/, int /*y*/) const { return false; }

  // Draws the rubber band again at the end of a paint while a zoom drag is
  // active, so that the next erase by not-xor stays right.
  void DrawZoomFrameWhileDragging();

private:
  bool PressHitsChart(int x, int y);
  void StartDrag(TMouseButton button, TShiftState shift, int x, int y);
  void MoveZoomDrag(int x, int y);
  void MovePanDrag(int x, int y);
  void EndZoomDrag(int x, int y);
  bool LongEnough() const;
  bool DragZooms() const;
  void PanAxes(bool horizontal, int from, int to);
  void PanAxis(TChartAxis& axis, int from, int to);
  void TakeScaleSnapshot();
  void RestoreScaleSnapshot();
  void DropScaleSnapshot();
  void PaintZoomBand();

  TChartZoom zoom_;
  TZoomPanning panning_;
  TPanningMode allowPanning_ = pmBoth;
  TMouseButton scrollMouseButton_ = mbRight;
};

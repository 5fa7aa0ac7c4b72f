#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "app/state/TSavedState.h"
#include "app/view/PaneTimes.h"

#include "chart/panel/TChart.h"

// How the four panes' views move together: a zoom passed on by its pixel
// rectangle, or while locked by its range of time or of sample numbers
// (locked by time, each pane's top axis holds the common time range and
// its bottom axis the sample numbers its log has in that time); the panes'
// zoom histories for going back one step; panning and the zoom keys. It
// knows the charts and the saved modes only, so its rules are checked
// without a window.
class TPaneCoordinator {
public:
  static constexpr std::uint8_t PaneCount = 4;

  // Where a pane's value axis takes its range from: the whole log
  // (automatic), the samples in view (fit), or the user.
  enum class TValueSource { All, View, Set };

  TPaneCoordinator(std::array<TChart*, PaneCount> charts, const TSavedState& state);

  // The time stamps of each pane's log; unset, no pane has any.
  std::function<TPaneTimes(std::uint8_t pane)> PaneTimes;
  // The mode in effect: time, as asked, only while every pane's log with
  // samples has stamps that increase, else samples.
  TLockMode Mode() const;
  bool TimeLocked() const { return Mode() == TLockMode::Time; }
  // Every pane with samples can follow a time.
  bool TimeAvailable() const;
  // The pane's log on the common time line; only while its stamps are known.
  TPaneTimes Times(std::uint8_t pane) const;
  // From the first to the last time of all the panes' logs.
  std::optional<TAxisRange> AllLogsTime() const;

  // A mouse button was pressed on the pane: a left drag with Shift held
  // zooms the pane's value axis, and only that.
  void MousePressed(std::uint8_t pane, TMouseButton button, TShiftState shift);
  // A mouse button was released over the pane. Only a drag that zoomed its
  // own pane is passed on: a plain click or a press that started no drag
  // leaves an old rectangle in the record, which must not zoom the other
  // panes again. Locked panes follow the pane's zoom itself, once it is made.
  void MouseReleased(std::uint8_t pane, TMouseButton button);
  // Zooms the other panes to the pixel rectangle the source pane's drag left.
  void SyncZoom(std::uint8_t sourcePane);
  // The chart's own undo of the pane: every pane back to automatic scaling.
  void UndoneZoom(std::uint8_t pane);
  // The chart zoomed or panned the pane.
  void Zoomed(std::uint8_t pane);
  void Scrolled(std::uint8_t pane);

  // While locked: every pane gets the last zoomed pane's horizontal range,
  // or when no pane is zoomed the range from the first to the last sample
  // of all.
  void Align();
  // The lock mode changed.
  void LockChanged();
  // Every pane back to automatic scaling, with nothing left to undo.
  void UndoAll();
  // Every pane one view back; from the first zoom, back to automatic
  // scaling. A value range the user set goes back first, on its own.
  void Back();
  // The pane zoomed in or out by 2 about the pixel column of its sample
  // `index`, which keeps its place, through the same zoom as a drag, so
  // that undo and the passing on hold as for a drag. In stops once a sample step is a few
  // columns wide, out once the view holds every sample of the logs.
  void ZoomAbout(std::uint8_t pane, int column, int index, bool in);
  // Ctrl+wheel: the pane's value axis zoomed in (up) or out by a notch
  // about the value at pixel row `row`, which keeps its place; an undo
  // makes it automatic again.
  void ZoomValues(std::uint8_t pane, int row, bool in);
  // The user's own range of the pane's value axis, kept through later zooms
  // and fits until an undo or a step back; false when it is no range.
  bool SetValueRange(std::uint8_t pane, double minimum, double maximum);
  TValueSource ValueSource(std::uint8_t pane) const;
  // Panning switched on in the mode, or off (pmNone).
  void SetPanning(TPanningMode mode);
  // Ends every zoom and pan of every pane.
  void ResetToAutomatic();
  // The pane got another log: its views are gone.
  void ForgetViews(std::uint8_t pane);
  // A followed log gained samples after `pointsBefore` points: a pane at
  // automatic scaling takes them in by itself; a view that ended at the
  // last sample moves on with the log, keeping its width; a view of an
  // earlier stretch stays.
  void FollowSamples(std::uint8_t pane, int pointsBefore);
  // The fit mode changed: on, each zoomed or panned pane's value axis spans
  // the samples it shows, and follows every later zoom and pan; off, the
  // value axes scale automatically again.
  void FitChanged();
  // The bottom axis in every pane: the sample numbers, or locked by time
  // the top axis, holding the time, moved to the bottom.
  void ShowSampleAxis(bool shown);
  // While locked, the panes' plot areas end at one right edge, the widest
  // value labels deciding; otherwise each as its labels leave it. Works
  // from the panes' last paints; whether a pane needs painting again.
  bool ShareEdges();

  // Alt+drag while locked by time: the pane's log shifted in time by the
  // mouse, from its offset `offset` with the press at pixel column `x`. The
  // pane does not zoom meanwhile.
  void BeginTimeShift(std::uint8_t pane, int x, double offset);
  // The shifted pane and its offset with the mouse at column `x`; none
  // without such a drag.
  std::optional<std::pair<std::uint8_t, double>> TimeShiftTo(int x) const;
  // Whether a time shift drag ended.
  bool EndTimeShift();
  // A log's offset changed: every pane keeps the time it shows.
  void TimesChanged();

  // From the first to the last sample of all the panes' logs.
  std::optional<TAxisRange> AllLogsRange() const;

private:
  // The views a pane zoomed through, the current one last.
  struct TZoomView {
    TAxisRange Top;
    TAxisRange Bottom;
    TAxisRange Left;
    TAxisRange Right;
    bool ValuesSet = false;
  };

  TChart& Chart(std::uint8_t pane) const { return *charts_[pane]; }
  void ShareRangeOf(std::uint8_t source, bool zoom);
  void ShareTime(std::optional<std::uint8_t> source, TAxisRange time, bool zoom);
  // The pane's sample numbers over the time range.
  TAxisRange SampleRange(std::uint8_t pane, TAxisRange time) const;
  // Once a view changed: with fit on, the value axes fit the new views.
  void FitValues();
  void ShareCommonRange();
  std::optional<std::uint8_t> ZoomedPane() const;
  bool BackFromValueRanges();
  void ShowBandOverPictures();
  void ShowHorizontalAxis();
  void RememberZoom(std::uint8_t pane);
  void ForgetZooms();

  std::array<TChart*, PaneCount> charts_;
  const TSavedState& state_;
  // Passing a zoom or pan on, which zooms and pans the other panes.
  bool sharing_ = false;
  std::uint8_t lastSource_ = 0;
  std::array<std::vector<TZoomView>, PaneCount> zoomHistory_;
  // The panes whose value range the user set.
  std::array<bool, PaneCount> valuesSet_{};
  // The pane whose Shift+drag is about to zoom its values, from the release
  // until the chart's zoom.
  std::optional<std::uint8_t> valueDragReleased_;
  struct TTimeShift {
    std::uint8_t Pane = 0;
    int FromColumn = 0;
    double FromOffset = 0;
  };
  std::optional<TTimeShift> timeShift_;
  bool axisShown_ = false;
};

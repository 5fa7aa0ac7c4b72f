#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "chart/canvas/TChangeNotifier.h"
#include "chart/model/TChartAxes.h"
#include "chart/model/TChartSeriesList.h"
#include "chart/model/TChartTitle.h"
#include "chart/model/TChartWall.h"
#include "gui/Color.h"
#include "runtime/ScopedRestore.h"
#include "runtime/StoreIfChanged.h"

class TChartSeries;

// May replace the text of a value label of `sender`.
using TAxisLabelEvent = std::function<void(const TChartAxis& sender, double value, std::string& text)>;
// Supplies the values of the labels of `sender` instead of its step: called
// with index 0, 1, ... while it returns true, setting `value` each time (it
// holds the value given before, the range's minimum at first).
using TNextAxisLabelEvent = std::function<bool(const TChartAxis& sender, int index, double& value)>;

// The model level of a chart, the base that the chart's panel, painting,
// zoom and axis levels build on: its series, its axes, its titles' text, its
// palette and the repaint request through which every change reaches the
// screen. It holds no window, so everything here can be checked without one.
class TChartModel {
public:
  TChartModel();
  virtual ~TChartModel();
  TChartModel(const TChartModel&) = delete;
  TChartModel& operator=(const TChartModel&) = delete;

  TChartSeriesList& SeriesList() { return seriesList_; }
  const TChartSeriesList& SeriesList() const { return seriesList_; }
  TChartAxes& Axes() { return axes_; }
  const TChartAxes& Axes() const { return axes_; }
  TChartAxis& BottomAxis() { return axes_.BottomAxis(); }
  TChartAxis& TopAxis() { return axes_.TopAxis(); }
  TChartAxis& LeftAxis() { return axes_.LeftAxis(); }
  TChartAxis& RightAxis() { return axes_.RightAxis(); }
  TChartAxis& DepthAxis() { return axes_.DepthAxis(); }
  TChartAxis& DepthTopAxis() { return axes_.DepthTopAxis(); }

  TChartTitle& Title() { return title_; }
  TChartTitle& SubTitle() { return subTitle_; }
  TChartTitle& Foot() { return foot_; }
  TChartTitle& SubFoot() { return subFoot_; }

  // The panel background and the back wall's colour, which an automatic
  // series colour avoids.
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TChartWall& BackWall() { return backWall_; }
  const TChartWall& BackWall() const { return backWall_; }
  TChartWall& LeftWall() { return leftWall_; }
  TChartWall& BottomWall() { return bottomWall_; }
  TChartWall& RightWall() { return rightWall_; }

  // The label events of every axis of the chart; the viewer sets none.
  TAxisLabelEvent OnGetAxisLabel;
  TNextAxisLabelEvent OnGetNextAxisLabel;

  // The chart's own palette; empty means the default one.
  const std::vector<TColor>& ColorPalette() const { return palette_; }
  void SetColorPalette(const std::vector<TColor>& palette);
  TColor PaletteColor(int index) const;
  // The first palette colour that no other series shows (and, when asked,
  // that differs from the backgrounds); the last one tried when none is free.
  TColor FreeSeriesColor(bool checkBackground, const TChartSeries* skip) const;

  // Marks the picture stale, unless repainting is disabled: then the request
  // is dropped, not queued.
  // A chart with a window also invalidates it.
  virtual void RequestRepaint();
  // How every setting of the chart and its parts is set: compare, store,
  // and only on a change request a repaint.
  template <class T>
  void StoreSetting(T& field, const T& value) {
    if (StoreIfChanged(field, value)) {
      RequestRepaint();
    }
  }
  // Makes every change of these setting objects (pens, brushes, fonts of
  // the chart's parts) request a repaint.
  void RepaintOnChange(std::initializer_list<TChangeNotifier*> settings);
  bool RepaintEnabled() const { return repaintEnabled_; }
  bool PictureStale() const { return pictureStale_; }
  // How many requests were taken since the chart was created.
  long RepaintRequestCount() const { return repaintRequestCount_; }

  // True while the chart's stored settings are being applied.
  bool Loading() const { return loading_; }

protected:
  // The picture shows the chart's current state again.
  void MarkPictureCurrent() { pictureStale_ = false; }

private:
  friend class TRepaintSuspension;
  friend class TChartLoading;

  bool IsColorFree(TColor color, bool checkBackground, const TChartSeries* skip) const;

  TChartSeriesList seriesList_;
  TChartAxes axes_;
  TChartTitle title_;
  TChartTitle subTitle_;
  TChartTitle foot_;
  TChartTitle subFoot_;
  TColor color_ = clBtnFace;
  TChartWall backWall_;
  TChartWall leftWall_;
  TChartWall bottomWall_;
  TChartWall rightWall_;
  std::vector<TColor> palette_;
  bool repaintEnabled_ = false;
  bool pictureStale_ = true;
  long repaintRequestCount_ = 0;
  bool loading_ = false;
};

// Repainting disabled for a scope (while painting, for example); the previous
// state comes back however the scope ends.
class TRepaintSuspension {
public:
  explicit TRepaintSuspension(TChartModel& chart) : enabled_(chart.repaintEnabled_, false) {}

private:
  ScopedRestore<bool> enabled_;
};

// The chart's stored settings being applied for a scope: setting an axis'
// Automatic then stores that flag only.
class TChartLoading {
public:
  explicit TChartLoading(TChartModel& chart) : loading_(chart.loading_, true) {}

private:
  ScopedRestore<bool> loading_;
};

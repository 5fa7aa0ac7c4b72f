#include <gtest/gtest.h>

#include "chart/panel/TChart.h"
#include "chart/series/TLineSeries.h"
#include "gui/Application.h"
#include "tests/support/SamePicture.h"

namespace {

struct AxisState {
  bool Automatic;
  double Minimum;
  double Maximum;
  friend bool operator==(const AxisState&, const AxisState&) = default;
};

AxisState StateOf(const TChartAxis& axis) { return {axis.Automatic(), axis.Minimum(), axis.Maximum()}; }

// A pane as the viewer sets it up: one line series on the right axis, laid
// out at the viewer's pane size.
class Pane {
public:
  explicit Pane(int width = 728, int height = 129) {
    EnsureApplication();
    chart.SetView3D(false);
    chart.SetMarginLeft(0);
    chart.SetMarginTop(1);
    chart.SetMarginRight(0);
    chart.SetMarginBottom(5);
    chart.Zoom().SetDirection(zdHorizontal);
    chart.SetAllowPanning(pmNone);
    chart.BottomAxis().SetVisible(false);
    series.SetVertAxis(aRightAxis);
    chart.SeriesList().Add(series);
    for (int i = 0; i < 100; ++i) {
      series.AppendValue(i % 10, "", clBlue);
    }
    chart.SetBounds(0, 0, width, height);
    chart.Refresh();
    chart.OnZoom = [this](TCustomChartPanel&) { ++zooms; };
    chart.OnUndoZoom = [this](TCustomChartPanel&) { ++undos; };
    chart.OnScroll = [this](TCustomChartPanel&) { ++scrolls; };
  }

  int MidY() const { return (chart.PlotRect.Top + chart.PlotRect.Bottom) / 2; }

  // Press, one move, release: the way the platform reports a drag.
  void Drag(TMouseButton button, int x0, int y0, int x1, int y1) {
    chart.MouseDown(button, ShiftOfButton(button), x0, y0);
    chart.MouseMove(ShiftOfButton(button), x1, y1);
    chart.MouseUp(button, 0, x1, y1);
  }

  TLineSeries series;
  TChart chart;
  int zooms = 0;
  int undos = 0;
  int scrolls = 0;
};

TEST(ChartZoom, DragLengthDecidesBetweenZoomUndoAndNothing) {
  struct Case {
    int releaseX;
    int zooms;
    int undos;
  };
  // Press at x 100; a drag must be longer than 16 pixels.
  for (const Case& c : {Case{116, 0, 0}, Case{117, 1, 0}, Case{83, 0, 1}, Case{84, 0, 0}}) {
    SCOPED_TRACE(c.releaseX);
    Pane pane;
    const AxisState before = StateOf(pane.chart.BottomAxis());
    pane.Drag(mbLeft, 100, pane.MidY(), c.releaseX, pane.MidY());
    EXPECT_EQ(pane.zooms, c.zooms);
    EXPECT_EQ(pane.undos, c.undos);
    EXPECT_EQ(pane.chart.IsZoomed, c.zooms == 1);
    EXPECT_EQ(StateOf(pane.chart.BottomAxis()) == before, c.zooms == 0);
    EXPECT_FALSE(pane.chart.Zoom().DragActive);
  }
}

// The mouse-up handler runs before the chart handles the release; the chart
// tells it whether that release zooms.
TEST(ChartZoom, TheMouseUpHandlerIsToldWhetherTheReleaseZooms) {
  const struct {
    int ReleaseX;
    TMouseButton Button;
    bool UpLeftZooms;
  } cases[] = {{116, mbLeft, false}, {117, mbLeft, false}, {83, mbLeft, false},
               {84, mbLeft, false},  {83, mbLeft, true},   {300, mbRight, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ReleaseX);
    Pane pane;
    pane.chart.Zoom().SetUpLeftZooms(c.UpLeftZooms);
    bool told = false;
    pane.chart.OnMouseUp = [&](TCustomChartPanel&, TMouseButton button, TShiftState, int, int) {
      told = pane.chart.ReleaseZooms(button);
    };
    pane.chart.MouseDown(mbLeft, ssLeft, 100, pane.MidY());
    pane.chart.MouseMove(ssLeft, c.ReleaseX, pane.MidY());
    pane.chart.MouseUp(c.Button, 0, c.ReleaseX, pane.MidY());
    EXPECT_EQ(told, pane.zooms == 1);
    if (c.Button != mbLeft) {
      EXPECT_FALSE(told);
    }
  }
  Pane clicked;
  EXPECT_FALSE(clicked.chart.ReleaseZooms(mbLeft)) << "no drag";
}

TEST(ChartZoom, ReleaseOfAnotherButtonLeavesTheZoomDragGoing) {
  Pane pane;
  pane.chart.SetAllowPanning(pmBoth);
  pane.chart.MouseDown(mbLeft, ssLeft, 100, pane.MidY());
  pane.chart.MouseMove(ssLeft, 300, pane.MidY());
  pane.chart.MouseUp(mbRight, ssLeft, 300, pane.MidY());
  EXPECT_TRUE(pane.chart.Zoom().DragActive);
  EXPECT_FALSE(pane.chart.Panning().DragActive);
  EXPECT_EQ(pane.zooms, 0);
  pane.chart.MouseUp(mbLeft, 0, 300, pane.MidY());
  EXPECT_EQ(pane.zooms, 1);
}

TEST(ChartZoom, UpLeftZoomsGivesTheRangeOfTheSameDragToTheRight) {
  Pane right;
  right.Drag(mbLeft, 100, right.MidY(), 300, right.MidY());
  Pane left;
  left.chart.Zoom().SetUpLeftZooms(true);
  left.Drag(mbLeft, 300, left.MidY(), 100, left.MidY());
  EXPECT_EQ(left.zooms, 1);
  EXPECT_EQ(left.undos, 0);
  EXPECT_EQ(StateOf(left.chart.BottomAxis()), StateOf(right.chart.BottomAxis()));
}

TEST(ChartZoom, BothDirectionsNeedBothSizesAndTheHorizontalOneDecides) {
  struct Case {
    int dx;
    int dy;
    int zooms;
    int undos;
  };
  for (const Case& c :
       {Case{100, 40, 1, 0}, Case{-100, 40, 0, 1}, Case{100, -40, 1, 0}, Case{100, 10, 0, 0}, Case{-100, 10, 0, 0}}) {
    SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
    Pane pane;
    pane.chart.Zoom().SetDirection(zdBoth);
    const int y0 = c.dy > 0 ? pane.chart.PlotRect.Top + 10 : pane.chart.PlotRect.Bottom - 10;
    pane.Drag(mbLeft, 300, y0, 300 + c.dx, y0 + c.dy);
    EXPECT_EQ(pane.zooms, c.zooms);
    EXPECT_EQ(pane.undos, c.undos);
  }
}

TEST(ChartZoom, OneUndoAfterTwoZoomsBringsBackTheScalesOfBeforeTheFirst) {
  Pane pane;
  const AxisState bottom = StateOf(pane.chart.BottomAxis());
  const AxisState right = StateOf(pane.chart.RightAxis());
  pane.Drag(mbLeft, 100, pane.MidY(), 600, pane.MidY());
  pane.chart.Refresh();
  pane.Drag(mbLeft, 200, pane.MidY(), 400, pane.MidY());
  ASSERT_EQ(pane.zooms, 2);
  pane.Drag(mbLeft, 400, pane.MidY(), 100, pane.MidY());
  EXPECT_EQ(StateOf(pane.chart.BottomAxis()), bottom);
  EXPECT_EQ(StateOf(pane.chart.RightAxis()), right);
  EXPECT_TRUE(pane.chart.RightAxis().AutomaticMinimum());
  EXPECT_FALSE(pane.chart.HasScaleSnapshot);
  EXPECT_FALSE(pane.chart.IsZoomed);
}

TEST(ChartZoom, EndZoomLeavesNothingForAnUndoToBringBack) {
  Pane pane;
  pane.chart.MouseWheel(true, 0, 300, 40);
  pane.Drag(mbLeft, 100, pane.MidY(), 400, pane.MidY());
  ASSERT_TRUE(pane.chart.HasScaleSnapshot);
  pane.chart.EndZoom();
  EXPECT_FALSE(pane.chart.HasScaleSnapshot);
  EXPECT_FALSE(pane.chart.IsZoomed);
  for (TChartAxis& axis : pane.chart.Axes()) {
    EXPECT_TRUE(axis.Automatic());
  }
  pane.series.ClearPoints();
  pane.series.AppendValue(750, "", clBlue);
  pane.series.AppendValue(3782, "", clBlue);
  pane.chart.UndoZoom();
  pane.chart.Refresh();
  EXPECT_EQ(StateOf(pane.chart.RightAxis()), (AxisState{true, 750, 3782}));
}

TEST(ChartZoom, UndoWithoutSnapshotLeavesScalesButStillNotifiesAndRepaints) {
  Pane pane;
  pane.chart.BottomAxis().SetAxisRange(10, 20);
  pane.chart.Refresh();
  const long requests = pane.chart.RepaintRequestCount();
  pane.chart.UndoZoom();
  EXPECT_EQ(StateOf(pane.chart.BottomAxis()), (AxisState{false, 10, 20}));
  EXPECT_EQ(pane.undos, 1);
  EXPECT_GT(pane.chart.RepaintRequestCount(), requests);
  EXPECT_TRUE(pane.chart.PictureStale());
}

TEST(ChartZoom, AnimationRepaintsOnceForEveryStepButTheLast) {
  struct Case {
    int steps;
    long paints;
  };
  for (const Case& c : {Case{8, 7}, Case{2, 1}, Case{1, 0}, Case{0, 0}}) {
    SCOPED_TRACE(c.steps);
    Pane pane;
    pane.chart.Zoom().SetAnimated(true);
    pane.chart.Zoom().SetAnimatedSteps(c.steps);
    const long before = pane.chart.PaintCount();
    pane.chart.ZoomToRectangle({100, 0, 300, 129});
    EXPECT_EQ(pane.chart.PaintCount() - before, c.paints);
    EXPECT_EQ(pane.zooms, 1);
  }
}

TEST(ChartZoom, EveryAnimationFrameClosesAThirdOfTheRemainingDistance) {
  Pane pane;
  pane.chart.Zoom().SetAnimated(true);
  const TChartAxis& axis = pane.chart.BottomAxis();
  const double target = axis.PixelToValue(100);
  std::vector<double> minima{axis.Minimum()};
  pane.chart.OnAfterDraw = [&](TCustomChartPanel&) { minima.push_back(axis.Minimum()); };
  pane.chart.ZoomToRectangle({100, 0, 300, 129});
  ASSERT_EQ(minima.size(), 8u);
  for (std::size_t i = 1; i < minima.size(); ++i) {
    EXPECT_NEAR(target - minima[i], (target - minima[i - 1]) * 2 / 3, 1e-9) << i;
  }
  EXPECT_EQ(axis.Minimum(), target);
}

TEST(ChartZoom, ZoomToRectangleConvertsWithTheChartsOwnAxes) {
  Pane wide;
  Pane narrow(400, 129);
  ASSERT_NE(wide.chart.PlotRect, narrow.chart.PlotRect);
  const TRect rect{50, 0, 150, 129};
  wide.chart.ZoomToRectangle(rect);
  narrow.chart.ZoomToRectangle(rect);
  EXPECT_NE(wide.chart.BottomAxis().Minimum(), narrow.chart.BottomAxis().Minimum());
  EXPECT_NE(wide.chart.BottomAxis().Maximum(), narrow.chart.BottomAxis().Maximum());
}

// The same pixels zoom to the same ranges whether dragged or given.
TEST(ChartZoom, MouseZoomEqualsZoomToRectangle) {
  Pane dragged;
  Pane given;
  dragged.Drag(mbLeft, 120, dragged.MidY(), 400, 70);
  const TZoomPanning& band = dragged.chart.Zoom();
  given.chart.ZoomToRectangle({band.StartX, band.StartY, band.EndX, band.EndY});
  EXPECT_EQ(band.StartY, dragged.chart.PlotRect.Top);
  EXPECT_EQ(band.EndY, dragged.chart.PlotRect.Bottom);
  for (int i = 0; i < TChartAxes::Count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(StateOf(dragged.chart.Axes()[i]), StateOf(given.chart.Axes()[i]));
  }
}

TEST(ChartZoom, PressStartsADragOnlyOverAPartOfTheChart) {
  struct Case {
    const char* part;
    int x;
    int y;
    bool seriesActive;
    bool drags;
  };
  Pane probe;
  const TRect plot = probe.chart.PlotRect;
  const Case cases[] = {
      {"plot corner", plot.Left, plot.Top, true, true},
      {"plot far corner", plot.Right, plot.Bottom, true, true},
      {"plot without an active series", 100, plot.Top + 10, false, false},
      {"below the plot", 100, plot.Bottom + 1, true, false},
      {"right axis, between line and labels", plot.Right + 5, plot.Top + 10, true, true},
      {"right of the plot, above the axis", plot.Right + 5, plot.Top - 1, true, false},
      {"title box", 364, 126, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.part);
    Pane pane;
    pane.chart.Foot().Box = {300, 124, 400, 128};
    pane.series.SetActive(c.seriesActive);
    pane.chart.MouseDown(mbLeft, ssLeft, c.x, c.y);
    EXPECT_EQ(pane.chart.Zoom().DragActive, c.drags);
  }
}

TEST(ChartZoom, HandlerThatStopsProcessingKeepsThePressFromStartingADrag) {
  Pane pane;
  pane.chart.OnMouseDown = [&](TCustomChartPanel&, TMouseButton, TShiftState, int, int) {
    pane.chart.StopMouseProcessing = true;
  };
  pane.chart.MouseDown(mbLeft, ssLeft, 100, pane.MidY());
  EXPECT_FALSE(pane.chart.Zoom().DragActive);
  EXPECT_FALSE(pane.chart.StopMouseProcessing);
}

TEST(ChartZoom, MouseUpHandlerSeesTheLastMoveWhileTheDragIsActive) {
  Pane pane;
  int seenEndX = 0;
  bool seenActive = false;
  pane.chart.OnMouseUp = [&](TCustomChartPanel&, TMouseButton, TShiftState, int, int) {
    seenEndX = pane.chart.Zoom().EndX;
    seenActive = pane.chart.Zoom().DragActive;
  };
  pane.chart.MouseDown(mbLeft, ssLeft, 100, pane.MidY());
  pane.chart.MouseMove(ssLeft, 250, pane.MidY());
  pane.chart.MouseUp(mbLeft, 0, 260, pane.MidY());
  EXPECT_EQ(seenEndX, 250);
  EXPECT_TRUE(seenActive);
  EXPECT_EQ(pane.chart.Zoom().EndX, 260);
}

class ChartPan : public testing::Test {
protected:
  ChartPan() { pane.chart.SetAllowPanning(pmBoth); }
  void Press(int x, int y) { pane.chart.MouseDown(mbRight, ssRight, x, y); }
  void Move(int x, int y) { pane.chart.MouseMove(ssRight, x, y); }

  Pane pane;
  TChartAxis& bottom = pane.chart.BottomAxis();
  TChartAxis& right = pane.chart.RightAxis();
};

TEST_F(ChartPan, TenPixelsRightAndBackReturnsToTheFirstRange) {
  const double onePixel = bottom.PixelToValue(301) - bottom.PixelToValue(300);
  const double minimum = bottom.Minimum();
  const double maximum = bottom.Maximum();
  Press(300, pane.MidY());
  Move(310, pane.MidY());
  // The content follows the pointer: the axis shows lower values.
  EXPECT_NEAR(bottom.Minimum(), minimum - 10 * onePixel, 1e-9);
  pane.chart.Refresh();
  Move(300, pane.MidY());
  EXPECT_NEAR(bottom.Minimum(), minimum, 1e-9);
  EXPECT_NEAR(bottom.Maximum(), maximum, 1e-9);
  EXPECT_EQ(pane.scrolls, 2);
  EXPECT_TRUE(pane.chart.HasScaleSnapshot);
  EXPECT_FALSE(pane.chart.IsZoomed);
}

TEST_F(ChartPan, LeavingThePlotRectangleEndsThePanForGood) {
  Press(300, pane.MidY());
  Move(pane.chart.PlotRect.Right + 1, pane.MidY());
  EXPECT_FALSE(pane.chart.Panning().DragActive);
  const AxisState stopped = StateOf(bottom);
  Move(250, pane.MidY());
  EXPECT_EQ(StateOf(bottom), stopped);
  EXPECT_EQ(pane.scrolls, 0);
}

TEST_F(ChartPan, HorizontalPanningIgnoresVerticalMovement) {
  pane.chart.SetAllowPanning(pmHorizontal);
  const AxisState before = StateOf(right);
  Press(300, 40);
  Move(300, 60);
  EXPECT_EQ(StateOf(right), before);
  EXPECT_EQ(pane.scrolls, 0);
  Move(320, 80);
  EXPECT_EQ(StateOf(right), before);
  EXPECT_EQ(pane.scrolls, 1);
}

TEST_F(ChartPan, RefusedAxisStaysWhileTheOthersPan) {
  pane.chart.OnAllowScroll = [&](TChartAxis& axis, double&, double&, bool& allow) { allow = &axis != &right; };
  const AxisState rightBefore = StateOf(right);
  const AxisState bottomBefore = StateOf(bottom);
  Press(300, 40);
  Move(320, 60);
  EXPECT_EQ(StateOf(right), rightBefore);
  EXPECT_NE(StateOf(bottom), bottomBefore);
  EXPECT_EQ(pane.scrolls, 1);
}

TEST(ChartWheel, ScrollsTheVerticalAxesByThreePercent) {
  struct Case {
    bool up;
    TShiftState shift;
    double moved;
  };
  // With Ctrl the wheel is left to the handler: nothing scrolls.
  for (const Case& c : {Case{true, 0, -0.27}, Case{false, 0, 0.27}, Case{true, ssCtrl, 0}, Case{false, ssCtrl, 0},
                        Case{true, ssShift, -0.27}}) {
    SCOPED_TRACE(std::to_string(c.up) + " " + std::to_string(c.shift));
    Pane pane;
    bool told = false;
    pane.chart.OnMouseWheel = [&told](TCustomChartPanel&, bool, TShiftState, int, int) { told = true; };
    // The right axis spans 0 to 9: 3% is 0.27.
    pane.chart.RightAxis().SetAxisRange(0, 9);
    const AxisState bottom = StateOf(pane.chart.BottomAxis());
    pane.chart.MouseWheel(c.up, c.shift, 300, 40);
    EXPECT_TRUE(told);
    EXPECT_NEAR(pane.chart.RightAxis().Minimum(), c.moved, 1e-12);
    EXPECT_NEAR(pane.chart.RightAxis().Maximum(), 9 + c.moved, 1e-12);
    EXPECT_EQ(StateOf(pane.chart.BottomAxis()), bottom);
    EXPECT_EQ(pane.scrolls, 0);
  }
}

TEST(ChartZoomBand, DrawnTwiceLeavesTheKeptPictureAsItWas) {
  Pane pane;
  pane.chart.Zoom().Brush().SetStyle(bsSolid);
  pane.chart.Zoom().StartAt(100, 20);
  pane.chart.Zoom().EndX = 300;
  pane.chart.Zoom().EndY = 90;
  const TPicture before = PictureOf(pane.chart.Screen());
  const long paints = pane.chart.PaintCount();
  pane.chart.DrawZoomFrame();
  // The kept picture holds the band: showing it again keeps the band.
  pane.chart.Repaint();
  EXPECT_NE(PictureOf(pane.chart.Screen()), before);
  pane.chart.DrawZoomFrame();
  pane.chart.Repaint();
  EXPECT_TRUE(SamePicture(PictureOf(pane.chart.Screen()), before));
  EXPECT_EQ(pane.chart.PaintCount(), paints);
}

// Dragged to the left, as an undo is: that band is shown too.
TEST(ChartZoomBand, AWholeRepaintDuringADragKeepsTheBandAndItsErase) {
  Pane pane;
  const TPicture clean = PictureOf(pane.chart.Screen());
  pane.chart.MouseDown(mbLeft, ssLeft, 300, pane.MidY());
  pane.chart.MouseMove(ssLeft, 100, pane.MidY());
  const TPicture banded = PictureOf(pane.chart.Screen());
  EXPECT_NE(banded, clean);
  pane.chart.Refresh();
  EXPECT_TRUE(SamePicture(PictureOf(pane.chart.Screen()), banded, "banded"));
  pane.chart.MouseUp(mbLeft, 0, 290, pane.MidY());
  EXPECT_TRUE(SamePicture(PictureOf(pane.chart.Screen()), clean, "clean"));
}

}  // namespace

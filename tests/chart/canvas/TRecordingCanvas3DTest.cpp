#include "chart/canvas/TRecordingCanvas3D.h"

#include <gtest/gtest.h>

#include "chart/canvas/TChartFont.h"
#include "chart/canvas/TChartPen.h"
#include "gui/TRasterCanvas.h"

namespace {

using Lines = std::vector<std::string>;

TEST(RecordingCanvas, WritesCallsWithTheStateTheyUseWhenItChanged) {
  TRecordingCanvas3D canvas;
  TRasterCanvas window;
  canvas.ResetState();
  EXPECT_EQ(canvas.BeginDrawing(window, {10, 20, 110, 70}, 100), (TRect{0, 0, 100, 50}));
  TChartPen pen;
  canvas.ApplyChartPen(pen, clBlue);
  canvas.LineSegment(1, 2, 3, 4);
  canvas.ApplyChartPen(pen, clBlue);
  canvas.HorizontalLine(5, 9, 7);
  TRect frame{0, 0, 4, 4};
  canvas.BevelFrame(frame, clRed, clBlue, 1);
  canvas.ClipCube({10, 20, 110, 81}, 0, 0);
  TChartFont font;
  font.SetName(FakeFontName);
  font.Shadow().SetHorizSize(2);
  canvas.ApplyFont(font);
  canvas.TextOut(4, 5, "ab");
  canvas.UnClip();
  canvas.FinishDrawing(window, window, {10, 20});
  EXPECT_EQ(canvas.Calls, (Lines{
                              "BeginDrawing 10 20 110 70",
                              "Pen 0xFF0000 1 psSolid pmCopy",
                              "LineSegment 1 2 3 4",
                              "LineSegment 5 7 9 7",
                              "Pen 0xFF 1 psSolid pmCopy",
                              "Polyline 0,3 0,0 3,0",
                              "Pen 0xFF0000 1 psSolid pmCopy",
                              "Polyline 3,0 3,3 -1,3",
                              "ClipRectangle 11 21 110 80",
                              "Font Fixed Test 6x13 8 0xC0C0C0 align 0",
                              "TextOut 6 5 \"ab\"",
                              "Font Fixed Test 6x13 8 0x0 align 0",
                              "TextOut 4 5 \"ab\"",
                              "UnClip",
                              "FinishDrawing 10 20",
                          }));
  EXPECT_EQ(canvas.MeasureTextWidth("abc"), 18 + 2);
}

}  // namespace

// The window at sizes beyond its start size: where the controls go, what
// the panes keep through a resize, full screen, the size to remember, and
// the light desktop's colours under a dark one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <string>
#include <vector>

#include "app/measure/CursorReadout.h"
#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "gui/Keyboard.h"
#include "tests/SampleLogs.h"
#include "tests/app/TempFolder.h"
#include "tests/support/SamePicture.h"

namespace {

class WindowSize : public testing::Test {
protected:
  WindowSize() : form(folder.Folder()) {}

  std::vector<const Control*> ControlsInTabOrder() const {
    return {&form.Chart1, &form.ButtonColor1, &form.Button1, &form.Button2,   &form.Button3,  &form.Button4,
            &form.Chart2, &form.Chart3,       &form.Chart4,  &form.CheckBox1, &form.CheckBox2};
  }

  void LoadSamples() {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      form.Document().Load(pane, SampleLogPath(kSampleLogNames[pane]));
    }
    RepaintPanes();
  }

  void RepaintPanes() {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      form.PaneChart(pane).Repaint();
    }
  }

  void Drag(TChart& chart, TMouseButton button, int x0, int x1) {
    const int y = chart.PlotCenterY;
    chart.MouseDown(button, ShiftOfButton(button), x0, y);
    chart.MouseMove(ShiftOfButton(button), x1, y);
    chart.MouseUp(button, 0, x1, y);
  }

  struct Range {
    double Minimum;
    double Maximum;
    friend bool operator==(const Range&, const Range&) = default;
  };
  std::vector<Range> HorizontalRanges() {
    std::vector<Range> ranges;
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      const TChartAxis& axis = form.PaneChart(pane).BottomAxis();
      ranges.push_back({axis.Minimum(), axis.Maximum()});
    }
    return ranges;
  }

  // The window resized to that client size, and its controls' bounds in tab
  // order.
  void ExpectBoundsAtSize(int width, int height, const std::vector<TRect>& expected) {
    form.SetClientSize(width, height);
    ASSERT_EQ(form.Width(), width);
    ASSERT_EQ(form.Height(), height);
    const std::vector<const Control*> controls = ControlsInTabOrder();
    for (std::size_t i = 0; i < controls.size(); ++i) {
      EXPECT_EQ(controls[i]->BoundsRect(), expected[i]) << width << "x" << height << " control " << i;
    }
  }

  TempFolder folder;
  DialogScript script;
  TForm1 form;
};

// Worked out by hand from the described places: the panes widen by the
// extra width and each takes a quarter of the extra height (the last one the
// remainder), the controls below them move down by all of it.
TEST_F(WindowSize, ControlsFollowTheEdgesTheyBelongTo) {
  using Bounds = std::vector<TRect>;  // in tab order
  const Bounds atStart = {{58, 8, 786, 137},   {680, 552, 788, 577}, {8, 8, 50, 33},      {8, 144, 50, 169},
                          {8, 280, 50, 305},   {8, 416, 50, 441},    {56, 144, 784, 273}, {56, 279, 784, 408},
                          {56, 416, 784, 545}, {8, 560, 185, 577},   {216, 560, 289, 577}};
  // One pixel wider and taller: the last pane takes the extra row.
  const Bounds onePixelMore = {{58, 8, 787, 137},   {681, 553, 789, 578}, {8, 8, 50, 33},      {8, 144, 50, 169},
                               {8, 280, 50, 305},   {8, 416, 50, 441},    {56, 144, 785, 273}, {56, 279, 785, 408},
                               {56, 416, 785, 546}, {8, 561, 185, 578},   {216, 561, 289, 578}};
  // 207 wider, 119 taller: 29 rows for each pane, 32 for the last.
  const Bounds odd = {{58, 8, 993, 166},   {887, 671, 995, 696}, {8, 8, 50, 33},      {8, 173, 50, 198},
                      {8, 338, 50, 363},   {8, 503, 50, 528},    {56, 173, 991, 331}, {56, 337, 991, 495},
                      {56, 503, 991, 664}, {8, 679, 185, 696},   {216, 679, 289, 696}};
  // A maximised window on a 1920 x 1080 screen: 124 rows for each pane.
  const Bounds maximised = {{58, 8, 1912, 261},   {1806, 1048, 1914, 1073}, {8, 8, 50, 33},
                            {8, 268, 50, 293},    {8, 528, 50, 553},        {8, 788, 50, 813},
                            {56, 268, 1910, 521}, {56, 527, 1910, 780},     {56, 788, 1910, 1041},
                            {8, 1056, 185, 1073}, {216, 1056, 289, 1073}};
  const struct {
    int Width;
    int Height;
    const Bounds& Expected;
  } cases[] = {
      {794, 584, atStart}, {795, 585, onePixelMore}, {1001, 703, odd}, {1920, 1080, maximised}, {794, 584, atStart},
  };
  for (const auto& c : cases) {
    ExpectBoundsAtSize(c.Width, c.Height, c.Expected);
  }
}

// On a screen smaller than the start size the window may be smaller too:
// the panes give up the missing pixels alike (a quarter of the rows each),
// the controls below them keep their distance to the bottom edge.
TEST_F(WindowSize, OnASmallScreenThePanesGiveUpTheMissingPixels) {
  using Bounds = std::vector<TRect>;  // in tab order
  // 84 rows fewer: 21 from each pane.
  const Bounds lower = {{58, 8, 786, 116},   {680, 468, 788, 493}, {8, 8, 50, 33},      {8, 123, 50, 148},
                        {8, 238, 50, 263},   {8, 353, 50, 378},    {56, 123, 784, 231}, {56, 237, 784, 345},
                        {56, 353, 784, 461}, {8, 476, 185, 493},   {216, 476, 289, 493}};
  // 94 columns and 104 rows fewer: 26 rows from each pane.
  const Bounds smaller = {{58, 8, 692, 111},   {586, 448, 694, 473}, {8, 8, 50, 33},      {8, 118, 50, 143},
                          {8, 228, 50, 253},   {8, 338, 50, 363},    {56, 118, 690, 221}, {56, 227, 690, 330},
                          {56, 338, 690, 441}, {8, 456, 185, 473},   {216, 456, 289, 473}};
  const struct {
    int Width;
    int Height;
    const Bounds& Expected;
  } cases[] = {{794, 500, lower}, {700, 480, smaller}};
  form.SetMinimumClientSize(640, 480);
  for (const auto& c : cases) {
    ExpectBoundsAtSize(c.Width, c.Height, c.Expected);
  }
}

TEST_F(WindowSize, IsHeldToTheStartSize) {
  const struct {
    int Width;
    int Height;
    int ExpectedWidth;
    int ExpectedHeight;
  } cases[] = {{793, 584, 794, 584}, {794, 583, 794, 584}, {100, 1000, 794, 1000}, {0, 0, 794, 584}};
  for (const auto& c : cases) {
    form.SetClientSize(c.Width, c.Height);
    EXPECT_EQ(form.Width(), c.ExpectedWidth) << c.Width << "x" << c.Height;
    EXPECT_EQ(form.Height(), c.ExpectedHeight) << c.Width << "x" << c.Height;
  }
}

TEST_F(WindowSize, ZoomedAndPannedPanesKeepTheirRangesThroughAResize) {
  LoadSamples();
  Drag(form.Chart2, mbLeft, 100, 400);
  const std::vector<Range> zoomed = HorizontalRanges();
  form.SetClientSize(1400, 900);
  RepaintPanes();
  EXPECT_EQ(HorizontalRanges(), zoomed);
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    EXPECT_TRUE(form.PaneChart(pane).IsZoomed) << int(pane);
    EXPECT_GT(form.PaneChart(pane).PlotRect.Right, 1000) << "the plot fills the wider pane " << int(pane);
  }

  Drag(form.Chart2, mbLeft, 400, 100);
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    EXPECT_TRUE(form.PaneChart(pane).BottomAxis().Automatic()) << "undone, pane " << int(pane);
  }

  form.CheckBox1.PerformClick();
  RepaintPanes();
  Drag(form.Chart3, mbRight, 600, 500);
  const std::vector<Range> panned = HorizontalRanges();
  ASSERT_FALSE(form.Chart3.BottomAxis().Automatic());
  form.SetClientSize(1000, 700);
  RepaintPanes();
  EXPECT_EQ(HorizontalRanges(), panned);
}

// Pixel columns beyond the start size's panes zoom all panes alike and
// carry the readout.
TEST_F(WindowSize, SyncAndReadoutUseTheNewSize) {
  form.SetClientSize(1600, 800);
  LoadSamples();
  Drag(form.Chart1, mbLeft, 900, 1500);
  RepaintPanes();
  const std::vector<Range> ranges = HorizontalRanges();
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    EXPECT_TRUE(form.PaneChart(pane).IsZoomed) << int(pane);
  }
  EXPECT_GT(ranges[1].Minimum, 0.5 * ranges[1].Maximum) << "the right part of the log is shown";

  const int column = 1200;
  form.Chart4.MouseMove(0, column, form.Chart4.PlotCenterY);
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    TChart& chart = form.PaneChart(pane);
    EXPECT_EQ(chart.Shown().GetPixel(column, chart.PlotRect.Bottom - 2), kReadoutLineColor) << int(pane);
  }
}

TEST_F(WindowSize, F11SwitchesFullScreenOnAndOff) {
  form.FormKeyDown(VK_F11, 0);
  EXPECT_TRUE(form.FullScreen());
  form.FormKeyDown(VK_F11, ssShift);
  EXPECT_TRUE(form.FullScreen()) << "only F11 alone";
  form.FormKeyDown(VK_F11, 0);
  EXPECT_FALSE(form.FullScreen());
}

TEST_F(WindowSize, PlacementIsTheNormalSizeAndTheMaximisedState) {
  form.Show();
  int changes = 0;
  form.OnPlacementChange = [&] { ++changes; };
  form.SetClientSize(900, 650);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(form.Placement(), (TWindowPlacement{900, 650, false}));

  const struct {
    TWindowPlacement Applied;
    TWindowPlacement Expected;
  } cases[] = {
      {{1000, 700, false}, {1000, 700, false}},
      {{300, 200, false}, {794, 584, false}},
      {{810, 600, true}, {810, 600, true}},
      {{800, 590, false}, {800, 590, false}},
  };
  for (const auto& c : cases) {
    form.ApplyPlacement(c.Applied);
    EXPECT_EQ(form.Placement(), c.Expected) << c.Applied.ClientWidth << "x" << c.Applied.ClientHeight;
  }
}

// The window paints the light desktop's colours whatever palette the
// desktop sets.
TEST_F(WindowSize, DarkDesktopPaletteLeavesThePictureUnchanged) {
  LoadSamples();
  const std::string before = folder.Folder() + "before.png";
  const std::string after = folder.Folder() + "after.png";
  ASSERT_TRUE(form.SaveClientAreaPng(before));
  const QPalette desktop = QApplication::palette();
  QApplication::setPalette(QPalette(QColor(0x30, 0x30, 0x30), QColor(0x20, 0x20, 0x20)));
  RepaintPanes();
  const bool saved = form.SaveClientAreaPng(after);
  QApplication::setPalette(desktop);
  ASSERT_TRUE(saved);
  TRasterCanvas expected;
  TRasterCanvas shown;
  ASSERT_TRUE(expected.LoadPng(before));
  ASSERT_TRUE(shown.LoadPng(after));
  EXPECT_TRUE(SamePicture(PictureOf(shown), PictureOf(expected), "dark-desktop"));
}

// A window made under another style with a dark palette, as on a desktop
// whose style is dark, shows the picture of one made under the window's
// own style: the same colours and the same caption widths.
TEST_F(WindowSize, AnotherStyleWithADarkPaletteLeavesThePictureUnchanged) {
  LoadSamples();
  const std::string expected = folder.Folder() + "expected.png";
  const std::string shown = folder.Folder() + "shown.png";
  ASSERT_TRUE(form.SaveClientAreaPng(expected));
  const QString desktopStyle = QApplication::style()->name();
  const QPalette desktopPalette = QApplication::palette();
  ASSERT_NE(QApplication::setStyle("Windows"), nullptr);
  QApplication::setPalette(QPalette(QColor(0x30, 0x30, 0x30), QColor(0x20, 0x20, 0x20)));
  bool saved = false;
  {
    TForm1 dark(folder.Folder());
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      dark.Document().Load(pane, SampleLogPath(kSampleLogNames[pane]));
      dark.PaneChart(pane).Repaint();
    }
    saved = dark.SaveClientAreaPng(shown);
  }
  QApplication::setStyle(desktopStyle);
  QApplication::setPalette(desktopPalette);
  ASSERT_TRUE(saved);
  TRasterCanvas expectedPicture;
  TRasterCanvas shownPicture;
  ASSERT_TRUE(expectedPicture.LoadPng(expected));
  ASSERT_TRUE(shownPicture.LoadPng(shown));
  EXPECT_TRUE(SamePicture(PictureOf(shownPicture), PictureOf(expectedPicture), "dark-style"));
}

}  // namespace

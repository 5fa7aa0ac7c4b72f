#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TRecordingCanvas3D.h"
#include "chart/model/TChartModel.h"
#include "chart/series/TLineSeries.h"
#include "gui/TRasterCanvas.h"
#include "runtime/Exception.h"
#include "tests/runtime/LocaleScope.h"
#include "tests/support/ThrowsWithMessage.h"

namespace {

using Texts = std::vector<std::string>;
using Pixels = std::vector<int>;

// A chart whose right axis runs over 110 pixels, from y 20 to 130, with
// 13-pixel labels of 6 pixels per character.
struct RightAxisPane {
  TChartModel Chart;
  TLineSeries Series;
  TRecordingCanvas3D Canvas;
  TRect Plot{1, 20, 700, 130};
  LocaleScope Locale{'.', ','};

  RightAxisPane() {
    Series.SetVertAxis(aRightAxis);
    Chart.SeriesList().Add(Series);
  }
  TChartAxis& Axis() { return Chart.RightAxis(); }

  void Load(std::initializer_list<double> values) {
    for (double value : values) {
      Series.AppendValue(value, "", clBlue);
    }
  }

  // One layout and the axis drawn, as the chart does it.
  void Draw() { Draw(Axis()); }
  void Draw(TChartAxis& drawn) {
    Chart.Axes().LayOut(TAxisLayoutContext{Plot});
    TRect rect = Plot;
    drawn.ReserveRoom(Canvas, rect, true);
    const TAxisLayoutContext context{rect};
    drawn.PlaceAlongPlot(context);
    drawn.ApplySeriesMargins(context);
    Canvas.Calls.clear();
    drawn.DrawAxis(Canvas, context);
    Plot = rect;
  }

  std::vector<std::string> CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> calls;
    for (const std::string& call : Canvas.Calls) {
      if (call.rfind(prefix, 0) == 0) {
        calls.push_back(call);
      }
    }
    return calls;
  }

  Texts LabelTexts() const {
    Texts texts;
    for (const std::string& call : CallsStartingWith("TextOut")) {
      texts.push_back(call.substr(call.find('"')));
    }
    return texts;
  }

  // The rows of the horizontal lines that start at x.
  Pixels RowsOfLinesFrom(int x) const {
    Pixels rows;
    const std::string prefix = "LineSegment " + std::to_string(x) + " ";
    for (const std::string& call : CallsStartingWith(prefix)) {
      int x0 = 0;
      int y0 = 0;
      std::sscanf(call.c_str(), "LineSegment %d %d", &x0, &y0);
      rows.push_back(y0);
    }
    return rows;
  }
};

Texts Quoted(std::initializer_list<const char*> texts) {
  Texts quoted;
  for (const char* text : texts) {
    quoted.push_back('"' + std::string(text) + '"');
  }
  return quoted;
}

TEST(AxisDrawing, RoomAndAnchorsOfTheRightAxis) {
  RightAxisPane pane;
  pane.Load({0, 5});
  pane.Draw();
  // Widest label "5" or "0" plus a blank: 12 pixels; then line and ticks: 7.
  EXPECT_EQ(pane.Axis().AxisLineRoom(), 7);
  EXPECT_EQ(pane.Axis().LabelsEdge, 688);
  EXPECT_EQ(pane.Plot.Right, 681);
  EXPECT_EQ(pane.Axis().LinePos, 681);
}

TEST(AxisDrawing, RoomFitsTheWidestLabelDrawn) {
  const struct {
    std::vector<double> Values;
    int LabelsEdge;  // 700 less the widest label drawn and a blank
  } cases[] = {
      {{0, 5}, 688},            // "5" and "0", the rounded ends, are the widest
      {{1, 3}, 676},            // "2.5" between "3" and "1"
      {{-1, 1}, 670},           // "-0.5"
      {{1, 2}, 676},            // "1.8" between "2" and "1"
      {{13.875, 13.875}, 658},  // the one label is the value, not its rounded 13
      {{1000, 1500}, 664},      // "1,500"
      {{-3.5, -0.5}, 670},      // "-3.5" is a rounded end and the widest
  };
  for (const auto& c : cases) {
    RightAxisPane pane;
    for (double value : c.Values) {
      pane.Load({value});
    }
    pane.Draw();
    EXPECT_EQ(pane.Axis().LabelsEdge, c.LabelsEdge) << c.Values.front() << ".." << c.Values.back();
  }
}

TEST(AxisDrawing, LabelOnTheLastPixelOfANegativeRangeIsDrawn) {
  // Over 99, 89 and 109 pixels the bottom of -3 .. -0.1 comes out a rounding
  // error above -3.
  for (const int bottom : {119, 109, 129, 130}) {
    RightAxisPane pane;
    pane.Plot.Bottom = bottom;
    pane.Load({-3, -0.1});
    pane.Draw();
    ASSERT_FALSE(pane.Axis().DrawnLabels.empty());
    EXPECT_EQ(pane.Axis().DrawnLabels.back().Text, "-3") << "bottom " << bottom;
    EXPECT_EQ(pane.Axis().DrawnLabels.back().Pixel, pane.Axis().Scale().LastPixel) << "bottom " << bottom;
  }
}

TEST(AxisDrawing, NoLabelBeyondTheSpan) {
  const double ranges[][2] = {{922337203685477, 922337203685477.5}, {-922337203685477.5, -922337203685477}};
  for (const auto& range : ranges) {
    RightAxisPane pane;
    pane.Load({range[0], range[1]});
    pane.Draw();
    const TAxisScale& scale = pane.Axis().Scale();
    EXPECT_LE(pane.Axis().DrawnLabels.size(), 5u);
    for (const TChartAxis::TDrawnLabel& label : pane.Axis().DrawnLabels) {
      EXPECT_GE(label.Pixel, scale.FirstPixel) << label.Text;
      EXPECT_LE(label.Pixel, scale.LastPixel) << label.Text;
    }
  }
}

TEST(AxisDrawing, OnlyAPositiveLineRoomMovesThePlotEdge) {
  const struct {
    bool AxisVisible;
    int TickLength;
    int PlotRight;
  } cases[] = {{true, 4, 681}, {true, -4, 688}, {false, 0, 688}, {false, -5, 688}, {false, 1, 687}};
  for (const auto& c : cases) {
    RightAxisPane pane;
    pane.Load({0, 5});
    pane.Axis().Axis.SetVisible(c.AxisVisible);
    pane.Axis().SetTickLength(c.TickLength);
    pane.Axis().MinorTicks.SetVisible(false);
    pane.Draw();
    EXPECT_EQ(pane.Plot.Right, c.PlotRight) << c.AxisVisible << " " << c.TickLength;
  }
}

TEST(AxisDrawing, ZeroToFiveWithStepOne) {
  RightAxisPane pane;
  pane.Load({0, 5});
  pane.Draw();
  EXPECT_EQ(pane.LabelTexts(), Quoted({"5", "4", "3", "2", "1", "0"}));
  EXPECT_EQ(pane.CallsStartingWith("TextOut 688 "),
            (std::vector<std::string>{"TextOut 688 14 \"5\"", "TextOut 688 36 \"4\"", "TextOut 688 58 \"3\"",
                                      "TextOut 688 80 \"2\"", "TextOut 688 102 \"1\"", "TextOut 688 124 \"0\""}));
  EXPECT_EQ(pane.Axis().TickPixels, (Pixels{20, 42, 64, 86, 108, 130}));
  EXPECT_EQ(pane.RowsOfLinesFrom(682),
            (Pixels{20, 42, 64, 86, 108, 130, 36, 31, 26, 58, 53, 48, 80, 75, 70, 102, 97, 92, 124, 119, 114}));
  EXPECT_EQ(pane.RowsOfLinesFrom(2), (Pixels{42, 64, 86, 108}));  // grid, not on the edges
  EXPECT_EQ(pane.CallsStartingWith("LineSegment 681 "), (std::vector<std::string>{"LineSegment 681 20 681 130"}));
}

TEST(AxisDrawing, LabelsOfOtherRanges) {
  const struct {
    std::vector<double> Values;
    double Increment;
    Texts Labels;
  } cases[] = {
      {{0.3, 4.7}, 0, Quoted({"4", "3", "2", "1"})},
      {{-3.5, -0.5}, 0, Quoted({"-0.5", "-1", "-1.5", "-2", "-2.5", "-3", "-3.5"})},
      {{-3.5, -0.5}, 1, Quoted({"-1", "-2", "-3"})},  // the first candidate 0 lies above
      {{1000, 1500}, 0, Quoted({"1,500", "1,400", "1,300", "1,200", "1,100", "1,000"})},
      {{3, 3}, 0, Quoted({"3"})},
      {{}, 0, Quoted({"0"})},
  };
  for (const auto& c : cases) {
    RightAxisPane pane;
    for (double value : c.Values) {
      pane.Load({value});
    }
    pane.Axis().SetIncrement(c.Increment);
    pane.Draw();
    EXPECT_EQ(pane.LabelTexts(), c.Labels) << c.Labels.front();
  }
}

TEST(AxisDrawing, FlatRangeHasOneLabelAtTheMiddle) {
  RightAxisPane pane;
  pane.Load({3, 3, 3});
  pane.Draw();
  EXPECT_EQ(pane.Axis().TickPixels, (Pixels{75}));
  EXPECT_EQ(pane.RowsOfLinesFrom(2), (Pixels{75}));
  EXPECT_EQ(pane.CallsStartingWith("TextOut"), (std::vector<std::string>{"TextOut 688 69 \"3\""}));
}

TEST(AxisDrawing, NoSeparationKeepsTheStartStep) {
  RightAxisPane pane;
  pane.Load({0, 5});
  pane.Axis().SetLabelsSeparation(0);
  pane.Draw();
  EXPECT_EQ(pane.LabelTexts(),
            Quoted({"5", "4.444", "3.889", "3.333", "2.778", "2.222", "1.667", "1.111", "0.556", "0"}));
}

TEST(AxisDrawing, TooShortForOneLabelDrawsOnlyTheLine) {
  RightAxisPane pane;
  pane.Plot = {1, 20, 700, 25};
  pane.Load({0, 5});
  pane.Draw();
  EXPECT_TRUE(pane.LabelTexts().empty());
  EXPECT_TRUE(pane.Axis().TickPixels.empty());
  EXPECT_EQ(pane.CallsStartingWith("LineSegment").size(), 1u);  // the axis line
}

TEST(AxisDrawing, TicksAndGridWithoutLabels) {
  const struct {
    bool TickOnLabelsOnly;
    std::size_t Ticks;
  } cases[] = {{true, 0}, {false, 6}};
  for (const auto& c : cases) {
    RightAxisPane pane;
    pane.Load({0, 5});
    pane.Axis().SetLabels(false);
    pane.Axis().SetTickOnLabelsOnly(c.TickOnLabelsOnly);
    pane.Draw();
    EXPECT_TRUE(pane.LabelTexts().empty());
    EXPECT_EQ(pane.Axis().TickPixels.size(), c.Ticks);
    EXPECT_EQ(pane.RowsOfLinesFrom(2).size(), c.Ticks == 0 ? 0u : 4u);
  }
}

TEST(AxisDrawing, LabelThatCannotBeFormattedHasNoText) {
  RightAxisPane pane;
  pane.Load({0, 5});
  pane.Axis().SetAxisValuesFormat(std::string(225, '#'));  // one over the formatter's limit
  EXPECT_NO_THROW(pane.Draw());
  ASSERT_FALSE(pane.Axis().DrawnLabels.empty());
  for (const TChartAxis::TDrawnLabel& label : pane.Axis().DrawnLabels) {
    EXPECT_EQ(label.Text, "");
  }
}

TEST(AxisDrawing, DateTimeScaleHoldsAfterThePaint) {
  RightAxisPane pane;
  pane.Series.YValues().SetDateTime(true);
  pane.Load({-1, 5});
  pane.Draw();
  EXPECT_TRUE(pane.Axis().DateTimeScale);
  EXPECT_EQ(pane.Axis().DrawnLabels.back().Text, "");  // a negative value is no date
  EXPECT_TRUE(ThrowsWithMessage<AxisException>([&] { pane.Axis().SetLogarithmic(true); },
                                               "DateTime Axis cannot be Logarithmic"));
  EXPECT_FALSE(pane.Axis().Logarithmic());
}

TEST(AxisDrawing, TitleAtAngleZeroIsPlacedLikeALabel) {
  const struct {
    TChartAxis& (TChartModel::*Axis)();
    int Align;
    const char* Call;
  } cases[] = {
      {&TChartModel::RightAxis, TextAlignLeft | TextAlignTop, "TextOut 694 69 \"T\""},      // starts at its anchor
      {&TChartModel::LeftAxis, TextAlignRight | TextAlignTop, "TextOut 7 69 \"T\""},        // ends at its anchor
      {&TChartModel::BottomAxis, TextAlignCenter | TextAlignTop, "TextOut 350 117 \"T\""},  // top at its anchor
      {&TChartModel::TopAxis, TextAlignCenter | TextAlignBottom, "TextOut 350 33 \"T\""},   // bottom at its anchor
  };
  for (const auto& c : cases) {
    RightAxisPane pane;
    pane.Load({0, 5});
    TChartAxis& axis = (pane.Chart.*c.Axis)();
    axis.Title.SetCaption("T");
    axis.Title.SetAngle(0);
    pane.Draw(axis);
    const auto call = std::find(pane.Canvas.Calls.begin(), pane.Canvas.Calls.end(), c.Call);
    ASSERT_NE(call, pane.Canvas.Calls.end()) << c.Call;
    const auto font = std::find_if(std::make_reverse_iterator(call), pane.Canvas.Calls.rend(),
                                   [](const std::string& line) { return line.rfind("Font ", 0) == 0; });
    ASSERT_NE(font, pane.Canvas.Calls.rend());
    EXPECT_NE(font->find(" align " + std::to_string(c.Align)), std::string::npos) << *font;
  }
}

TEST(AxisDrawing, LabelTextEventReplacesTextsAndTheRoomFitsThem) {
  RightAxisPane pane;
  pane.Load({0, 5});
  pane.Chart.OnGetAxisLabel = [](const TChartAxis&, double value, std::string& text) {
    if (value == 2) {
      text = "two!";
    }
  };
  pane.Draw();
  EXPECT_EQ(pane.LabelTexts(), Quoted({"5", "4", "3", "two!", "1", "0"}));
  EXPECT_EQ(pane.Axis().LabelsEdge, 670);
}

TEST(AxisDrawing, NextLabelEventSuppliesTheValuesWithinTheWidenedRange) {
  RightAxisPane pane;
  pane.Load({0, 5});
  const std::vector<double> supplied{0.5, 2.5, 6, 5 + 5e-8, -2e-7, 1e-7};
  std::vector<double> given;
  pane.Chart.OnGetNextAxisLabel = [&](const TChartAxis&, int index, double& value) {
    given.push_back(value);
    if (index == static_cast<int>(supplied.size())) {
      return false;
    }
    value = supplied[static_cast<std::size_t>(index)];
    return true;
  };
  pane.Draw();
  EXPECT_EQ(pane.LabelTexts(), Quoted({"0.5", "2.5", "5", "0"}));
  EXPECT_EQ(given.front(), 0);
  EXPECT_EQ(given.back(), 1e-7);
}

TEST(AxisDrawing, NextLabelEventEndsAfterTwoThousandLabels) {
  RightAxisPane pane;
  pane.Load({0, 5});
  int calls = 0;
  pane.Chart.OnGetNextAxisLabel = [&](const TChartAxis&, int, double& value) {
    ++calls;
    value = 99;
    return true;
  };
  pane.Axis().SetLabelsSize(10);  // only the drawing asks the event
  pane.Draw();
  EXPECT_EQ(calls, 2000);
  EXPECT_TRUE(pane.LabelTexts().empty());
}

TEST(AxisDrawing, DrawLabelEventMovesChangesOrSuppressesALabel) {
  RightAxisPane pane;
  pane.Load({0, 5});
  pane.Axis().OnDrawLabel = [](const TChartAxis&, int& x, int&, std::string& text, bool& draw) {
    if (text == "4") {
      x += 10;
    }
    if (text == "2") {
      text = "II";
    }
    draw = text != "3";
  };
  pane.Draw();
  EXPECT_EQ(pane.CallsStartingWith("TextOut"),
            (std::vector<std::string>{"TextOut 688 14 \"5\"", "TextOut 698 36 \"4\"", "TextOut 688 80 \"II\"",
                                      "TextOut 688 102 \"1\"", "TextOut 688 124 \"0\""}));
  EXPECT_EQ(pane.Axis().TickPixels.size(), 6u);  // a suppressed label keeps its tick
  EXPECT_EQ(pane.Axis().DrawnLabels.size(), 5u);
}

TEST(AxisDrawing, SeparationMustNotBeNegative) {
  TChartModel chart;
  EXPECT_TRUE(ThrowsWithMessage<AxisException>([&] { chart.RightAxis().SetLabelsSeparation(-1); },
                                               "Labels Separation % must be greater than 0"));
  EXPECT_EQ(chart.RightAxis().LabelsSeparation(), 10);
}

TEST(AxisDrawing, HitAreaReachesFromTheLabelsToThreePixelsBeyondTheLine) {
  RightAxisPane pane;
  pane.Load({0, 5});
  pane.Draw();
  const struct {
    int X;
    int Y;
    bool Hit;
  } cases[] = {{678, 70, true}, {677, 70, false}, {688, 70, true},  {689, 70, false},
               {681, 20, true}, {681, 19, false}, {681, 130, true}, {681, 131, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(pane.Axis().HitTest(c.X, c.Y), c.Hit) << c.X << "," << c.Y;
  }
}

}  // namespace

#include "gui/Geometry.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr TRect kBox{10, 20, 30, 40};

TEST(TRect, ContainmentLeavesOutOrTakesInTheRightAndBottomEdges) {
  const struct {
    TPoint Point;
    bool Exclusive = false;
    bool Inclusive = false;
  } cases[] = {
      {{10, 20}, true, true},   {{29, 39}, true, true},   {{30, 25}, false, true},
      {{15, 40}, false, true},  {{30, 40}, false, true},  {{9, 25}, false, false},
      {{15, 19}, false, false}, {{31, 25}, false, false}, {{15, 41}, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(kBox.Contains(c.Point), c.Exclusive) << c.Point;
    EXPECT_EQ(kBox.ContainsInclusive(c.Point), c.Inclusive) << c.Point;
  }
}

TEST(TRect, EmptyWhenNoPixelIsInside) {
  const struct {
    TRect Rect;
    bool Empty = false;
  } cases[] = {
      {{0, 0, 1, 1}, false}, {{0, 0, 0, 5}, true}, {{0, 0, 5, 0}, true}, {{5, 0, 0, 5}, true}, {{0, 5, 5, 0}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.Rect.IsEmpty(), c.Empty) << c.Rect;
  }
}

TEST(TRect, NormalizedPutsTheCornersInOrder) {
  const TRect cases[] = {{10, 20, 30, 40}, {30, 20, 10, 40}, {10, 40, 30, 20}, {30, 40, 10, 20}};
  for (const TRect& rect : cases) {
    EXPECT_EQ(rect.Normalized(), kBox) << rect;
  }
}

TEST(TRect, IntersectionIsTheOverlapOrAnEmptyRectangleAtTheNearestCorner) {
  const struct {
    TRect Other;
    TRect Expected;
  } cases[] = {
      {{0, 0, 100, 100}, kBox},
      {{15, 25, 100, 35}, {15, 25, 30, 35}},
      {{0, 0, 12, 22}, {10, 20, 12, 22}},
      {{40, 0, 50, 30}, {40, 20, 40, 30}},
      {{0, 50, 20, 60}, {10, 50, 20, 50}},
      {{50, 50, 60, 60}, {50, 50, 50, 50}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Intersection(kBox, c.Other), c.Expected) << c.Other;
    EXPECT_EQ(Intersection(c.Other, kBox), c.Expected) << c.Other;
  }
}

// The window's start size at 794 x 584 on screens of every kind: a scale
// of 2 on 1920 x 1080 leaves 960 x 540 (less a panel), a small screen less.
TEST(FittedSize, KeepsTheWantedSizeWhereItFitsAndTakesTheRoomWhereItDoesNot) {
  const struct {
    TSize Room;
    TSize Expected;
  } cases[] = {
      {{1920, 1080}, {794, 584}}, {{794, 584}, {794, 584}}, {{960, 540}, {794, 540}},
      {{960, 510}, {794, 510}},   {{800, 500}, {794, 500}}, {{640, 480}, {640, 480}},
      {{700, 1000}, {700, 584}},  {{0, 0}, {794, 584}},     {{-5, 300}, {794, 300}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FittedSize({794, 584}, c.Room), c.Expected) << c.Room;
  }
}

TEST(CentredOn, CentresAWindowThatFitsAndKeepsTheTopLeftOfOneThatDoesNot) {
  const TRect panelAbove{0, 30, 960, 540};
  const struct {
    TSize Window;
    TRect Area;
    TPoint Expected;
  } cases[] = {
      {{794, 584}, {0, 0, 1920, 1080}, {563, 248}}, {{794, 584}, {1920, 0, 3840, 1080}, {2483, 248}},
      {{794, 510}, panelAbove, {83, 30}},           {{794, 584}, panelAbove, {83, 30}},
      {{1588, 1168}, panelAbove, {0, 30}},          {{800, 500}, {0, 0, 800, 500}, {0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CentredOn(c.Window, c.Area), c.Expected) << c.Window << " on " << c.Area;
  }
}

TEST(TRect, PrintsItsEdgesForTestFailures) {
  std::ostringstream out;
  out << TRect{1, -2, 3, 4} << " " << TPoint{5, 6};
  EXPECT_EQ(out.str(), "{1, -2, 3, 4} (5, 6)");
}

}  // namespace

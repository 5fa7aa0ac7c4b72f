#include <gtest/gtest.h>

#include <climits>

#include "gui/TRasterCanvas.h"
#include "tests/gui/RasterTestSupport.h"

namespace {

PixelSet DrawLine(TPoint from, TPoint to, const TPen& pen = {}, int size = 41) {
  TRasterCanvas canvas(size, size);
  canvas.SetPen(pen);
  canvas.MoveTo(from.X, from.Y);
  canvas.LineTo(to.X, to.Y);
  return PixelsNotOf(canvas);
}

// Mirrors the pixels of a line drawn from the centre into another octant.
PixelSet Mirrored(const PixelSet& pixels, int sx, int sy, bool swap) {
  PixelSet result;
  for (auto [x, y] : pixels) {
    int dx = (x - 20) * sx, dy = (y - 20) * sy;
    if (swap) {
      std::swap(dx, dy);
    }
    result.insert({20 + dx, 20 + dy});
  }
  return result;
}

TEST(LineRaster, ShallowLineStepsHalfwayAwayFromTheStartAndLeavesOutTheEnd) {
  EXPECT_EQ(DrawLine({20, 20}, {25, 22}), (PixelSet{{20, 20}, {21, 20}, {22, 21}, {23, 21}, {24, 22}}));
  EXPECT_EQ(DrawLine({20, 20}, {24, 22}), (PixelSet{{20, 20}, {21, 21}, {22, 21}, {23, 22}}));
}

TEST(LineRaster, AllEightOctantsAreMirrorImagesWithoutTheirEndPixel) {
  const PixelSet first = DrawLine({20, 20}, {33, 25});
  struct Octant {
    int sx, sy;
    bool swap;
  };
  const Octant octants[] = {{1, 1, false}, {-1, 1, false}, {1, -1, false}, {-1, -1, false},
                            {1, 1, true},  {-1, 1, true},  {1, -1, true},  {-1, -1, true}};
  for (const Octant& o : octants) {
    int dx = 13 * o.sx, dy = 5 * o.sy;
    if (o.swap) {
      std::swap(dx, dy);
    }
    const PixelSet drawn = DrawLine({20, 20}, {20 + dx, 20 + dy});
    SCOPED_TRACE(testing::Message() << "to (" << 20 + dx << ", " << 20 + dy << ")");
    EXPECT_EQ(drawn, Mirrored(first, o.sx, o.sy, o.swap));
    EXPECT_EQ(drawn.size(), 13u);
    EXPECT_TRUE(drawn.contains({20, 20}));
    EXPECT_FALSE(drawn.contains({20 + dx, 20 + dy}));
  }
}

TEST(LineRaster, AxisParallelAndDiagonalLines) {
  EXPECT_EQ(DrawLine({3, 5}, {7, 5}), RowPixels(5, {3, 4, 5, 6}));
  EXPECT_EQ(DrawLine({7, 5}, {3, 5}), RowPixels(5, {7, 6, 5, 4}));
  EXPECT_EQ(DrawLine({5, 3}, {5, 6}), (PixelSet{{5, 3}, {5, 4}, {5, 5}}));
  EXPECT_EQ(DrawLine({2, 2}, {5, 5}), (PixelSet{{2, 2}, {3, 3}, {4, 4}}));
  EXPECT_EQ(DrawLine({5, 2}, {2, 5}), (PixelSet{{5, 2}, {4, 3}, {3, 4}}));
  EXPECT_TRUE(DrawLine({5, 5}, {5, 5}).empty());
}

TEST(LineRaster, LinesFarOutsideTheRasterAreClippedExactly) {
  EXPECT_EQ(DrawLine({INT_MIN, 3}, {INT_MAX, 3}, {}, 8), RowPixels(3, {0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(DrawLine({-1000000000, -1000000000}, {1000000000, 1000000000}, {}, 4),
            (PixelSet{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
  EXPECT_TRUE(DrawLine({INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {}, 4).empty());
}

TEST(LineRaster, ClippedLineKeepsThePixelsOfTheUnclippedLine) {
  TRasterCanvas clipped(41, 41);
  clipped.SetClipRect(TRect{22, 0, 30, 41});
  clipped.MoveTo(20, 20);
  clipped.LineTo(33, 25);
  PixelSet expected;
  for (auto pixel : DrawLine({20, 20}, {33, 25})) {
    if (pixel.first >= 22 && pixel.first < 30) {
      expected.insert(pixel);
    }
  }
  EXPECT_EQ(PixelsNotOf(clipped), expected);
}

struct PatternCase {
  TPenStyle Style = psSolid;
  int UserDotPeriod = 0;
  std::initializer_list<int> Xs;
};

TEST(LineRaster, CosmeticPatternsInPixels) {
  const PatternCase cases[] = {
      {psDot, 0, {0, 1, 2, 6, 7, 8, 12, 13, 14}},
      {psAlternate, 0, {0, 2, 4, 6, 8, 10, 12, 14, 16}},
      {psUserStyle, 3, {0, 3, 6, 9, 12, 15}},
      {psDashDot, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 16, 17}},
      {psDashDotDot, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 12, 13, 14}},
      {psClear, 0, {}},
  };
  for (const PatternCase& c : cases) {
    SCOPED_TRACE(c.Style);
    TPen pen;
    pen.Style = c.Style;
    pen.UserDotPeriod = c.UserDotPeriod;
    EXPECT_EQ(DrawLine({0, 1}, {18, 1}, pen, 41), RowPixels(1, c.Xs));
  }
  TPen dash;
  dash.Style = psDash;
  EXPECT_EQ(DrawLine({0, 1}, {30, 1}, dash, 41).size(), 18u + 6u);
}

TEST(LineRaster, PatternContinuesAlongAPolyline) {
  TRasterCanvas canvas(20, 20);
  TPen pen;
  pen.Style = psDot;
  canvas.SetPen(pen);
  const TPoint corner[] = {{0, 0}, {4, 0}, {4, 10}};
  canvas.Polyline(corner);
  // 3 on, 3 off: x 0..2 on the first leg, then the second leg starts with
  // two pixels off and three on.
  EXPECT_EQ(PixelsNotOf(canvas), (PixelSet{{0, 0}, {1, 0}, {2, 0}, {4, 2}, {4, 3}, {4, 4}, {4, 8}, {4, 9}}));
}

TEST(LineRaster, LineToMovesThePenAndPolylineDoesNot) {
  TRasterCanvas canvas(10, 10);
  canvas.MoveTo(1, 1);
  canvas.LineTo(5, 1);
  EXPECT_EQ(canvas.PenPos(), (TPoint{5, 1}));
  const TPoint points[] = {{0, 5}, {3, 5}};
  canvas.Polyline(points);
  EXPECT_EQ(canvas.PenPos(), (TPoint{5, 1}));
}

}  // namespace

#include <gtest/gtest.h>

#include "chart/canvas/TChartFont.h"
#include "chart/canvas/TChartPen.h"

namespace {

struct Counter {
  int Count = 0;
  std::function<void()> Hook() {
    return [this] { ++Count; };
  }
};

TEST(ChartPen, SettersTellTheOwnerOnlyOnARealChange) {
  TChartPen pen;
  Counter changes;
  pen.OnChange = changes.Hook();
  const std::function<void()> sameValue[] = {
      [&] { pen.SetColor(clBlack); }, [&] { pen.SetWidth(1); },          [&] { pen.SetStyle(psSolid); },
      [&] { pen.SetMode(pmCopy); },   [&] { pen.SetVisible(true); },     [&] { pen.SetSmallDots(false); },
      [&] { pen.SetSmallSpace(0); },  [&] { pen.SetEndStyle(esRound); },
  };
  for (const auto& set : sameValue) {
    set();
  }
  EXPECT_EQ(changes.Count, 0);
  const std::function<void()> newValue[] = {
      [&] { pen.SetColor(clRed); },   [&] { pen.SetWidth(2); },         [&] { pen.SetStyle(psDash); },
      [&] { pen.SetMode(pmNotXor); }, [&] { pen.SetVisible(false); },   [&] { pen.SetSmallDots(true); },
      [&] { pen.SetSmallSpace(3); },  [&] { pen.SetEndStyle(esFlat); },
  };
  for (const auto& set : newValue) {
    set();
  }
  EXPECT_EQ(changes.Count, 8);
}

TEST(ChartPen, VariantsStartWithTheirOwnDefaults) {
  EXPECT_FALSE(TChartHiddenPen().Visible());
  EXPECT_EQ(TDottedGrayPen().Color(), clGray);
  EXPECT_EQ(TDottedGrayPen().Style(), psDot);
  EXPECT_EQ(TDarkGrayPen().Color(), clGray);
  EXPECT_EQ(TDarkGrayPen().Style(), psSolid);
  EXPECT_EQ(TWhitePen().Color(), clWhite);
  EXPECT_EQ(TChartPen().Settings(), TChartPenSettings{});
}

TEST(ChartPen, CopyTakesTheSettingsButNotTheOwner) {
  TChartPen original;
  Counter originalChanges;
  original.OnChange = originalChanges.Hook();
  original.SetWidth(3);
  TChartPen copy(original);
  copy.SetColor(clRed);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(originalChanges.Count, 1);

  Counter copyChanges;
  copy.OnChange = copyChanges.Hook();
  copy = TDottedGrayPen();
  EXPECT_EQ(copyChanges.Count, 1);
  EXPECT_EQ(copy.Style(), psDot);
  copy = TDottedGrayPen();
  EXPECT_EQ(copyChanges.Count, 1);
}

TEST(ChartFont, ChangesOfItsPartsReachTheOwnerOfTheFontOnly) {
  TChartFont font;
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Shadow().Color(), clSilver);
  EXPECT_FALSE(font.OutLine().Visible());
  Counter changes;
  font.OnChange = changes.Hook();
  font.Shadow().SetHorizSize(2);
  font.OutLine().SetVisible(true);
  font.SetSize(8);
  font.SetSize(10);
  EXPECT_EQ(changes.Count, 3);

  TChartFont copy(font);
  Counter copyChanges;
  copy.OnChange = copyChanges.Hook();
  copy.Shadow().SetVertSize(4);
  EXPECT_EQ(copyChanges.Count, 1);
  EXPECT_EQ(changes.Count, 3);
  EXPECT_EQ(copy.Shadow().HorizSize(), 2);
  EXPECT_EQ(copy.Size(), 10);
}

}  // namespace

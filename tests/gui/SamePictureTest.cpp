#include "tests/support/SamePicture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

namespace {

using testing::HasSubstr;

// The file a failure message names after `what`.
std::string PathAfter(const std::string& message, const std::string& what) {
  std::smatch match;
  return std::regex_search(message, match, std::regex(what + " (\\S+\\.png)")) ? match[1].str() : "";
}

TEST(SamePicture, EqualPicturesPass) {
  TRasterCanvas raster(4, 3);
  raster.SetPixel(1, 1, clRed);
  EXPECT_TRUE(SamePicture(PictureOf(raster), PictureOf(raster)));
}

TEST(SamePicture, NamesTheFirstDifferingPixelAndLeavesTheActualPictureAndTheDifference) {
  TRasterCanvas expected(4, 3);
  TRasterCanvas actual(4, 3);
  actual.SetPixel(3, 1, clRed);
  actual.SetPixel(0, 2, clBlue);
  const testing::AssertionResult result = SamePicture(PictureOf(actual), PictureOf(expected), "two pixels");
  ASSERT_FALSE(result);
  const std::string message = result.message();
  EXPECT_THAT(message, HasSubstr("differs first at pixel (3, 1): expected 0xFFFFFF, actual 0xFF;"));

  const std::string actualPath = PathAfter(message, "actual picture");
  const std::string differencePath = PathAfter(message, "difference image");
  TRasterCanvas written;
  ASSERT_TRUE(written.LoadPng(actualPath)) << message;
  EXPECT_EQ(PictureOf(written), PictureOf(actual));
  ASSERT_TRUE(written.LoadPng(differencePath)) << message;
  TRasterCanvas difference(4, 3);
  difference.SetPixel(3, 1, clRed);
  difference.SetPixel(0, 2, clRed);
  EXPECT_EQ(PictureOf(written), PictureOf(difference));
  std::filesystem::remove(actualPath);
  std::filesystem::remove(differencePath);
}

TEST(SamePicture, PicturesOfAnotherSizeDiffer) {
  const testing::AssertionResult result = SamePicture(PictureOf(TRasterCanvas(4, 3)), PictureOf(TRasterCanvas(3, 4)));
  ASSERT_FALSE(result);
  EXPECT_THAT(result.message(), HasSubstr("picture is 4x3, expected 3x4"));
  std::filesystem::remove(PathAfter(result.message(), "actual picture"));
}

}  // namespace

#pragma once

// Whole pictures compared pixel for pixel. A failure names the first
// differing pixel and leaves the actual picture and a difference image in the
// test output folder, so that a change can be looked at.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <ios>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "gui/TRasterCanvas.h"

// The pixels of a raster row by row, kept after the raster changes.
struct TPicture {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;

  TColor At(int x, int y) const {
    return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) + static_cast<std::size_t>(x)];
  }
  friend bool operator==(const TPicture&, const TPicture&) = default;
  // A failing EXPECT_NE would otherwise print every pixel.
  friend void PrintTo(const TPicture& picture, std::ostream* out) {
    *out << picture.Width << "x" << picture.Height << " picture";
  }
};

inline TPicture PictureOf(const TRasterCanvas& raster) {
  TPicture picture{raster.Width(), raster.Height(), {}};
  picture.Pixels.reserve(static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height));
  for (int y = 0; y < picture.Height; ++y) {
    for (int x = 0; x < picture.Width; ++x) {
      picture.Pixels.push_back(raster.GetPixel(x, y));
    }
  }
  return picture;
}

namespace picture_detail {

inline std::string ColorText(TColor color) {
  std::ostringstream out;
  out << "0x" << std::uppercase << std::hex << color;
  return out.str();
}

// <output folder>/<suite>.<test>-<label>-<kind>.png, with the characters a
// file name should not hold replaced.
inline std::string OutputPath(const std::string& label, const std::string& kind) {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name() + "-" + label + "-" + kind;
  for (char& c : name) {
    const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
    if (!plain) {
      c = '_';
    }
  }
  const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "logviewer-pictures";
  std::filesystem::create_directories(folder);
  return (folder / (name + ".png")).string();
}

inline std::string Saved(const TPicture& picture, const std::string& path) {
  TRasterCanvas raster(picture.Width, picture.Height);
  for (int y = 0; y < picture.Height; ++y) {
    for (int x = 0; x < picture.Width; ++x) {
      raster.SetPixel(x, y, picture.At(x, y));
    }
  }
  return raster.SavePng(path) ? path : path + " (could not be written)";
}

// Red where the pictures differ, white where they agree.
inline TPicture Difference(const TPicture& actual, const TPicture& expected) {
  TPicture difference{actual.Width, actual.Height, {}};
  for (std::size_t i = 0; i < actual.Pixels.size(); ++i) {
    difference.Pixels.push_back(actual.Pixels[i] == expected.Pixels[i] ? clWhite : clRed);
  }
  return difference;
}

}  // namespace picture_detail

// Success when both pictures are equal; `label` tells the pictures of one
// test apart in the names of the files written on a failure.
inline testing::AssertionResult SamePicture(const TPicture& actual, const TPicture& expected,
                                            const std::string& label = "picture") {
  using namespace picture_detail;
  if (actual == expected) {
    return testing::AssertionSuccess();
  }
  testing::AssertionResult failure = testing::AssertionFailure();
  if (actual.Width != expected.Width || actual.Height != expected.Height) {
    failure << label << " is " << actual.Width << "x" << actual.Height << ", expected " << expected.Width << "x"
            << expected.Height << "; ";
  } else {
    for (std::size_t i = 0; i < actual.Pixels.size(); ++i) {
      if (actual.Pixels[i] != expected.Pixels[i]) {
        const auto width = static_cast<std::size_t>(actual.Width);
        const int x = static_cast<int>(i % width);
        const int y = static_cast<int>(i / width);
        failure << label << " differs first at pixel (" << x << ", " << y << "): expected "
                << ColorText(expected.Pixels[i]) << ", actual " << ColorText(actual.Pixels[i]) << "; difference image "
                << Saved(Difference(actual, expected), OutputPath(label, "difference")) << "; ";
        break;
      }
    }
  }
  return failure << "actual picture " << Saved(actual, OutputPath(label, "actual"));
}

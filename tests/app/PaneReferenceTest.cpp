#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TForm1.h"
#include "gui/TRasterCanvas.h"
#include "tests/SampleLogs.h"
#include "tests/app/TempFolder.h"

namespace {

// Pictures of the top pane made once with
//   build/tools/logview-snapshot [--log 0 samples/NAME.csv] --pane-png 0
//   tests/reference/pane-NAME.png
// and checked by eye; a change of any pixel is a change of what users see.
TEST(PaneReference, SampleLogsLookAsTheyDid) {
  const char* const names[] = {"empty", "lambda", "engine-speed", "coolant-temperature", "battery-voltage"};
  for (const std::string name : names) {
    TempFolder folder;
    TForm1 form(folder.Folder());
    if (name != "empty") {
      form.LoadLog(0, SampleLogPath(name + ".csv"));
    }
    form.Chart1.Repaint();
    TRasterCanvas expected;
    ASSERT_TRUE(expected.LoadPng(LOGVIEWER_SOURCE_DIR "/tests/reference/pane-" + name + ".png"));
    const TRasterCanvas& actual = form.Chart1.Screen();
    ASSERT_EQ(actual.Width(), expected.Width());
    ASSERT_EQ(actual.Height(), expected.Height());
    int differing = 0;
    for (int y = 0; y < actual.Height(); ++y) {
      for (int x = 0; x < actual.Width(); ++x) {
        differing += actual.GetPixel(x, y) != expected.GetPixel(x, y);
      }
    }
    EXPECT_EQ(differing, 0) << name;
  }
}

// The top pane's picture with a log of the given header.
std::vector<TColor> PanePixels(const std::string& header) {
  TempFolder folder;
  TForm1 form(folder.Folder());
  form.LoadLog(0, folder.Write("log.csv", header + "\n0,1\n1,2\n"));
  form.Chart1.Repaint();
  const TRasterCanvas& screen = form.Chart1.Screen();
  std::vector<TColor> pixels;
  for (int y = 0; y < screen.Height(); ++y) {
    for (int x = 0; x < screen.Width(); ++x) pixels.push_back(screen.GetPixel(x, y));
  }
  return pixels;
}

// A title reads as its author wrote it, in UTF-8 or in the Windows code page
// (1252 here, the tests' language being none), not as the bytes' Latin-1
// misreading.
TEST(PaneReference, TitleLooksTheSameInUtf8AndTheWindowsCodePage) {
  const std::vector<TColor> utf8 = PanePixels(
      "h,Temperatur (\xC2\xB0"
      "C) \xE2\x80\x93 \xE2\x82\xAC");
  EXPECT_EQ(PanePixels("h,Temperatur (\xB0"
                       "C) \x96 \x80"),
            utf8);
  EXPECT_NE(PanePixels("h,Temperatur (\xC3\x82\xC2\xB0"
                       "C) \xE2\x80\x93 \xE2\x82\xAC"),
            utf8);
}

}  // namespace

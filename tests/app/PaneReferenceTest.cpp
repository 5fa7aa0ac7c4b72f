#include <gtest/gtest.h>

#include <string>

#include "app/TForm1.h"
#include "gui/TRasterCanvas.h"
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
      form.LoadLog(0, LOGVIEWER_SOURCE_DIR "/samples/" + name + ".csv");
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

}  // namespace

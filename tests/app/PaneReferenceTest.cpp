#include <gtest/gtest.h>

#include <string>

#include "app/window/TForm1.h"
#include "gui/TRasterCanvas.h"
#include "tests/SampleLogs.h"
#include "tests/app/TempFolder.h"
#include "tests/support/SamePicture.h"

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
      form.Document().Load(0, SampleLogPath(name + ".csv"));
    }
    form.Chart1.Repaint();
    TRasterCanvas expected;
    ASSERT_TRUE(expected.LoadPng(LOGVIEWER_SOURCE_DIR "/tests/reference/pane-" + name + ".png"));
    EXPECT_TRUE(SamePicture(PictureOf(form.Chart1.Screen()), PictureOf(expected), name));
  }
}

// The top pane's picture with a log of the given header.
TPicture PanePicture(const std::string& header) {
  TempFolder folder;
  TForm1 form(folder.Folder());
  form.Document().Load(0, folder.Write("log.csv", header + "\n0,1\n1,2\n"));
  form.Chart1.Repaint();
  return PictureOf(form.Chart1.Screen());
}

// A title reads as its author wrote it, in UTF-8 or in the Windows code page
// (1252 here, the tests' language being none), not as the bytes' Latin-1
// misreading.
TEST(PaneReference, TitleLooksTheSameInUtf8AndTheWindowsCodePage) {
  const TPicture utf8 = PanePicture(
      "h,Temperatur (\xC2\xB0"
      "C) \xE2\x80\x93 \xE2\x82\xAC");
  EXPECT_TRUE(SamePicture(PanePicture("h,Temperatur (\xB0"
                                      "C) \x96 \x80"),
                          utf8, "windows-code-page"));
  EXPECT_NE(PanePicture("h,Temperatur (\xC3\x82\xC2\xB0"
                        "C) \xE2\x80\x93 \xE2\x82\xAC"),
            utf8);
}

}  // namespace

#include <string>

#include <gtest/gtest.h>

#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "tests/app/TempFolder.h"

namespace {

struct ClicksCase {
  const char* name;
  std::string clicks;  // "1": CheckBox1, "2": CheckBox2, as the user clicks them
  TPanningMode panning;
  bool scrollBothEnabled;
  bool scrollBothChecked;
  bool axesReset;  // every pane back to automatic scaling
};

class PanningCheckBoxes : public testing::TestWithParam<ClicksCase> {
protected:
  PanningCheckBoxes() : form(folder.Folder()) {}

  void Click(char box) { (box == '1' ? form.CheckBox1 : form.CheckBox2).PerformClick(); }

  TempFolder folder;
  DialogScript script;
  TForm1 form;
};

// Every pane starts with a fixed right axis, as a zoom or pan leaves it.
TEST_P(PanningCheckBoxes, ClicksSetEveryPanesPanning) {
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    form.PaneChart(pane).RightAxis().SetAutomatic(false);
  }
  for (char box : GetParam().clicks) {
    Click(box);
  }
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    TChart& chart = form.PaneChart(pane);
    EXPECT_EQ(chart.AllowPanning(), GetParam().panning) << int(pane);
    EXPECT_EQ(chart.ScrollMouseButton(), mbRight) << int(pane);
    EXPECT_EQ(chart.RightAxis().Automatic(), GetParam().axesReset) << int(pane);
  }
  EXPECT_EQ(form.CheckBox2.Enabled(), GetParam().scrollBothEnabled);
  EXPECT_EQ(form.CheckBox2.Checked(), GetParam().scrollBothChecked);
  EXPECT_TRUE(script.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Sequences, PanningCheckBoxes,
                         testing::Values(ClicksCase{"AtStart", "", pmNone, false, false, false},
                                         ClicksCase{"ScrollOn", "1", pmHorizontal, true, false, false},
                                         ClicksCase{"ScrollOff", "11", pmNone, false, false, true},
                                         ClicksCase{"BothOn", "12", pmBoth, true, true, false},
                                         ClicksCase{"BothOff", "122", pmHorizontal, true, false, true},
                                         ClicksCase{"ScrollOffKeepsBothMark", "121", pmNone, false, true, true},
                                         ClicksCase{"ScrollOnAgainRestoresBoth", "1211", pmBoth, true, true, true},
                                         ClicksCase{"DisabledBothIgnoresClicks", "1212", pmNone, false, true, true},
                                         ClicksCase{"BothNeverOnByItself", "2", pmNone, false, false, false}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/ApplicationTitle.h"
#include "app/window/ReportException.h"
#include "app/window/TForm1.h"
#include "gui/Application.h"
#include "gui/DialogScript.h"
#include "runtime/Exception.h"
#include "tests/app/TempFolder.h"

namespace {

constexpr TColor kOrange = RGBColor(0xFF, 0x80, 0x00);

// A window whose dir.dat lives in a folder of its own, with its dialogs
// scripted.
class Form : public testing::Test {
protected:
  Form() : form(folder.Folder()) {}

  TempFolder folder;
  DialogScript script;
  TForm1 form;
};

TEST_F(Form, WindowHasItsFixedClientSizeAndCaption) {
  EXPECT_EQ(form.Caption(), "Kestrila Log viewer by Lumo");
  EXPECT_EQ(form.Width(), 794);
  EXPECT_EQ(form.Height(), 584);
}

// A control of the window, where it stands and whether the tab key visits it.
struct Placed {
  const char* name;
  const Control& control;
  TRect bounds;
  bool tabStop;
};

// Every control in tab order.
std::vector<Placed> Placement(const TForm1& form) {
  return {
      {"Chart1", form.Chart1, {58, 8, 786, 137}, false},
      {"ButtonColor1", form.ButtonColor1, {680, 552, 788, 577}, true},
      {"Button1", form.Button1, {8, 8, 50, 33}, true},
      {"Button2", form.Button2, {8, 144, 50, 169}, true},
      {"Button3", form.Button3, {8, 280, 50, 305}, true},
      {"Button4", form.Button4, {8, 416, 50, 441}, true},
      {"Chart2", form.Chart2, {56, 144, 784, 273}, false},
      {"Chart3", form.Chart3, {56, 279, 784, 408}, false},
      {"Chart4", form.Chart4, {56, 416, 784, 545}, false},
      {"CheckBox1", form.CheckBox1, {8, 560, 185, 577}, true},
      {"CheckBox2", form.CheckBox2, {216, 560, 289, 577}, true},
  };
}

TEST_F(Form, ControlsStandAtTheirPlaces) {
  for (const Placed& placed : Placement(form)) {
    EXPECT_EQ(placed.control.BoundsRect(), placed.bounds) << placed.name;
  }
}

// The charts take no keyboard focus; the tab key visits the rest in order.
TEST_F(Form, TabKeyVisitsTheButtonsThenTheCheckBoxes) {
  std::vector<Placed> order;
  std::ranges::copy_if(Placement(form), std::back_inserter(order), &Placed::tabStop);
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    EXPECT_TRUE(order[i].control.TabSuccessorIs(order[i + 1].control))
        << order[i + 1].name << " after " << order[i].name;
  }
}

TEST_F(Form, CaptionsAndStartingStates) {
  EXPECT_EQ(form.ButtonColor1.Caption(), "Color lines");
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    EXPECT_EQ(form.PaneLogButton(pane).Caption(), "Log");
    EXPECT_TRUE(form.PaneLogButton(pane).Enabled());
  }
  EXPECT_EQ(form.CheckBox1.Caption(), "Enable scroll (SINGLY-Horizontal)");
  EXPECT_EQ(form.CheckBox2.Caption(), "Scroll both");
  EXPECT_TRUE(form.CheckBox1.Enabled());
  EXPECT_FALSE(form.CheckBox1.Checked());
  EXPECT_FALSE(form.CheckBox2.Enabled());
  EXPECT_FALSE(form.CheckBox2.Checked());
  EXPECT_TRUE(form.ButtonColor1.Enabled());
  EXPECT_EQ(form.OpenDialog1.Filter, "Kestrila log|*.csv|All files|*");
}

TEST_F(Form, AllCurvesStartBlueAndTheColourButtonShowsTheTopOne) {
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    EXPECT_EQ(form.PaneSeries(pane).SeriesColor(), clBlue) << int(pane);
  }
  EXPECT_EQ(form.ButtonColor1.LinkedObject(), &form.Series1);
  form.Series1.SetSeriesColor(clRed);
  EXPECT_EQ(form.ButtonColor1.CurrentColor(), clRed);
}

TEST_F(Form, EachLogButtonLoadsTheChosenFileIntoItsPane) {
  const std::string file = folder.Write("rpm.csv", "hdr,RPM\nt,800\nt,900\n");
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    script.FileAnswers.push_back({{}, file});
    form.PaneLogButton(pane).PerformClick();
    EXPECT_EQ(form.PaneSeries(pane).PointCount(), 2) << int(pane);
    for (std::uint8_t other = pane + 1; other < TForm1::PaneCount; ++other) {
      EXPECT_EQ(form.PaneSeries(other).PointCount(), 0) << int(other);
    }
  }
  EXPECT_EQ(form.Document().LastOpened(), file);
  EXPECT_EQ(form.PaneChart(3).Title().Text(), std::vector<std::string>{"RPM"});
}

TEST_F(Form, CancelledLogDialogChangesNothing) {
  script.FileAnswers.push_back({{}, std::nullopt});
  form.Button2.PerformClick();
  EXPECT_EQ(form.Document().LastOpened(), "");
  EXPECT_TRUE(script.Messages.empty());
}

TEST_F(Form, BadSampleIsReportedAndTheWindowCarriesOn) {
  SetApplicationTitle(kApplicationTitle);
  const std::string file = folder.Write("bad.csv", "hdr,T\nt,1\nt,abc\n");
  script.FileAnswers.push_back({{}, file});
  form.Button1.PerformClick();
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(script.Messages[0].Caption, "Kestrila Log viewer by lumo");
  EXPECT_EQ(script.Messages[0].Text, "'abc' is not a valid floating point value.\nIn '" + file + "' at line 3");
  EXPECT_EQ(form.Series1.PointCount(), 1);
  script.FileAnswers.push_back({{}, folder.Write("good.csv", "hdr,T\nt,1\nt,2\n")});
  form.Button1.PerformClick();
  EXPECT_EQ(form.Series1.PointCount(), 2);
}

// A binary file's bytes are shown as "\xNN" in the message and the
// tooltip, not as boxes; its well-formed characters stay.
TEST_F(Form, ABinaryLineIsShownInPrintableText) {
  const std::string file = folder.Write("binary.csv", "hdr,T\n1\n\x01\xFF\xC2\xB0\x7F\n");
  form.OpenLogs(0, {file});
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(script.Messages[0].Text.substr(0, 23), "'\\x01\\xFF\xC2\xB0\\x7F' is not");
  EXPECT_NE(form.Button1.ToolTip().find("'\\x01\\xFF\xC2\xB0\\x7F'"), std::string::npos) << form.Button1.ToolTip();
}

struct ColorLinesCase {
  const char* name;
  std::optional<TColor> answer;  // none: Cancel
  TColor expectedTop;
  TColor expectedOthers;
};

class ColorLinesTable : public Form, public testing::WithParamInterface<ColorLinesCase> {};

// The lower panes start red, so that a colour passed on shows even when it
// is the top pane's blue.
TEST_P(ColorLinesTable, RecoloursAllCurvesOnlyOnAChange) {
  for (TLineSeries* series : {&form.LineSeries1, &form.LineSeries2, &form.LineSeries3}) {
    series->SetSeriesColor(clRed);
  }
  script.ColorAnswers.push_back({GetParam().answer, std::nullopt});
  form.ButtonColor1.PerformClick();
  EXPECT_EQ(form.Series1.SeriesColor(), GetParam().expectedTop);
  for (TLineSeries* series : {&form.LineSeries1, &form.LineSeries2, &form.LineSeries3}) {
    EXPECT_EQ(series->SeriesColor(), GetParam().expectedOthers);
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, ColorLinesTable,
                         testing::Values(ColorLinesCase{"Ok", kOrange, kOrange, kOrange},
                                         ColorLinesCase{"Cancel", std::nullopt, clBlue, clRed},
                                         ColorLinesCase{"SameColour", clBlue, clBlue, clRed}),
                         [](const auto& test) { return std::string(test.param.name); });

struct ReportCase {
  std::string message;
  std::string shown;
};

TEST(ErrorReportText, PeriodFollowsOnlyCharactersAfterIt) {
  const std::vector<ReportCase> table = {
      {"", ""},           {"Failed", "Failed."}, {"Value 7", "Value 7."}, {"Done.", "Done."},
      {"Stop!", "Stop!"}, {"'x'", "'x'"},        {"(a)", "(a)"},          {"trailing ", "trailing "},
      {"a/", "a/."},      {"a-", "a-"},          {"\xE9", "\xE9."},       {"x,", "x,"},
  };
  for (const ReportCase& c : table) {
    EXPECT_EQ(ErrorReportText(c.message), c.shown) << c.message;
  }
}

TEST(ReportException, ShowsAnyEscapingErrorWithTheTitle) {
  DialogScript script;
  SetApplicationTitle("Title");
  try {
    throw 42;
  } catch (...) {
    ReportException();
  }
  try {
    throw EAssertionFailed("Broken");
  } catch (...) {
    ReportException();
  }
  ASSERT_EQ(script.Messages.size(), 2u);
  EXPECT_EQ(script.Messages[0].Text, "");
  EXPECT_EQ(script.Messages[1].Text, "Broken.");
  EXPECT_EQ(script.Messages[1].Caption, "Title");
}

}  // namespace

// What the window offers around the described one: logs named on the
// command line or dropped on a pane, the keys, copying and saving the picture.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "gui/Keyboard.h"
#include "tests/SampleLogs.h"
#include "tests/app/FormTexts.h"
#include "tests/app/TempFolder.h"

namespace {

const std::vector<std::string> kSampleLogs = SampleLogPaths();
const std::string& kLambda = kSampleLogs[0];
const std::string& kSpeed = kSampleLogs[1];
const std::string& kCoolant = kSampleLogs[2];
const std::string& kBattery = kSampleLogs[3];

TEST(CommandLine, SeparatesOptionsFromLogs) {
  using Logs = std::vector<std::string>;
  const struct {
    std::vector<std::string> args;
    bool help;
    bool version;
    Logs logs;
    std::optional<std::string> unknown;
  } cases[] = {
      {{}, false, false, {}, std::nullopt},
      {{"a.csv", "b.csv"}, false, false, {"a.csv", "b.csv"}, std::nullopt},
      {{"--help"}, true, false, {}, std::nullopt},
      {{"-h", "a.csv"}, true, false, {"a.csv"}, std::nullopt},
      {{"--version"}, false, true, {}, std::nullopt},
      {{"--", "--help", "-x.csv"}, false, false, {"--help", "-x.csv"}, std::nullopt},
      {{"-", "\xff\xfe.csv"}, false, false, {"-", "\xff\xfe.csv"}, std::nullopt},
      {{"--colour", "a.csv", "-q"}, false, false, {"a.csv"}, "--colour"},
      // Qt's own options and their values are Qt's, in either spelling.
      {{"-style", "fusion", "a.csv"}, false, false, {"a.csv"}, std::nullopt},
      {{"--platform", "xcb", "-display", ":1", "a.csv"}, false, false, {"a.csv"}, std::nullopt},
      {{"-geometry", "800x600+0+0", "-reverse", "a.csv"}, false, false, {"a.csv"}, std::nullopt},
      {{"-style=fusion", "a.csv", "-stylesheet", "s.qss"}, false, false, {"a.csv"}, std::nullopt},
      {{"-qwindowtitle", "T", "-platformtheme", "gtk3", "--help"}, true, false, {}, std::nullopt},
      {{"--", "-style", "a.csv"}, false, false, {"-style", "a.csv"}, std::nullopt},
      {{"-styles", "a.csv"}, false, false, {"a.csv"}, "-styles"},
      {{"-style platform", "a.csv"}, false, false, {"a.csv"}, "-style platform"},
  };
  for (const auto& c : cases) {
    const TCommandLine line = ParseCommandLine(c.args);
    const std::string name = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(line.Help, c.help) << name;
    EXPECT_EQ(line.Version, c.version) << name;
    EXPECT_EQ(line.Logs, c.logs) << name;
    EXPECT_EQ(line.UnknownOption, c.unknown) << name;
  }
}

TEST(CommandLine, TheHelpNamesTheManualPageAndTheInstalledReadme) {
  const struct {
    const char* program;
    const char* readme;
  } cases[] = {
      {"/usr/bin/logviewer", "/usr/share/doc/logviewer/README.md.gz"},
      {"/home/u/.local/bin/logviewer", "/home/u/.local/share/doc/logviewer/README.md.gz"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadmePath(c.program), c.readme);
    const std::string help = UsageText(ReadmePath(c.program));
    EXPECT_NE(help.find("man logviewer"), std::string::npos);
    EXPECT_NE(help.find(std::string("README: ") + c.readme + "\n"), std::string::npos) << help;
  }
}

class Desktop : public testing::Test {
protected:
  Desktop() : form(folder.Folder()) {}

  Texts Titles() { return PaneTitles(form); }

  Texts MessageTexts() const { return ::MessageTexts(script); }

  TempFolder folder;
  DialogScript script;
  TForm1 form;
};

TEST_F(Desktop, CommandLineLogsFillThePanesFromTheTopAndABadOneIsReported) {
  const std::string missing = folder.Folder() + "missing.csv";
  const struct {
    const char* name;
    std::vector<std::string> logs;
    Texts titles;
    Texts messages;
  } cases[] = {
      {"four",
       {kLambda, kSpeed, kCoolant, kBattery},
       {"Lambda", "Engine speed (rpm)", "Coolant temperature (C)", "Battery voltage (V)"},
       {}},
      {"a missing one",
       {kLambda, missing, kCoolant},
       {"Lambda", "Parametr", "Coolant temperature (C)", "Parametr"},
       {"Cannot open '" + missing + "': " + std::strerror(ENOENT) + "."}},
      {"five",
       {kLambda, kSpeed, kCoolant, kBattery, kLambda},
       {"Lambda", "Engine speed (rpm)", "Coolant temperature (C)", "Battery voltage (V)"},
       {"No pane left for '" + kLambda + "'"}},
  };
  for (const auto& c : cases) {
    DialogScript fresh;
    TForm1 window(folder.Folder());
    window.OpenLogs(0, ParseCommandLine(c.logs).Logs);
    EXPECT_EQ(PaneTitles(window), c.titles) << c.name;
    EXPECT_EQ(::MessageTexts(fresh), c.messages) << c.name;
  }
}

TEST_F(Desktop, OneFileDroppedOnAPaneOrItsLogButtonLoadsIntoThatPane) {
  Control* targets[2][TForm1::PaneCount] = {{&form.Chart1, &form.Chart2, &form.Chart3, &form.Chart4},
                                            {&form.Button1, &form.Button2, &form.Button3, &form.Button4}};
  for (auto& row : targets) {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      form.OpenLogs(0, {kBattery, kBattery, kBattery, kBattery});
      row[pane]->DropFiles({kLambda});
      Texts expected(TForm1::PaneCount, "Battery voltage (V)");
      expected[pane] = "Lambda";
      EXPECT_EQ(Titles(), expected) << "pane " << int(pane);
      EXPECT_EQ(form.Document().LastOpened(), kLambda);
    }
  }
  EXPECT_TRUE(script.Messages.empty());
}

TEST_F(Desktop, SeveralFilesDroppedFillThatPaneAndTheOnesBelowInOrder) {
  form.Chart2.DropFiles({kSpeed, kCoolant});
  EXPECT_EQ(Titles(), (Texts{"Parametr", "Engine speed (rpm)", "Coolant temperature (C)", "Parametr"}));
  form.Button3.DropFiles({kBattery, kLambda, kSpeed});
  EXPECT_EQ(Titles(), (Texts{"Parametr", "Engine speed (rpm)", "Battery voltage (V)", "Lambda"}));
  EXPECT_EQ(MessageTexts(), (Texts{"No pane left for '" + kSpeed + "'"}));
}

TEST_F(Desktop, EscapeUndoesTheZoomOfEveryPane) {
  form.OpenLogs(0, {kLambda, kSpeed, kCoolant, kBattery});
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    form.PaneChart(pane).Repaint();
  }
  form.Chart2.ZoomToRectangle({100, 10, 300, 100});
  form.Coordinator().SyncZoom(1);
  form.OnKeyDown('C', 0);  // no Ctrl: nothing
  form.OnKeyDown(VK_ESCAPE, ssShift);
  EXPECT_TRUE(form.Chart1.IsZoomed) << "Escape with a held key does nothing";
  form.OnKeyDown(VK_ESCAPE, 0);
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    TChart& chart = form.PaneChart(pane);
    EXPECT_FALSE(chart.IsZoomed) << int(pane);
    EXPECT_FALSE(chart.HasScaleSnapshot) << int(pane);
    EXPECT_TRUE(chart.BottomAxis().Automatic() && chart.RightAxis().Automatic()) << int(pane);
  }
}

// The picture the snapshot tool writes: panes painted, then the client area.
QImage SnapshotPicture(TForm1& form, const TempFolder& folder) {
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    form.PaneChart(pane).Repaint();
  }
  const std::string file = folder.Folder() + "snapshot.png";
  EXPECT_TRUE(form.SaveClientAreaPng(file));
  return QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
}

// The window's part of a copied or saved picture, above its caption.
QImage WindowPart(const QImage& picture, const QImage& window) {
  EXPECT_EQ(picture.width(), window.width());
  EXPECT_GT(picture.height(), window.height()) << "a caption line below the window";
  return picture.copy(0, 0, window.width(), window.height());
}

TEST_F(Desktop, CtrlCCopiesTheSnapshotPictureWithoutTheReadout) {
  form.OpenLogs(0, {kLambda, kSpeed, kCoolant, kBattery});
  const QImage expected = SnapshotPicture(form, folder);
  form.Chart2.MouseMove(0, 300, 60);
  ASSERT_TRUE(form.Chart2.HasOverlay());
  form.OnKeyDown('C', ssCtrl);
  const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(WindowPart(copied, expected), expected);
  EXPECT_TRUE(form.Chart2.HasOverlay()) << "the screen keeps the readout";
}

TEST_F(Desktop, CtrlSSavesThePictureStartingInTheFolderOfTheLastLog) {
  form.OpenLogs(0, {kLambda, kSpeed, kCoolant, kBattery});
  const QImage expected = SnapshotPicture(form, folder);
  form.Chart3.MouseMove(0, 300, 60);
  const std::string saved = folder.Folder() + "picture.png";
  script.SaveAnswers = {std::nullopt, saved, folder.Folder() + "no-such-folder/picture.png"};
  form.OnKeyDown('S', ssCtrl);  // cancelled
  form.OnKeyDown('S', ssCtrl);
  EXPECT_EQ(WindowPart(QImage(QString::fromStdString(saved)).convertToFormat(QImage::Format_RGB32), expected),
            expected);
  form.OnKeyDown('S', ssCtrl);
  EXPECT_EQ(script.SaveDialogStartFolders, Texts(3, kSampleFolder));
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(script.Messages[0].Text.rfind("Cannot write '" + folder.Folder() + "no-such-folder/picture.png': ", 0), 0u)
      << script.Messages[0].Text;
}

// The hint is drawn over the empty panes on the screen, as the readout is;
// the copied picture and the panes' own pictures keep the described panes.
TEST_F(Desktop, AnEmptyPaneShowsAHintOnTheScreenOnly) {
  form.OpenLogs(0, {kLambda});
  const QImage shown = SnapshotPicture(form, folder);
  form.OnKeyDown('C', ssCtrl);
  const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(copied.width(), shown.width());
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    const TRect bounds = form.PaneChart(pane).BoundsRect();
    const QRect area(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    const std::string file = folder.Folder() + "pane.png";
    ASSERT_TRUE(form.PaneChart(pane).Screen().SavePng(file));
    const QImage kept = QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(copied.copy(area), kept) << "the copy holds the pane's own picture, pane " << int(pane);
    EXPECT_EQ(shown.copy(area) == kept, pane == 0) << "the screen shows the hint over empty panes, pane " << int(pane);
  }
}

TEST_F(Desktop, ThePaneMenuOpensALogAndOffersNoMeasuresOnAnEmptyPane) {
  form.OpenLogs(0, {kLambda});
  script.MenuAnswers = {"Show statistics of the view", "Copy figures", "Export stretch\u2026", "Open log\u2026"};
  script.FileAnswers.push_back({{}, kCoolant});
  for (int menu = 0; menu < 4; ++menu) {
    form.ShowPaneMenu(2, 100, 50);
  }
  ASSERT_EQ(script.MenusShown.size(), 4u);
  EXPECT_TRUE(script.SaveDialogOfferedNames.empty()) << "no export offered on the empty pane";
  EXPECT_EQ(script.MenusShown[0].at(0), "Open log\u2026");
  EXPECT_FALSE(form.Measures().PaneStatistics(0)) << "not offered on the empty pane";
  EXPECT_EQ(form.Document().PaneLog(2).FileName, kCoolant) << "opened into the pane of the menu";
  script.MenuAnswers = {"Show statistics of the view"};
  form.ShowPaneMenu(2, 100, 50);
  EXPECT_TRUE(form.Measures().PaneStatistics(0)) << "offered once the pane has a log";
}

}  // namespace

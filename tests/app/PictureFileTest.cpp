// Saving the window's picture: the format of the chosen suffix, the name
// offered from the panes' logs, and the bytes each format writes.
#include "app/window/PictureFile.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <string>
#include <vector>

#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "gui/Keyboard.h"
#include "tests/SampleLogs.h"
#include "tests/app/TempFolder.h"

namespace {

TEST(PictureFile, FormatFollowsTheSuffixAndPngIsAddedWithoutOne) {
  const struct {
    const char* chosen;
    const char* written;
    TPictureFormat format;
  } cases[] = {
      {"/p/x.png", "/p/x.png", TPictureFormat::Png},
      {"/p/x.jpg", "/p/x.jpg", TPictureFormat::Jpeg},
      {"/p/x.JPEG", "/p/x.JPEG", TPictureFormat::Jpeg},
      {"/p/x.Bmp", "/p/x.Bmp", TPictureFormat::Bmp},
      {"/p/x", "/p/x.png", TPictureFormat::Png},
      {"/p/x.gif", "/p/x.gif.png", TPictureFormat::Png},
      {"/p/report.v2", "/p/report.v2.png", TPictureFormat::Png},
      {"/p.jpg/x", "/p.jpg/x.png", TPictureFormat::Png},
      {"/p/.jpg", "/p/.jpg.png", TPictureFormat::Png},
      {"/p/xjpg", "/p/xjpg.png", TPictureFormat::Png},
  };
  for (const auto& c : cases) {
    const TPictureFile file = PictureFileFor(c.chosen);
    EXPECT_EQ(file.FileName, c.written) << c.chosen;
    EXPECT_EQ(file.Format, c.format) << c.chosen;
  }
}

TEST(PictureFile, SuggestedNameJoinsThePanesLogs) {
  using Names = std::vector<std::string>;
  const struct {
    Names logs;
    const char* suffix;
    const char* suggested;
  } cases[] = {
      {{"/s/lambda.csv", "/s/engine-speed.csv", "", ""}, ".png", "lambda+engine-speed.png"},
      {{"", "", "coolant.csv", ""}, ".png", "coolant.png"},
      {{"", "", "", ""}, ".png", "logviewer.png"},
      {{"/s/log.2026.csv", "/s/no-suffix", "/s/.hidden", ""}, ".png", "log.2026+no-suffix+.hidden.png"},
      {{"/s/lambda.csv", "", "", "/s/engine-speed.csv"}, ".csv", "lambda+engine-speed.csv"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SuggestedFileName(c.logs, c.suffix), c.suggested);
  }
}

TEST(PictureFile, CaptionNamesEachPanesLogByItsBaseName) {
  using Names = std::vector<std::string>;
  const struct {
    Names logs;
    const char* caption;
  } cases[] = {
      {{"/s/a.csv", "/s/b.csv", "/t/c.csv", "d.csv"}, "1: a.csv   2: b.csv   3: c.csv   4: d.csv"},
      {{"", "/s/engine-speed.csv", "", "/s/x/lambda.csv"}, "2: engine-speed.csv   4: lambda.csv"},
      {{"", "", "", ""}, ""},
      {{"/s/no-suffix", "", "", ""}, "1: no-suffix"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PictureCaption(c.logs), c.caption);
  }
}

// The format read from the file's first bytes, as an image reader sees it.
std::string FormatOfContent(const std::string& file) {
  QImageReader reader(QString::fromStdString(file));
  reader.setDecideFormatFromContent(true);
  return reader.format().toStdString();
}

class SavingThePicture : public testing::Test {
protected:
  SavingThePicture() : form(folder.Folder()) {}

  TempFolder folder;
  DialogScript script;
  TForm1 form;
};

TEST_F(SavingThePicture, WritesTheFormatOfTheSuffixWithTheWindowsWidth) {
  form.OpenLogs(0, {SampleLogPath("lambda.csv"), SampleLogPath("engine-speed.csv")});
  const struct {
    const char* chosen;
    const char* written;
    const char* format;
  } cases[] = {
      {"a.png", "a.png", "png"}, {"b.jpg", "b.jpg", "jpeg"}, {"c.JPEG", "c.JPEG", "jpeg"},
      {"d.bmp", "d.bmp", "bmp"}, {"e", "e.png", "png"},
  };
  for (const auto& c : cases) {
    script.SaveAnswers.push_back(folder.Folder() + c.chosen);
    form.OnKeyDown('S', ssCtrl);
    const std::string written = folder.Folder() + c.written;
    EXPECT_EQ(FormatOfContent(written), c.format) << c.chosen;
    const QImage picture(QString::fromStdString(written));
    EXPECT_EQ(picture.width(), TForm1::ClientWidth) << c.chosen;
    EXPECT_GT(picture.height(), TForm1::ClientHeight) << c.chosen << ": the window and the caption line";
  }
  EXPECT_TRUE(script.Messages.empty());
  EXPECT_EQ(script.SaveDialogOfferedNames, std::vector<std::string>(5, "lambda+engine-speed.png"));
}

// A log that cannot be opened leaves the pane, and so the name, as it was.
TEST_F(SavingThePicture, OfferedNameFollowsWhatThePanesShow) {
  form.OpenLogs(1, {SampleLogPath("coolant-temperature.csv")});
  form.OpenLogs(1, {folder.Folder() + "missing.csv"});
  form.OnKeyDown('S', ssCtrl);
  form.OpenLogs(0, {SampleLogPath("battery-voltage.csv")});
  form.OnKeyDown('S', ssCtrl);
  EXPECT_EQ(script.SaveDialogOfferedNames,
            (std::vector<std::string>{"coolant-temperature.png", "battery-voltage+coolant-temperature.png"}));
}

}  // namespace

// The window's picture saved as SVG: the panes drawn by their charts' own
// drawing calls, rendered back to pixels, show what the PNG shows.
#include "app/window/WindowSvg.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/window/TForm1.h"
#include "gui/DialogScript.h"
#include "gui/Keyboard.h"
#include "tests/SampleLogs.h"
#include "tests/app/TempFolder.h"
#include "tests/support/CodePageScope.h"
#include "tests/support/WellFormedXml.h"

namespace {

constexpr int kTolerance = 64;

// Whether the pixel's channels lie within the range the channels of the 3 x
// 3 neighbourhood around it have in `other` (widened by kTolerance): a
// renderer's antialiasing spreads an edge over the pixels beside it, while
// an element missing, added or moved leaves pixels no neighbour explains.
bool Explained(const QImage& image, const QImage& other, int x, int y) {
  const QRgb pixel = image.pixel(x, y);
  const int channels[] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
  int low[] = {255, 255, 255};
  int high[] = {0, 0, 0};
  for (int ny = std::max(0, y - 1); ny <= std::min(other.height() - 1, y + 1); ++ny) {
    for (int nx = std::max(0, x - 1); nx <= std::min(other.width() - 1, x + 1); ++nx) {
      const QRgb near = other.pixel(nx, ny);
      const int nearChannels[] = {qRed(near), qGreen(near), qBlue(near)};
      for (int c = 0; c < 3; ++c) {
        low[c] = std::min(low[c], nearChannels[c]);
        high[c] = std::max(high[c], nearChannels[c]);
      }
    }
  }
  for (int c = 0; c < 3; ++c) {
    if (channels[c] < low[c] - kTolerance || channels[c] > high[c] + kTolerance) {
      return false;
    }
  }
  return true;
}

// Of the whole window's pixels, a quarter of a percent.
constexpr int kAllowed = TForm1::ClientWidth * TForm1::ClientHeight / 400;

int UnexplainedPixels(const QImage& image, const QImage& other) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      count += Explained(image, other, x, y) ? 0 : 1;
    }
  }
  return count;
}

class SavingAsSvg : public testing::Test {
protected:
  SavingAsSvg() : form(folder.Folder()) {}

  void SetUp() override {
    if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0) {
      GTEST_SKIP() << "rsvg-convert is not installed (make deps installs librsvg2-bin)";
    }
    form.OpenLogs(0, SampleLogPaths());
  }

  // The picture saved with Ctrl+S under `name`.
  std::string Save(const std::string& name) {
    script.SaveAnswers.push_back(folder.Folder() + name);
    form.OnKeyDown('S', ssCtrl);
    return folder.Folder() + name;
  }

  QImage Rendered(const std::string& svg) {
    EXPECT_EQ(TWellFormedXml::Fault(folder.Read(std::filesystem::path(svg).filename().string())), "") << svg;
    const std::string png = svg + ".png";
    const std::string command = "rsvg-convert -o '" + png + "' '" + svg + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
  }

  void ExpectSamePicture() {
    const QImage png = QImage(QString::fromStdString(Save("window.png"))).convertToFormat(QImage::Format_RGB32);
    const std::string svg = Save("window.svg");
    EXPECT_EQ(folder.Read("window.svg").rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
    const QImage rendered = Rendered(svg);
    ASSERT_EQ(rendered.size(), png.size());
    // Text differs most: two renderers hint the same glyphs differently (a
    // full pixel for a decimal point against a grey one).
    const int unexplained = UnexplainedPixels(rendered, png) + UnexplainedPixels(png, rendered);
    EXPECT_LE(unexplained, kAllowed);
  }

  TempFolder folder;
  DialogScript script;
  TForm1 form;
};

TEST_F(SavingAsSvg, RendersAsThePngShowsTheFourLogs) { ExpectSamePicture(); }

TEST_F(SavingAsSvg, RendersAsThePngShowsAZoomedPaneInColour) {
  form.Chart2.ZoomToRectangle({100, 40, 300, 100});
  script.ColorAnswers.push_back({clRed, std::nullopt});
  form.ButtonColor1.PerformClick();
  ExpectSamePicture();
}

TEST_F(SavingAsSvg, RendersAsThePngShowsMarkersAndStatistics) {
  form.ShowCursorReadout(1, 150);
  form.OnKeyDown('A', 0);
  form.ShowCursorReadout(1, 600);
  form.OnKeyDown('B', 0);
  form.HideCursorReadout();
  ExpectSamePicture();
}

TEST_F(SavingAsSvg, AFileThatCannotBeWrittenIsNamedWithTheReason) {
  const std::string missing = folder.Folder() + "no-such-folder/window.svg";
  script.SaveAnswers.push_back(missing);
  form.OnKeyDown('S', ssCtrl);
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(script.Messages[0].Text, "Cannot write '" + missing + "': " + std::strerror(ENOENT) + ".");
}

// The check that the comparison is not blind: a pane left out is seen.
TEST_F(SavingAsSvg, APaneMissingFromTheSvgIsSeen) {
  const std::string svg = Save("window.svg");
  std::string document = folder.Read("window.svg");
  const std::size_t pane = document.find("<g transform=\"translate(56 144)\"");
  ASSERT_NE(pane, std::string::npos);
  const std::size_t end = document.find("</g>\n<clipPath id=\"pane3\"", pane);
  ASSERT_NE(end, std::string::npos);
  document.erase(pane, end + 5 - pane);
  folder.Write("broken.svg", document);
  const QImage png = QImage(QString::fromStdString(Save("window.png"))).convertToFormat(QImage::Format_RGB32);
  const QImage rendered = Rendered(folder.Folder() + "broken.svg");
  EXPECT_GT(UnexplainedPixels(rendered, png) + UnexplainedPixels(png, rendered), 4 * kAllowed);
}

// Titles holding every byte, in the code pages of several languages: the
// document parses, and a title's characters are in it as the window shows
// them.
TEST(WindowSvg, ParsesWithTitlesHoldingEveryByte) {
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder());
  std::string all;
  for (int byte = 0x01; byte <= 0xFF; ++byte) {
    all += static_cast<char>(byte);
  }
  for (const int page : {1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257}) {
    const TCodePageScope codePage(page);
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      form.PaneChart(pane).Title().SetText(all.substr(std::size_t{pane} * 64, 64));
    }
    const std::string document = WindowSvg(form.Charts(), form);
    EXPECT_EQ(TWellFormedXml::Fault(document), "") << "code page " << page;
  }
  form.PaneChart(0).Title().SetText("Fuel & air <rich>");
  EXPECT_NE(WindowSvg(form.Charts(), form).find(">Fuel &amp; air &lt;rich&gt;</text>"), std::string::npos);
}

}  // namespace

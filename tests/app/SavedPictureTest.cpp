// Copied and saved pictures: the window's picture with the markers, the
// statistics boxes and a caption line naming the logs; the plain picture,
// byte for byte the window's alone.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <string>
#include <vector>

#include "app/measure/CursorReadout.h"
#include "app/window/TForm1.h"
#include "app/window/WindowSvg.h"
#include "gui/DialogScript.h"
#include "gui/Keyboard.h"
#include "tests/SampleLogs.h"
#include "tests/app/SampleMarkers.h"
#include "tests/app/TempFolder.h"
#include "tests/support/WellFormedXml.h"

namespace {

constexpr QRgb kMarkerA = qRgb(0x00, 0x80, 0x00);
constexpr QRgb kBoxFill = qRgb(0xFF, 0xFF, 0xE1);

QImage Loaded(const std::string& file) {
  return QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
}

int CountColor(const QImage& image, const QRect& area, QRgb color) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      count += image.pixel(x, y) == color ? 1 : 0;
    }
  }
  return count;
}

class SavedPicture : public testing::Test {
protected:
  SavedPicture() : form(folder.Folder(), folder.Folder() + "settings") {}

  void OpenSamples() { form.OpenLogs(0, SampleLogPaths()); }

  // Marker A and B set on the first pane as painted; the readout gone again.
  void SetMarkers() {
    SetSampleMarkers(form);
    ASSERT_TRUE(form.Measures().Markers()[0] && form.Measures().Markers()[1]);
  }

  std::string Save(const std::string& name) {
    script.SaveAnswers.push_back(folder.Folder() + name);
    form.OnKeyDown('S', ssCtrl);
    EXPECT_TRUE(script.Messages.empty()) << script.Messages.back().Text;
    return folder.Folder() + name;
  }

  QImage Copied() {
    form.OnKeyDown('C', ssCtrl);
    return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
  }

  // The window's picture as copying and saving always gave it.
  std::string WindowAlone(const std::string& name, TPictureFormat format) {
    static_cast<FormWindow&>(form).SavePicture(folder.Folder() + name, format);
    return folder.Folder() + name;
  }

  // The pane's plot area in the window, its right and bottom edge lines included.
  QRect PlotInWindow(std::uint8_t pane) {
    const TRect bounds = form.PaneChart(pane).BoundsRect();
    const TRect& plot = form.PaneChart(pane).PlotRect;
    return {bounds.Left + plot.Left, bounds.Top + plot.Top, plot.Width() + 1, plot.Height() + 1};
  }

  TempFolder folder;
  DialogScript script;
  TForm1 form;
};

// The markers and boxes are drawn inside the plots only, and the caption
// goes below the window: every other pixel is the window's own.
TEST_F(SavedPicture, PngShowsMarkersStatisticsAndTheCaptionBelowTheWindow) {
  OpenSamples();
  SetMarkers();
  const QImage alone = Loaded(WindowAlone("alone.png", TPictureFormat::Png));
  const QImage saved = Loaded(Save("saved.png"));
  ASSERT_EQ(saved.width(), alone.width());
  ASSERT_GT(saved.height(), alone.height());
  EXPECT_EQ(Copied(), saved) << "Ctrl+C copies what Ctrl+S saves";
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    const QRect plot = PlotInWindow(pane);
    const int column = form.PaneChart(pane).BoundsRect().Left +
                       SampleColumn(form.PaneChart(pane), form.Measures().Markers()[0]->Sample);
    const QRect line(column, plot.top(), 1, plot.height());
    EXPECT_GT(CountColor(saved, line, kMarkerA), plot.height() / 3) << "marker A's dashes, pane " << int(pane);
    EXPECT_EQ(CountColor(alone, line, kMarkerA), 0) << int(pane);
    EXPECT_GT(CountColor(saved, plot, kBoxFill), 500) << "a statistics box, pane " << int(pane);
  }
  std::vector<QRect> plots;
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    plots.push_back(PlotInWindow(pane));
  }
  int outsideDiffering = 0;
  for (int y = 0; y < alone.height(); ++y) {
    for (int x = 0; x < alone.width(); ++x) {
      const bool inPlot =
          std::any_of(plots.begin(), plots.end(), [&](const QRect& plot) { return plot.contains(x, y); });
      outsideDiffering += !inPlot && saved.pixel(x, y) != alone.pixel(x, y) ? 1 : 0;
    }
  }
  EXPECT_EQ(outsideDiffering, 0) << "nothing over the labels, titles and controls";
  const QImage caption = saved.copy(0, alone.height(), saved.width(), saved.height() - alone.height());
  EXPECT_GT(CountColor(caption, caption.rect(), qRgb(0, 0, 0)), 100) << "the caption's text";
  const int quarter = caption.width() / 4;
  EXPECT_EQ(CountColor(caption, QRect(3 * quarter, 0, quarter, caption.height()), qRgb(0, 0, 0)), 0)
      << "four short names leave the right quarter white";
}

TEST_F(SavedPicture, SvgDrawsMarkersStatisticsAndTheCaptionAsElements) {
  OpenSamples();
  SetMarkers();
  Save("saved.svg");
  const std::string document = folder.Read("saved.svg");
  EXPECT_EQ(TWellFormedXml::Fault(document), "");
  for (const std::string& part :
       {std::string(
            ">1: lambda.csv   2: engine-speed.csv   3: coolant-temperature.csv   4: battery-voltage.csv</text>"),
        std::string("stroke=\"#008000\" stroke-width=\"1\" stroke-dasharray="),
        std::string("stroke=\"#a000a0\" stroke-width=\"1\" stroke-dasharray="), std::string("fill=\"#ffffe1\""),
        std::string(">mean ")}) {
    EXPECT_NE(document.find(part), std::string::npos) << part;
  }
  const std::size_t height = document.find("height=\"", document.find("<svg "));
  ASSERT_NE(height, std::string::npos);
  EXPECT_GT(std::stoi(document.substr(height + 8)), form.Height()) << "taller than the window by the caption";
}

TEST_F(SavedPicture, PlainIsTheWindowsPictureByteForByteAndIsRemembered) {
  OpenSamples();
  SetMarkers();
  form.OnKeyDown('P', 0);
  EXPECT_TRUE(form.State().PlainPicture());
  EXPECT_NE(folder.Read("settings").find("plain-picture=on"), std::string::npos);
  const struct {
    const char* name;
    TPictureFormat format;
  } formats[] = {{"a.png", TPictureFormat::Png}, {"a.bmp", TPictureFormat::Bmp}, {"a.jpg", TPictureFormat::Jpeg}};
  for (const auto& f : formats) {
    WindowAlone(std::string("alone-") + f.name, f.format);
    Save(f.name);
    EXPECT_EQ(folder.Read(f.name), folder.Read(std::string("alone-") + f.name)) << f.name;
  }
  EXPECT_EQ(Copied(), Loaded(WindowAlone("alone.png", TPictureFormat::Png)));
  Save("a.svg");
  EXPECT_EQ(folder.Read("a.svg"), WindowSvg(form.Charts(), form));
  TForm1 again(folder.Folder(), folder.Folder() + "settings");
  EXPECT_TRUE(again.State().PlainPicture()) << "read back from the settings file";
  form.OnKeyDown('P', 0);
  EXPECT_FALSE(form.State().PlainPicture());
  EXPECT_NE(folder.Read("settings").find("plain-picture=off"), std::string::npos);
}

TEST_F(SavedPicture, WithoutLogsItIsTheWindowsPicture) {
  const QImage alone = Loaded(WindowAlone("alone.png", TPictureFormat::Png));
  EXPECT_EQ(Loaded(Save("saved.png")), alone);
  EXPECT_EQ(Copied(), alone);
  Save("saved.svg");
  EXPECT_EQ(folder.Read("saved.svg"), WindowSvg(form.Charts(), form));
}

}  // namespace

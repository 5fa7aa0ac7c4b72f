// The main window rendered headless, after the actions given on the command
// line, run in order through the same paths as a user's clicks and drags.
// Writes the client area as a PNG and the state as JSON.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/ApplicationTitle.h"
#include "app/TForm1.h"
#include "gui/Application.h"
#include "gui/DialogScript.h"
#include "gui/ShownText.h"
#include "gui/TRasterCanvas.h"
#include "runtime/LocaleSeparators.h"

namespace {

constexpr int kMaxPointsInJson = 100000;

const char* const kPanningNames[] = {"pmNone", "pmHorizontal", "pmVertical", "pmBoth"};
const char* const kAxisNames[] = {"BottomAxis", "TopAxis", "LeftAxis", "RightAxis", "DepthAxis", "DepthTopAxis"};

const char* kUsage =
    "usage: logview-snapshot ACTION...\n"
    "  --decimal C | --thousands C       locale separators\n"
    "  --log PANE FILE                   the pane's Log button, FILE chosen\n"
    "  --drag PANE left|right X0 Y0 X1 Y1  press, move, release in the pane's pixels\n"
    "  --wheel PANE up|down              one wheel notch over the pane\n"
    "  --hover PANE X Y                  the mouse, no button held, moved to X Y in the pane\n"
    "  --leave                           the mouse moved out of the panes\n"
    "  --click CheckBox1|CheckBox2       a click on the check box\n"
    "  --color RRGGBB                    \"Color lines\" with that colour chosen\n"
    "  --png FILE                        the window's client area now\n"
    "  --pane-png PANE FILE              the pane's picture now\n"
    "  --json FILE|-                     the state now\n";

// The JSON text of an 8-bit string: the characters as the window shows
// them, in UTF-8.
std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : ShownText(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + '"';
}

std::string JsonNumber(double value) {
  if (value != value || value - value != 0) {
    return "null";  // JSON has no NaN or infinities
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

const char* JsonBool(bool value) { return value ? "true" : "false"; }

class Snapshot {
public:
  Snapshot() { form_.Show(); }

  void Run(std::vector<std::string> args) {
    args_ = std::move(args);
    while (next_ < args_.size()) {
      const std::string action = Take();
      if (action == "--decimal") {
        SetLocaleSeparators(Character(), LocaleThousandSeparator);
      } else if (action == "--thousands") {
        SetLocaleSeparators(LocaleDecimalSeparator, Character());
      } else if (action == "--log") {
        Log();
      } else if (action == "--drag") {
        Drag();
      } else if (action == "--wheel") {
        Wheel();
      } else if (action == "--hover") {
        Hover();
      } else if (action == "--leave") {
        Leave();
      } else if (action == "--click") {
        Click();
      } else if (action == "--color") {
        ColorLines();
      } else if (action == "--png") {
        Png();
      } else if (action == "--pane-png") {
        PanePng();
      } else if (action == "--json") {
        Json();
      } else {
        throw std::invalid_argument("unknown action " + action);
      }
    }
  }

private:
  std::string Take() {
    if (next_ >= args_.size()) {
      throw std::invalid_argument("an action lacks its arguments");
    }
    return args_[next_++];
  }
  int Number() { return std::stoi(Take()); }
  char Character() {
    const std::string text = Take();
    return text.empty() ? '\0' : text[0];
  }
  std::uint8_t Pane() {
    const int pane = Number();
    if (pane < 0 || pane >= TForm1::PaneCount) {
      throw std::invalid_argument("a pane is 0 to 3");
    }
    return static_cast<std::uint8_t>(pane);
  }

  void Log() {
    const std::uint8_t pane = Pane();
    script_.FileAnswers.push_back({{}, Take()});
    form_.PaneLogButton(pane).PerformClick();
  }

  // The mouse acts on what the window shows, so the panes are painted first.
  void Drag() {
    PaintPanes();
    TChart& chart = form_.PaneChart(Pane());
    const std::string side = Take();
    const TMouseButton button = side == "right" ? mbRight : mbLeft;
    const int x0 = Number();
    const int y0 = Number();
    const int x1 = Number();
    const int y1 = Number();
    const TShiftState held = ShiftOfButton(button);
    chart.MouseDown(button, held, x0, y0);
    chart.MouseMove(held, x1, y1);
    chart.MouseUp(button, 0, x1, y1);
  }

  void Wheel() {
    PaintPanes();
    TChart& chart = form_.PaneChart(Pane());
    chart.MouseWheel(Take() == "up", 0, chart.PlotCenterX, chart.PlotCenterY);
  }

  void Hover() {
    PaintPanes();
    TChart& chart = form_.PaneChart(Pane());
    const int x = Number();
    const int y = Number();
    chart.MouseMove(0, x, y);
  }

  void Leave() {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      form_.PaneChart(pane).MouseLeave();
    }
  }

  void Click() {
    const std::string name = Take();
    (name == "CheckBox2" ? form_.CheckBox2 : form_.CheckBox1).PerformClick();
  }

  void ColorLines() {
    const unsigned long rgb = std::stoul(Take(), nullptr, 16);
    script_.ColorAnswers.push_back({RGBColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF), std::nullopt});
    form_.ButtonColor1.PerformClick();
  }

  void PaintPanes() {
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      form_.PaneChart(pane).Repaint();
    }
  }

  void Png() {
    const std::string file = Take();
    PaintPanes();
    if (!form_.SaveClientAreaPng(file)) {
      throw std::runtime_error("cannot write " + file);
    }
  }

  void PanePng() {
    TChart& chart = form_.PaneChart(Pane());
    const std::string file = Take();
    chart.Repaint();
    if (!chart.Screen().SavePng(file)) {
      throw std::runtime_error("cannot write " + file);
    }
  }

  void Json() {
    const std::string file = Take();
    PaintPanes();
    const std::string text = StateJson();
    if (file == "-") {
      std::cout << text;
      return;
    }
    std::ofstream out(file);
    out << text;
    if (!out) {
      throw std::runtime_error("cannot write " + file);
    }
  }

  std::string StateJson() {
    std::ostringstream out;
    out << "{\n  \"Messages\": [";
    for (std::size_t i = 0; i < script_.Messages.size(); ++i) {
      out << (i ? ", " : "") << "{\"Caption\": " << JsonString(script_.Messages[i].Caption)
          << ", \"Text\": " << JsonString(script_.Messages[i].Text) << "}";
    }
    out << "],\n";
    for (const auto& [name, box] :
         {std::pair{"CheckBox1", &form_.CheckBox1}, std::pair{"CheckBox2", &form_.CheckBox2}}) {
      out << "  \"" << name << "\": {\"Checked\": " << JsonBool(box->Checked())
          << ", \"Enabled\": " << JsonBool(box->Enabled()) << "},\n";
    }
    out << "  \"PanningMode\": \"" << kPanningNames[form_.PanningMode] << "\",\n  \"Panes\": [";
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      out << (pane ? ",\n" : "\n") << PaneJson(form_.PaneChart(pane));
    }
    out << "\n  ]\n}\n";
    return out.str();
  }

  static std::string PaneJson(TChart& chart) {
    TChartSeries& series = chart.SeriesList()[0];
    std::ostringstream out;
    out << "    {\"Title\": [";
    const std::vector<std::string>& lines = chart.Title().Text();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      out << (i ? ", " : "") << JsonString(lines[i]);
    }
    out << "], \"PointCount\": " << series.PointCount() << ", \"SeriesColor\": " << series.SeriesColor();
    if (series.PointCount() <= kMaxPointsInJson) {
      out << ", \"X\": " << ValuesJson(series, true) << ", \"Y\": " << ValuesJson(series, false);
    }
    const TRect& plot = chart.PlotRect;
    out << ", \"PlotRect\": [" << plot.Left << ", " << plot.Top << ", " << plot.Right << ", " << plot.Bottom
        << "], \"IsZoomed\": " << JsonBool(chart.IsZoomed) << ", \"AllowPanning\": \""
        << kPanningNames[chart.AllowPanning()] << "\", \"Axes\": {";
    for (int i = 0; i < TChartAxes::Count; ++i) {
      out << (i ? ", " : "") << "\"" << kAxisNames[i] << "\": " << AxisJson(chart.Axes()[i]);
    }
    out << "}}";
    return out.str();
  }

  static std::string ValuesJson(const TChartSeries& series, bool x) {
    std::string out = "[";
    for (int i = 0; i < series.PointCount(); ++i) {
      out += (i ? ", " : "") + JsonNumber(x ? series.XValueAt(i) : series.YValueAt(i));
    }
    return out + "]";
  }

  static std::string AxisJson(const TChartAxis& axis) {
    std::ostringstream out;
    out << "{\"Automatic\": " << JsonBool(axis.Automatic())
        << ", \"AutomaticMinimum\": " << JsonBool(axis.AutomaticMinimum())
        << ", \"AutomaticMaximum\": " << JsonBool(axis.AutomaticMaximum())
        << ", \"Minimum\": " << JsonNumber(axis.Minimum()) << ", \"Maximum\": " << JsonNumber(axis.Maximum())
        << ", \"IsShown\": " << JsonBool(axis.IsShown) << ", \"FirstPixel\": " << axis.Scale().FirstPixel
        << ", \"LastPixel\": " << axis.Scale().LastPixel;
    if (axis.IsShown) {
      out << ", \"Labels\": [";
      for (std::size_t i = 0; i < axis.DrawnLabels.size(); ++i) {
        out << (i ? ", " : "") << "{\"Text\": " << JsonString(axis.DrawnLabels[i].Text)
            << ", \"Pixel\": " << axis.DrawnLabels[i].Pixel << "}";
      }
      out << "]";
    }
    out << "}";
    return out.str();
  }

  DialogScript script_;
  TForm1 form_;
  std::vector<std::string> args_;
  std::size_t next_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kUsage;
    return 2;
  }
  EnsureApplication();
  SetApplicationTitle(kApplicationTitle);
  try {
    Snapshot snapshot;
    snapshot.Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "logview-snapshot: " << error.what() << "\n" << kUsage;
    return 2;
  }
  return 0;
}

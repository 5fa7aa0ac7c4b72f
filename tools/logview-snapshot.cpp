// The main window rendered headless, after the actions given on the command
// line, run in order through the same paths as a user's clicks and drags.
// Writes the client area as a PNG and the state as JSON.
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/ApplicationTitle.h"
#include "app/state/TLastFolderFile.h"
#include "app/view/Legend.h"
#include "app/window/TForm1.h"
#include "app/window/WindowActions.h"
#include "app/window/WindowSvg.h"
#include "gui/Application.h"
#include "gui/DialogScript.h"
#include "gui/Keyboard.h"
#include "gui/Locale.h"
#include "gui/ShownText.h"
#include "gui/TRasterCanvas.h"
#include "runtime/LocaleSeparators.h"
#include "runtime/WholeNumber.h"

namespace {

constexpr int kMaxPointsInJson = 100000;

const char* const kPanningNames[] = {"pmNone", "pmHorizontal", "pmVertical", "pmBoth"};
constexpr std::array<std::pair<const char*, TLockMode>, 3> kLockModes{
    {{"time", TLockMode::Time}, {"samples", TLockMode::Samples}, {"pixels", TLockMode::PixelColumns}}};

std::string LockModeName(TLockMode mode) {
  for (const auto& [name, each] : kLockModes) {
    if (each == mode) {
      return name;
    }
  }
  return "";
}
const char* const kAxisNames[] = {"BottomAxis", "TopAxis", "LeftAxis", "RightAxis", "DepthAxis", "DepthTopAxis"};

const char* kUsage =
    "usage: logview-snapshot [--scale R] ACTION...\n"
    "  --scale R                         device pixels per window pixel (first only)\n"
    "  --size W H                        the window's client size, at least 794 584, at most 8192\n"
    "                                    device pixels a side\n"
    "  --decimal C | --thousands C       locale separators (default: the user's locale)\n"
    "  --codepage N                      code page of texts that are not UTF-8, 1250 to 1258\n"
    "  --log PANE FILE                   the pane's Log button, FILE chosen; FILE:COLUMN names a column of\n"
    "                                    a multi-column log, else the column picker's offer is taken\n"
    "  --fill FILE                       the top pane's Log button, FILE chosen and the panes filled with\n"
    "                                    its columns in the column picker\n"
    "  --column NAME|fill                the next column picker's answer: that column, or fill the panes\n"
    "  --drag PANE left|right X0 Y0 X1 Y1  press, move, release in the pane's pixels\n"
    "  --wheel PANE up|down              one wheel notch over the pane\n"
    "  --alt-drag PANE X0 Y0 X1 Y1       a left drag with Alt held: locked by time, the log shifted in time\n"
    "  --hover PANE X Y                  the mouse, no button held, moved to X Y in the pane\n"
    "  --leave                           the mouse moved out of the panes\n"
    "  --click CheckBox1|CheckBox2       a click on the check box\n"
    "  --key NAME                        a key pressed over the window (L, X, V, D, Escape, Ctrl+C...)\n"
    "  --lock time|samples|pixels        panes locked to the same time (where every log is stamped) or\n"
    "                                    samples, or passing zooms on by pixel columns (on: samples, off:\n"
    "                                    pixels; without --lock or --settings: pixels)\n"
    "  --shift PANE SECONDS              the pane's log shifted in time, as T asks for it\n"
    "  --menu PANE X Y ENTRY             a right click at X Y in the pane, ENTRY picked from its menu\n"
    "  --reload                          every pane's log loaded again (F5)\n"
    "  --follow on|off                   the panes follow their growing logs, or not (F)\n"
    "  --append FILE TEXT                TEXT's bytes appended to FILE, then the follow step\n"
    "  --recent PANE K                   the K-th recent log (0: newest) chosen on the pane's Log button\n"
    "  --settings FILE                   the modes, recent and last logs kept in FILE from here on\n"
    "  --color RRGGBB                    \"Color lines\" with that colour chosen\n"
    "  --png FILE                        the window's client area now\n"
    "  --pane-png PANE FILE              the pane's picture now\n"
    "  --svg FILE                        the window's picture now as SVG, as Ctrl+S saves it\n"
    "  --picture FILE                    the window's picture now as Ctrl+S saves it, PNG, JPEG, BMP\n"
    "                                    or SVG by the name's suffix\n"
    "  --export FILE                     the stretch's samples to FILE as CSV, as Ctrl+E exports them\n"
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
  // Shortest text that reads back as the same double, with a "." whatever
  // C locale the application object took from the environment.
  char text[32];
  const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
  return {text, written.ptr};
}

const char* JsonBool(bool value) { return value ? "true" : "false"; }

constexpr double kLargestScale = 4;
// The window's picture and each pane's are kept whole in memory: a side
// beyond this many device pixels would take gigabytes.
constexpr double kLargestRasterSide = 8192;
// Far beyond any window, near enough to zero that pixel arithmetic cannot
// overflow.
constexpr int kLargestCoordinate = 1'000'000;

// Six hexadecimal digits, nothing else.
unsigned long RgbArgument(const std::string& text) {
  unsigned long rgb = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, rgb, 16);
  if (text.size() != 6 || error != std::errc() || stop != end) {
    throw std::invalid_argument("--color takes six hexadecimal digits RRGGBB, not '" + text + "'");
  }
  return rgb;
}

double ScaleFactor(const std::string& text) {
  char* end = nullptr;
  const double scale = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(scale >= 1 && scale <= kLargestScale)) {
    throw std::invalid_argument("a scale is a number from 1 to 4");
  }
  return scale;
}

class Snapshot {
public:
  Snapshot() { form_.Show(); }

  void Run(std::vector<std::string> args) {
    args_ = std::move(args);
    while (next_ < args_.size()) {
      const std::string action = Take();
      action_ = action;
      if (action == "--decimal") {
        SetLocaleSeparators(Character(), LocaleThousandSeparator);
      } else if (action == "--thousands") {
        SetLocaleSeparators(LocaleDecimalSeparator, Character());
      } else if (action == "--size") {
        Size();
      } else if (action == "--codepage") {
        SetTextCodePage(CodePage());
      } else if (action == "--log") {
        Log();
      } else if (action == "--fill") {
        script_.ColumnAnswers.push_back(DialogScript::ColumnAnswer{std::nullopt, true});
        LogInto(0, Take());
      } else if (action == "--column") {
        const std::string column = Take();
        script_.ColumnAnswers.push_back(column == "fill" ? DialogScript::ColumnAnswer{std::nullopt, true}
                                                         : DialogScript::ColumnAnswer{column, false});
      } else if (action == "--drag") {
        Drag();
      } else if (action == "--wheel") {
        Wheel(0);
      } else if (action == "--alt-drag") {
        DragOn(Pane(), mbLeft, ssAlt);
      } else if (action == "--shift-drag") {
        ShiftDrag();
      } else if (action == "--value-range") {
        ValueRange();
      } else if (action == "--ctrl-wheel") {
        Wheel(ssCtrl);
      } else if (action == "--hover") {
        Hover();
      } else if (action == "--leave") {
        Leave();
      } else if (action == "--click") {
        Click();
      } else if (action == "--key") {
        Key();
      } else if (action == "--lock") {
        form_.SetLockMode(LockMode());
      } else if (action == "--shift") {
        Shift();
      } else if (action == "--menu") {
        Menu();
      } else if (action == "--reload") {
        form_.ReloadLogs();
      } else if (action == "--follow") {
        form_.SetFollowing(OnOff());
      } else if (action == "--append") {
        Append();
      } else if (action == "--recent") {
        Recent();
      } else if (action == "--settings") {
        Settings();
      } else if (action == "--color") {
        ColorLines();
      } else if (action == "--png") {
        Png();
      } else if (action == "--pane-png") {
        PanePng();
      } else if (action == "--svg") {
        SaveWindowSvg(form_.Charts(), form_, PictureExtras(form_), Take());
      } else if (action == "--picture") {
        SavePictureAs(form_, Take());
      } else if (action == "--export") {
        Export();
      } else if (action == "--json") {
        Json();
      } else if (action == "--scale") {
        throw std::invalid_argument("--scale comes first, before any action");
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
  int Number(int low, int high) { return static_cast<int>(WholeNumberArgument(Take(), low, high, action_)); }
  int Coordinate() { return Number(-kLargestCoordinate, kLargestCoordinate); }
  char Character() {
    const std::string text = Take();
    return text.empty() ? '\0' : text[0];
  }
  bool OnOff() {
    const std::string text = Take();
    if (text != "on" && text != "off") {
      throw std::invalid_argument("on or off expected, not " + text);
    }
    return text == "on";
  }
  TLockMode LockMode() {
    const std::string text = Take();
    for (const auto& [name, mode] : kLockModes) {
      if (text == name) {
        return mode;
      }
    }
    if (text == "on" || text == "off") {
      return text == "on" ? TLockMode::Samples : TLockMode::PixelColumns;
    }
    throw std::invalid_argument("time, samples or pixels expected, not " + text);
  }
  void Shift() {
    const std::uint8_t pane = Pane();
    const std::string text = Take();
    const std::optional<double> seconds = ParseOffset(text, '.');
    if (!seconds) {
      throw std::invalid_argument("--shift: seconds expected, not '" + text + "'");
    }
    form_.SetLogOffset(pane, *seconds);
  }
  int CodePage() { return Number(1250, 1258); }
  std::uint8_t Pane() { return static_cast<std::uint8_t>(Number(0, TForm1::PaneCount - 1)); }

  void Size() {
    const int largest = static_cast<int>(kLargestRasterSide / form_.DevicePixelRatio());
    const int width = Number(TForm1::ClientWidth, largest);
    const int height = Number(TForm1::ClientHeight, largest);
    form_.SetClientSize(width, height);
  }

  void Log() {
    const std::uint8_t pane = Pane();
    LogInto(pane, Take());
  }

  // A column picker the log opens takes the answer queued, else its offer.
  void LogInto(std::uint8_t pane, const std::string& fileName) {
    const bool answered = !script_.ColumnAnswers.empty();
    if (!answered) {
      script_.ColumnAnswers.push_back(DialogScript::ColumnAnswer{});
    }
    script_.FileAnswers.push_back({{}, fileName});
    form_.PaneLogButton(pane).PerformClick();
    if (!answered) {
      script_.ColumnAnswers.clear();
    }
  }

  // The mouse acts on what the window shows, so the panes are painted first.
  void Drag() {
    const std::uint8_t pane = Pane();
    DragOn(pane, Take() == "right" ? mbRight : mbLeft, 0);
  }

  void ShiftDrag() { DragOn(Pane(), mbLeft, ssShift); }

  void DragOn(std::uint8_t pane, TMouseButton button, TShiftState keys) {
    PaintPanes();
    TChart& chart = form_.PaneChart(pane);
    const int x0 = Coordinate();
    const int y0 = Coordinate();
    const int x1 = Coordinate();
    const int y1 = Coordinate();
    const TShiftState held = ShiftOfButton(button) | keys;
    chart.MouseDown(button, held, x0, y0);
    chart.MouseMove(held, x1, y1);
    chart.MouseUp(button, keys, x1, y1);
  }

  // Typed into the pane menu's dialog, as a user would.
  void ValueRange() {
    const std::uint8_t pane = Pane();
    const std::string minimum = Take();
    script_.TextAnswers.push_back(minimum + " " + Take());
    PaintPanes();
    const TChart& chart = form_.PaneChart(pane);
    PickFromMenu(pane, chart.PlotCenterX, chart.PlotCenterY, "Set value range\u2026");
  }

  // A notch over the middle of the pane's plot, with the modifiers held.
  void Wheel(TShiftState shift) {
    PaintPanes();
    TChart& chart = form_.PaneChart(Pane());
    chart.MouseWheel(Take() == "up", shift, chart.PlotCenterX, chart.PlotCenterY);
  }

  void Hover() {
    PaintPanes();
    TChart& chart = form_.PaneChart(Pane());
    const int x = Coordinate();
    const int y = Coordinate();
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

  // Through the window's own key handling, errors reported as a user sees them.
  void Key() { PressKey(Take()); }

  void PressKey(const std::string& name) {
    const std::optional<TKeyPress> press = KeyPressNamed(name);
    if (!press) {
      throw std::invalid_argument("no key named " + name);
    }
    PaintPanes();
    form_.OnKeyDown(press->Key, press->Shift);
  }

  void Menu() {
    PaintPanes();
    const std::uint8_t pane = Pane();
    const int x = Coordinate();
    const int y = Coordinate();
    PickFromMenu(pane, x, y, Take());
  }

  void PickFromMenu(std::uint8_t pane, int x, int y, const std::string& entry) {
    TChart& chart = form_.PaneChart(pane);
    script_.MenuAnswers.push_back(entry);
    chart.MouseDown(mbRight, ShiftOfButton(mbRight), x, y);
    chart.MouseUp(mbRight, 0, x, y);
  }

  void Settings() { form_.UseSettings(Take()); }

  // The save dialog answered with FILE, as a user's Ctrl+E would be.
  void Export() {
    script_.SaveAnswers.push_back(Take());
    PressKey("Ctrl+E");
  }

  // As a program writing its log does; the step then runs as a change
  // notification would run it.
  void Append() {
    const std::string fileName = Take();
    const std::string text = Take();
    std::FILE* file = std::fopen(fileName.c_str(), "ab");
    const bool written = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file == nullptr || std::fclose(file) != 0 || !written) {
      throw std::runtime_error("cannot append to " + fileName + ": " + std::strerror(errno));
    }
    form_.FollowLogs();
  }

  void Recent() {
    const std::uint8_t pane = Pane();
    const std::vector<std::string> logs = form_.State().RecentLogs();
    if (logs.empty()) {
      throw std::invalid_argument("--recent: no recent logs");
    }
    const int k = Number(0, static_cast<int>(logs.size()) - 1);
    script_.MenuAnswers.push_back(logs[static_cast<std::size_t>(k)]);
    form_.PaneLogButton(pane).ContextMenu(5, 5);
  }

  void ColorLines() {
    const unsigned long rgb = RgbArgument(Take());
    script_.ColorAnswers.push_back({RGBColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF), std::nullopt});
    form_.ButtonColor1.PerformClick();
  }

  // Locked, the plots line up after a paint, and then paint again; a few
  // rounds settle labels whose width changes with the plot's.
  void PaintPanes() {
    constexpr int kRounds = 4;
    for (int round = 0; round < kRounds; ++round) {
      for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
        form_.PaneChart(pane).Repaint();
      }
      if (!form_.Coordinator().ShareEdges()) {
        return;
      }
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
          << ", \"Text\": " << JsonString(script_.Messages[i].Text)
          << ", \"Details\": " << JsonString(script_.Messages[i].Details)
          << ", \"Information\": " << JsonBool(script_.Messages[i].Information) << "}";
    }
    out << "],\n  \"ClientWidth\": " << form_.Width() << ",\n  \"ClientHeight\": " << form_.Height()
        << ",\n  \"DevicePixelRatio\": " << JsonNumber(form_.DevicePixelRatio()) << ",\n";
    for (const auto& [name, box] :
         {std::pair{"CheckBox1", &form_.CheckBox1}, std::pair{"CheckBox2", &form_.CheckBox2}}) {
      out << "  \"" << name << "\": {\"Checked\": " << JsonBool(box->Checked())
          << ", \"Enabled\": " << JsonBool(box->Enabled()) << "},\n";
    }
    out << "  \"PanningMode\": \"" << kPanningNames[form_.PanningMode] << "\",\n";
    out << "  \"Locked\": \"" << LockModeName(form_.Coordinator().Mode()) << "\",\n";
    out << "  \"SampleAxis\": " << JsonBool(form_.State().SampleAxisShown()) << ",\n";
    out << "  \"Following\": " << JsonBool(form_.State().Following()) << ",\n";
    out << "  \"FitValues\": " << JsonBool(form_.State().FitValues()) << ",\n";
    // Only when on, so that the default state reads as it always did.
    if (form_.State().PlainPicture()) {
      out << "  \"PlainPicture\": true,\n";
    }
    if (form_.State().WordsAsMarks()) {
      out << "  \"WordsAsMarks\": true,\n";
    }
    // Only while on, so that the default JSON stays as it was.
    if (form_.State().SkipBadLines()) {
      out << "  \"SkipBadLines\": true,\n";
    }
    if (form_.State().DistinctColors()) {
      out << "  \"DistinctColors\": true,\n";
    }
    out << "  \"WindowTitle\": " << JsonString(form_.Caption()) << ",\n";
    if (form_.State().LegendShown()) {
      out << "  \"Legend\": " << LegendJson() << ",\n";
    }
    out << "  \"Markers\": {";
    for (std::size_t i = 0; i < form_.Measures().Markers().size(); ++i) {
      const std::optional<TMeasurements::TMarker>& marker = form_.Measures().Markers()[i];
      out << (i ? ", " : "") << "\""
          << "AB"[i] << "\": " << (marker ? JsonNumber(marker->Sample) : "null");
    }
    out << "},\n  \"Figures\": " << JsonString(form_.Measures().FiguresText());
    out << ",\n  \"Recent\": [";
    const std::vector<std::string> recent = form_.State().RecentLogs();
    for (std::size_t i = 0; i < recent.size(); ++i) {
      out << (i ? ", " : "") << JsonString(recent[i]);
    }
    out << "],\n  \"Panes\": [";
    for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
      out << (pane ? ",\n" : "\n") << PaneJson(pane);
    }
    out << "\n  ]\n}\n";
    return out.str();
  }

  // The value table's rows as it shows them.
  std::string LegendJson() {
    std::ostringstream out;
    out << "[";
    const std::vector<TLegendRow> rows = LegendRows(form_.Charts(), form_.Document(), form_.Measures());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const TLegendRow& row = rows[i];
      out << (i ? "," : "") << "\n    {\"Pane\": " << int{row.Pane} << ", \"Color\": " << row.Color
          << ", \"Title\": " << JsonString(row.Title) << ", \"File\": " << JsonString(row.File)
          << ", \"At\": " << JsonString(row.At) << ", \"Value\": " << JsonString(row.Value)
          << ", \"Time\": " << JsonString(row.Time) << ", \"Sample\": " << JsonString(row.Sample) << "}";
    }
    out << "]";
    return out.str();
  }

  std::string PaneJson(std::uint8_t pane) {
    TChart& chart = form_.PaneChart(pane);
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
    out << ", \"Bounds\": " << RectJson(chart.BoundsRect()) << ", \"PlotRect\": " << RectJson(chart.PlotRect)
        << ", \"IsZoomed\": " << JsonBool(chart.IsZoomed) << ", \"AllowPanning\": \""
        << kPanningNames[chart.AllowPanning()] << "\", \"Axes\": {";
    for (int i = 0; i < TChartAxes::Count; ++i) {
      out << (i ? ", " : "") << "\"" << kAxisNames[i] << "\": " << AxisJson(chart.Axes()[i]);
    }
    out << "}, \"ValueRange\": \"" << ValueRangeSource(pane) << "\", " << PaneLogJson(form_.Document().PaneLog(pane))
        << SkippedLinesJson(pane) << ", " << TimeJson(pane) << ", \"Readout\": " << ReadoutJson(pane)
        << ", \"Statistics\": " << StatisticsJson(pane) << "}";
    return out.str();
  }

  // The first and last stamp of the pane's log, offset included, when it
  // can follow a time, and its offset.
  std::string TimeJson(std::uint8_t pane) const {
    const TPaneTimes times = form_.Coordinator().Times(pane);
    std::string out = "\"TimeRange\": ";
    if (times.Usable() && form_.PaneSeries(pane).PointCount() > 0) {
      const TAxisRange span = times.Span();
      out += "[" + JsonNumber(span.Minimum) + ", " + JsonNumber(span.Maximum) + "]";
    } else {
      out += "null";
    }
    return out + ", \"Offset\": " + JsonNumber(form_.Document().PaneLog(pane).Offset);
  }

  // The bad lines the pane's last load skipped, while skipping or when it
  // skipped any; nothing otherwise, as before there was skipping.
  std::string SkippedLinesJson(std::uint8_t pane) const {
    const TSkippedLines& skipped = form_.Document().LastLoad(pane).Skipped;
    if (!form_.State().SkipBadLines() && skipped.Count == 0) {
      return "";
    }
    std::string out = ", \"SkippedLines\": {\"Count\": " + std::to_string(skipped.Count) + ", \"Lines\": [";
    for (std::size_t i = 0; i < skipped.First.size(); ++i) {
      out += (i > 0 ? ", " : "") + std::to_string(skipped.First[i].Number);
    }
    return out + "]}";
  }

  // Where the value axis' range comes from: the user, the samples in view,
  // or the whole log.
  std::string ValueRangeSource(std::uint8_t pane) const {
    switch (form_.Coordinator().ValueSource(pane)) {
      case TPaneCoordinator::TValueSource::Set: return "set";
      case TPaneCoordinator::TValueSource::View: return "view";
      case TPaneCoordinator::TValueSource::All: return "all";
    }
    return "all";
  }

  static std::string PaneLogJson(const TLogDocument::TPaneLog& log) {
    std::string out = "\"FileName\": " + JsonString(log.FileName) + ", \"Column\": ";
    out += log.Column ? "{\"Name\": " + JsonString(log.Column->Name) +
                            ", \"Number\": " + std::to_string(log.Column->Number) + "}"
                      : "null";
    out += ", \"Delimiter\": " + (log.Column ? JsonString(DelimiterName(log.Column->Delimiter)) : "null");
    out += ", \"StoppedEarly\": ";
    if (!log.StoppedEarly) {
      return out + "null";
    }
    const std::optional<long long>& line = log.StoppedEarly->Line;
    return out + "{\"Line\": " + (line ? std::to_string(*line) : "null") +
           ", \"Reason\": " + JsonString(log.StoppedEarly->Reason) + "}";
  }

  std::string ReadoutJson(std::uint8_t pane) {
    const std::optional<TCursorReadout> readout = form_.Measures().ShownReadout(pane);
    if (!readout) {
      return "null";
    }
    std::ostringstream out;
    out << "{\"Column\": " << readout->Column << ", \"Text\": [";
    const std::vector<std::string> lines = ReadoutLines(*readout);
    for (std::size_t k = 0; k < lines.size(); ++k) {
      out << (k > 0 ? ", " : "") << JsonString(lines[k]);
    }
    out << "], \"Leading\": " << (readout->Leading.empty() ? "null" : JsonString(readout->Leading));
    if (const std::optional<TColumnSamples>& samples = readout->Samples) {
      const TChartSeries& series = form_.PaneSeries(pane);
      const TPaneTimes times = form_.Coordinator().Times(pane);
      out << ", \"Time\": "
          << (times.Usable() ? JsonNumber(times.SampleTime(static_cast<std::size_t>(samples->First))) : "null");
      out << ", \"FirstSample\": " << JsonNumber(series.XValueAt(samples->First))
          << ", \"LastSample\": " << JsonNumber(series.XValueAt(samples->Last))
          << ", \"Min\": " << JsonNumber(samples->Min) << ", \"Max\": " << JsonNumber(samples->Max);
    } else {
      out << ", \"Time\": null, \"FirstSample\": null, \"LastSample\": null, \"Min\": null, \"Max\": null";
    }
    out << "}";
    return out.str();
  }

  std::string StatisticsJson(std::uint8_t pane) {
    const std::optional<TMeasurements::TPaneStatistics> statistics = form_.Measures().PaneStatistics(pane);
    if (!statistics) {
      return "null";
    }
    const TChartSeries& series = form_.PaneSeries(pane);
    const TStretchStatistics& figures = statistics->Figures;
    const auto optional = [](std::optional<double> value) { return value ? JsonNumber(*value) : "null"; };
    std::ostringstream out;
    out << "{\"FirstSample\": " << JsonNumber(series.XValueAt(figures.First))
        << ", \"LastSample\": " << JsonNumber(series.XValueAt(figures.Last)) << ", \"Count\": " << figures.Count()
        << ", \"Words\": " << figures.Words << (figures.Gaps > 0 ? ", \"Gaps\": " + std::to_string(figures.Gaps) : "")
        << ", \"Min\": " << JsonNumber(figures.Min) << ", \"Max\": " << JsonNumber(figures.Max)
        << ", \"Mean\": " << JsonNumber(figures.Mean) << ", \"AtA\": " << optional(statistics->AtA)
        << ", \"AtB\": " << optional(statistics->AtB)
        << ", \"DeltaLeading\": " << (statistics->DeltaLeading ? JsonString(*statistics->DeltaLeading) : "null") << "}";
    return out.str();
  }

  static std::string RectJson(const TRect& rect) {
    std::ostringstream out;
    out << "[" << rect.Left << ", " << rect.Top << ", " << rect.Right << ", " << rect.Bottom << "]";
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
  // The user's settings stay out: a picture depends on the actions alone.
  TForm1 form_{TLastFolderFile::FolderFor(ExecutableFileName())};
  std::vector<std::string> args_;
  std::size_t next_ = 0;
  std::string action_;  // the one whose arguments are being read
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kUsage;
    return 2;
  }
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() >= 2 && args[0] == "--scale") {
      SetScaleFactor(ScaleFactor(args[1]));
      args.erase(args.begin(), args.begin() + 2);
    }
    EnsureApplication();
    SetApplicationTitle(kApplicationTitle);
    // Separators and code page as the viewer reads them, until an action says otherwise.
    ReadUserLocale();
    Snapshot snapshot;
    snapshot.Run(std::move(args));
  } catch (const std::exception& error) {
    std::cerr << "logview-snapshot: " << error.what() << "\n" << kUsage;
    return 2;
  }
  return 0;
}

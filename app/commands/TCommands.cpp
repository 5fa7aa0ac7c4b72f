#include "app/commands/TCommands.h"
#include "chart/series/TChartSeries.h"

#include <algorithm>
#include <cctype>

#include "app/window/ColumnPicker.h"
#include "app/window/TForm1.h"
#include "app/window/WindowActions.h"
#include "gui/Keyboard.h"

namespace {

constexpr TShiftState kModifiers = ssCtrl | ssAlt | ssShift;

TKeyBinding Plain(int key) { return {key}; }
TKeyBinding Ctrl(int key) { return {key, ~TShiftState{0}, ssCtrl}; }
TKeyBinding CtrlShift(int key) { return {key, ~TShiftState{0}, ssCtrl | ssShift}; }

bool HasSamples(const TForm1& form, std::uint8_t pane) { return form.PaneSeries(pane).PointCount() > 0; }

bool HasColumns(const TForm1& form, std::uint8_t pane) { return form.Document().ColumnShape(pane) != nullptr; }

// The pane the menu was opened on, or for a key the pane under the mouse.
std::optional<std::uint8_t> PaneOf(const TForm1& form, const TCommandPlace& place) {
  return place.Pane ? place.Pane : form.Measures().ReadoutPane();
}

void ZoomValues(TForm1& form, const TCommandPlace& place, bool in) {
  if (const std::optional<std::uint8_t> pane = PaneOf(form, place)) {
    ZoomValuesByKey(form, *pane, in);
  }
}

void StepReadout(TForm1& form, const TCommandPlace& place) { form.Measures().StepReadout(place.Key, place.Shift); }

// The menu's markers go where it was opened.
void SetMarkerAt(TForm1& form, const TCommandPlace& place, std::size_t marker) {
  if (place.Pane) {
    form.ShowCursorReadout(*place.Pane, place.Column);
  }
  form.Measures().SetMarker(marker);
}

// One row a command: label, key, bindings, help, checked, enabled, action.
// clang-format off
std::vector<TCommand> MakeCommands() {
  using P = const TCommandPlace&;
  using F = const TForm1&;
  return {
      {"Open log\u2026", "Ctrl+O", {Ctrl('O')},
       "opens a log into the pane under the mouse (else the first empty one)", nullptr, nullptr,
       [](TForm1& form, P place) { form.OpenLogDialog(place.Pane ? *place.Pane : form.PaneForNewLog()); }},
      {"Choose column\u2026", "C", {Plain('C')},
       "lists the columns of the multi-column log in the pane under the mouse: another one for the pane, or the "
       "panes filled with them", nullptr, HasColumns,
       [](TForm1& form, P place) {
         if (const std::optional<std::uint8_t> pane = PaneOf(form, place)) {
           ChooseColumn(form, *pane);
         }
       }},
      {"Lock panes by time, samples or pixel columns", "L", {Plain('L')},
       "locks the panes to the same time (where every log has time stamps), then to the same samples, then passes "
       "zooms on by pixel columns, and round again (kept in the settings file)",
       [](F form) { return form.State().Locked(); }, nullptr, [](TForm1& form, P) { form.NextLockMode(); }},
      {"Shift this log in time\u2026", "T", {Plain('T')},
       "asks for the seconds to shift the log of the pane under the mouse by, while locked by time (Alt+drag: by "
       "the mouse); kept with the log's recent entry",
       nullptr, [](F form, std::uint8_t pane) { return HasSamples(form, pane) && form.Coordinator().TimeLocked(); },
       [](TForm1& form, P place) {
         if (const std::optional<std::uint8_t> pane = PaneOf(form, place); pane && form.Coordinator().TimeLocked()) {
           AskLogOffset(form, *pane);
         }
       }},
      {"Show sample axis", "X", {Plain('X')}, "shows or hides the bottom axis: the sample numbers, or locked by time the time",
       [](F form) { return form.State().SampleAxisShown(); }, nullptr,
       [](TForm1& form, P) { form.SetSampleAxisShown(!form.State().SampleAxisShown()); }},
      {"Fit values to the view", "Y", {Plain('Y')},
       "fits the value axes to the samples shown, or scales them to the whole logs",
       [](F form) { return form.State().FitValues(); }, nullptr,
       [](TForm1& form, P) { form.SetFitValues(!form.State().FitValues()); }},
      {"Set value range\u2026", "R", {Plain('R')},
       "asks for the minimum and the maximum of the value axis of the pane under the mouse", nullptr, HasSamples,
       [](TForm1& form, P place) {
         if (const std::optional<std::uint8_t> pane = PaneOf(form, place)) {
           AskValueRange(form, *pane);
         }
       }},
      {"Zoom values in", "Ctrl+Up", {Ctrl(VK_UP)},
       "zooms the value axis of the pane under the mouse in by a notch (Ctrl+wheel: about the value there)", nullptr,
       HasSamples, [](TForm1& form, P place) { ZoomValues(form, place, true); }},
      {"Zoom values out", "Ctrl+Down", {Ctrl(VK_DOWN)},
       "zooms the value axis of the pane under the mouse out by a notch (Ctrl+wheel: about the value there)", nullptr,
       HasSamples, [](TForm1& form, P place) { ZoomValues(form, place, false); }},
      {"Show sensor words as marks", "W", {Plain('W')},
       "shows the sensor words as marks along the pane's bottom, out of the curve and its scale (kept in the settings "
       "file), or as points of the curve again",
       [](F form) { return form.State().WordsAsMarks(); }, nullptr,
       [](TForm1& form, P) { form.SetWordsAsMarks(!form.State().WordsAsMarks()); }},
      {"Show value table", "V", {Plain('V')},
       "shows or hides the value table at the window's right edge: each pane's colour, title, log, and its value, "
       "time stamp and sample at the cursor or at the markers (kept in the settings file)",
       [](F form) { return form.State().LegendShown(); }, nullptr,
       [](TForm1& form, P) { form.SetLegendShown(!form.State().LegendShown()); }},
      {"Distinct colours", "D", {Plain('D')},
       "gives each pane's curve a colour of its own that colour-blind eyes tell apart too (kept in the settings "
       "file), or the one colour of \"Color lines\" again",
       [](F form) { return form.State().DistinctColors(); }, nullptr,
       [](TForm1& form, P) { form.SetDistinctColors(!form.State().DistinctColors()); }},
      {"Skip bad lines", "K", {Plain('K')},
       "skips bad lines as gaps in the curve instead of stopping the load, from the next load or reload (F5) on "
       "(kept in the settings file), or stops at them again",
       [](F form) { return form.State().SkipBadLines(); }, nullptr,
       [](TForm1& form, P) { form.SetSkipBadLines(!form.State().SkipBadLines()); }},
      {"Set marker A", "A", {Plain('A')}, "sets marker A at the readout's sample", nullptr, HasSamples,
       [](TForm1& form, P place) { SetMarkerAt(form, place, 0); }},
      {"Set marker B", "B", {Plain('B')}, "sets marker B at the readout's sample", nullptr, HasSamples,
       [](TForm1& form, P place) { SetMarkerAt(form, place, 1); }},
      {"Clear markers", "Delete", {Plain(VK_DELETE)}, "clears both markers", nullptr, nullptr,
       [](TForm1& form, P) { form.Measures().ClearMarkers(); }},
      // A statistics mode that is on can still be switched off on an empty pane.
      {"Show statistics of the view", "S", {Plain('S')}, "shows or hides the figures of the visible range",
       [](F form) { return form.Measures().StatisticsShown(); },
       [](F form, std::uint8_t pane) { return HasSamples(form, pane) || form.Measures().StatisticsShown(); },
       [](TForm1& form, P) { form.Measures().ToggleStatistics(); }},
      {"Copy figures", "Ctrl+Shift+C", {CtrlShift('C')}, "copies the figures as tab-separated text", nullptr,
       HasSamples, [](TForm1& form, P) { CopyFigures(form); }},
      {"Export stretch\u2026", "Ctrl+E", {Ctrl('E')},
       "writes every pane's samples between the markers, else those in view, to a CSV file", nullptr, HasSamples,
       [](TForm1& form, P) { ExportStretch(form); }},
      {"Copy picture", "Ctrl+C", {{'C', kModifiers, ssCtrl}},
       "copies the window's picture with the markers, statistics and the logs' names, without the readout",
       nullptr, nullptr, [](TForm1& form, P) { CopyPicture(form); }},
      {"Save picture\u2026", "Ctrl+S", {{'S', kModifiers, ssCtrl}},
       "saves the picture Ctrl+C copies as PNG, JPEG, BMP or SVG by the name's suffix", nullptr,
       nullptr, [](TForm1& form, P) { SavePicture(form); }},
      {"Plain picture", "P", {Plain('P')},
       "copies and saves the window's picture alone, without markers, statistics and the logs' names, or with them",
       [](F form) { return form.State().PlainPicture(); }, nullptr,
       [](TForm1& form, P) { form.SetPlainPicture(!form.State().PlainPicture()); }},
      {"Undo all zooms", "Escape", {Plain(VK_ESCAPE)}, "undoes the zoom of every pane", nullptr, nullptr,
       [](TForm1& form, P) { form.Coordinator().UndoAll(); }},
      {"Back one zoom", "Backspace", {Plain(VK_BACK)}, "every pane one zoom step back (a value range set by hand first)", nullptr, nullptr,
       [](TForm1& form, P) { form.Coordinator().Back(); }},
      {"Full screen", "F11", {Plain(VK_F11)}, "full screen on and off", [](F form) { return form.FullScreen(); },
       nullptr, [](TForm1& form, P) { form.SetFullScreen(!form.FullScreen()); }},
      {"Reload logs", "F5", {Plain(VK_F5)}, "reloads every pane's log from its file", nullptr,
       [](F form, std::uint8_t) { return form.Document().AnyLog(); }, [](TForm1& form, P) { form.ReloadLogs(); }},
      {"Follow growing logs", "F", {Plain('F')},
       "follows the panes' logs as they grow (kept in the settings file), or stops",
       [](F form) { return form.State().Following(); }, nullptr,
       [](TForm1& form, P) { form.SetFollowing(!form.State().Following()); }},
      {"Reopen the last logs", "Ctrl+Shift+O", {CtrlShift('O')},
       "reopens the logs the panes held when the window last closed", nullptr, nullptr,
       [](TForm1& form, P) { form.ReopenLastLogs(); }},
      {"Close", "Ctrl+W", {Ctrl('W'), Ctrl('Q')}, "closes the window (Ctrl+Q too)", nullptr, nullptr,
       [](TForm1& form, P) { form.Close(); }},
      {nullptr, "Left, Right", {{VK_LEFT, 0, 0}, {VK_RIGHT, 0, 0}},
       "move the readout one sample (Shift: a pixel column's worth; Ctrl: a tenth of the view)", nullptr, nullptr,
       StepReadout},
      {nullptr, "Home, End", {Plain(VK_HOME), Plain(VK_END)}, "move the readout to the first or last sample",
       nullptr, nullptr, StepReadout},
      {nullptr, "+", {{VK_OEM_PLUS, ssCtrl | ssAlt, 0}}, "zooms the pane under the mouse in by 2, the sample under it staying in place",
       nullptr, nullptr, [](TForm1& form, P) { form.ZoomByKey(true); }},
      {nullptr, "-", {{VK_OEM_MINUS, ssCtrl | ssAlt, 0}},
       "zooms the pane under the mouse out by 2, the sample under it staying in place", nullptr, nullptr,
       [](TForm1& form, P) { form.ZoomByKey(false); }},
  };
}
// clang-format on

bool Matches(const TKeyBinding& binding, int key, TShiftState shift) {
  return binding.Key == key && (shift & binding.Mask) == binding.Shift;
}

// Only the hyphen needs its escape in roff text.
std::string RoffText(const std::string& text) {
  std::string roff;
  for (const char c : text) {
    roff += c == '-' ? std::string("\\-") : std::string(1, c);
  }
  return roff;
}

}  // namespace

const std::vector<TCommand>& Commands() {
  static const std::vector<TCommand> commands = MakeCommands();
  return commands;
}

bool EnabledForKey(const TCommand& command, const TForm1& form) {
  // A mode's key switches it at any time.
  if (command.Enabled == nullptr || command.Checked != nullptr) {
    return true;
  }
  if (const std::optional<std::uint8_t> pane = form.Measures().ReadoutPane()) {
    return command.Enabled(form, *pane);
  }
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    if (command.Enabled(form, pane)) {
      return true;
    }
  }
  return false;
}

const TCommand* CommandForKey(int key, TShiftState shift) {
  for (const TCommand& command : Commands()) {
    if (std::any_of(command.Keys.begin(), command.Keys.end(),
                    [&](const TKeyBinding& binding) { return Matches(binding, key, shift); })) {
      return &command;
    }
  }
  return nullptr;
}

std::string KeyTableText() {
  constexpr std::size_t kKeyColumn = 16;
  std::string text;
  for (const TCommand& command : Commands()) {
    const std::string key = command.KeyName;
    text += "  " + key + std::string(kKeyColumn - std::min(kKeyColumn - 1, key.size()), ' ') + command.Help + "\n";
  }
  return text;
}

std::string KeyTableRoff() {
  std::string roff;
  for (const TCommand& command : Commands()) {
    std::string help = command.Help;
    help.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(help.front())));
    roff += ".TP\n.B " + RoffText(command.KeyName) + "\n" + RoffText(help) + ".\n";
  }
  return roff;
}

std::string WithGeneratedKeySection(const std::string& manual) {
  const std::string heading = ".SH KEYS\n";
  const std::size_t start = manual.find(heading);
  if (start == std::string::npos) {
    return manual;
  }
  const std::size_t end = manual.find("\n.SH ", start + heading.size());
  const std::size_t rest = end == std::string::npos ? manual.size() : end + 1;
  return manual.substr(0, start) + heading +
         "The keys work whatever has the keyboard focus; the pane menu names them too.\n" + KeyTableRoff() +
         manual.substr(rest);
}

#include "app/window/WindowActions.h"

#include <array>
#include <optional>
#include <string_view>

#include "app/measure/StretchExport.h"
#include "app/view/PaneTimes.h"
#include "app/view/ValueRangeText.h"
#include "app/window/PictureFile.h"
#include "app/window/TForm1.h"
#include "app/window/WindowSvg.h"
#include "gui/Clipboard.h"
#include "gui/RasterFile.h"
#include "gui/TRasterCanvas.h"
#include "runtime/Exception.h"
#include "runtime/LocaleSeparators.h"
#include "runtime/NumberFormat.h"

namespace {

// The folder part of a file name, "" for a bare name.
std::string FolderOf(const std::string& fileName) {
  const std::size_t slash = fileName.rfind('/');
  if (slash == std::string::npos) {
    return "";
  }
  return fileName.substr(0, slash == 0 ? 1 : slash);
}

// The save dialog starts in the folder of the last log and offers a name
// made of the panes' logs; true when the user chose a name.
bool ExecuteSaveDialog(TForm1& form, const char* filter, std::string_view suffix) {
  FileSaveDialog& dialog = form.SaveDialog1;
  dialog.Filter = filter;
  dialog.DefaultExtension = suffix.substr(1);
  dialog.InitialDir = FolderOf(form.Document().LastOpened());
  const std::array<std::string, TForm1::PaneCount> names = form.Document().FileNames();
  dialog.FileName = SuggestedFileName({names.begin(), names.end()}, suffix);
  return dialog.Execute(&form);
}

}  // namespace

void ZoomValuesByKey(TForm1& form, std::uint8_t pane, bool in) {
  const TRect& plot = form.PaneChart(pane).PlotRect;
  form.Coordinator().ZoomValues(pane, (plot.Top + plot.Bottom) / 2, in);
}

void AskValueRange(TForm1& form, std::uint8_t pane) {
  const TChartAxis& values = form.PaneChart(pane).RightAxis();
  TextInputDialog& dialog = form.ValueRangeDialog;
  dialog.Text = ValueRangeText({values.Minimum(), values.Maximum()});
  if (!dialog.Execute(&form)) {
    return;
  }
  const std::optional<TAxisRange> range = ParseValueRange(dialog.Text);
  if (!range) {
    throw Exception("'" + dialog.Text + "' is no value range: type the minimum and the maximum, as in \"0 100\"");
  }
  form.Coordinator().SetValueRange(pane, range->Minimum, range->Maximum);
}

void AskLogOffset(TForm1& form, std::uint8_t pane) {
  TextInputDialog& dialog = form.OffsetDialog;
  dialog.Text = ShortestNumberText(form.Document().PaneLog(pane).Offset, LocaleDecimalSeparator);
  if (!dialog.Execute(&form)) {
    return;
  }
  const std::optional<double> seconds = ParseOffset(dialog.Text, LocaleDecimalSeparator);
  if (!seconds) {
    throw Exception("'" + dialog.Text + "' is no time shift: type the seconds, as in \"12" +
                    std::string(1, LocaleDecimalSeparator) + "5\" or \"-3\"");
  }
  form.SetLogOffset(pane, *seconds);
}

void CopyFigures(TForm1& form) { CopyTextToClipboard(form.Measures().FiguresText()); }

void ExportStretch(TForm1& form) {
  if (ExecuteSaveDialog(form, "CSV file|*.csv", ".csv")) {
    WriteStretchCsv(form.SaveDialog1.FileName, form.Measures().ExportColumns());
  }
}

TPictureExtras PictureExtras(TForm1& form) {
  if (form.State().PlainPicture()) {
    return {};
  }
  const std::array<std::string, TForm1::PaneCount> names = form.Document().FileNames();
  return {[&form](std::uint8_t pane, TCanvas3D& canvas) { form.Overlays().DrawMeasures(pane, canvas, std::nullopt); },
          PictureCaption({names.begin(), names.end()})};
}

// A plain picture is the window's own, taken as it always was.
void CopyPicture(TForm1& form) {
  if (form.State().PlainPicture()) {
    form.CopyPictureToClipboard();
    return;
  }
  TRasterCanvas picture;
  DrawWindowPicture(picture, form.Charts(), form, PictureExtras(form));
  CopyRasterToClipboard(picture);
}

void SavePicture(TForm1& form) {
  if (ExecuteSaveDialog(form, PictureFilter, ".png")) {
    SavePictureAs(form, form.SaveDialog1.FileName);
  }
}

void SavePictureAs(TForm1& form, const std::string& fileName) {
  const TPictureFile picture = PictureFileFor(fileName);
  if (picture.Format == TPictureFormat::Svg) {
    SaveWindowSvg(form.Charts(), form, PictureExtras(form), picture.FileName);
  } else if (form.State().PlainPicture()) {
    form.SavePicture(picture.FileName, picture.Format);
  } else {
    TRasterCanvas raster;
    DrawWindowPicture(raster, form.Charts(), form, PictureExtras(form));
    SavePictureFile(raster, picture.FileName, picture.Format);
  }
}

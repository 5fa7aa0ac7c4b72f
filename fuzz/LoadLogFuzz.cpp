// Any file contents loaded into a pane: the load ends with points and a
// title or with its conversion error (skipping bad lines: with gaps and
// its message), never with a crash or a hang. The same bytes followed as
// a growing log (a first part loaded without its unfinished last line,
// then the rest from where that load stopped) give what one load gives.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/window/TForm1.h"
#include "chart/series/TLineSeries.h"
#include "gui/DialogScript.h"
#include "log/LogLoader.h"

namespace {

bool WriteFile(const std::string& path, const char* mode, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), mode);
  if (file == nullptr) {
    return false;
  }
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  return true;
}

// The points' values, a null point as -0 after its value: the gaps count.
std::vector<double> Values(const TChartSeries& series) {
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(series.PointCount()));
  for (int i = 0; i < series.PointCount(); ++i) {
    values.push_back(series.YValueAt(i));
    if (series.IsNullPoint(i)) {
      values.push_back(-0.0);
    }
  }
  return values;
}

// Leaves the whole log in the file; false when it cannot be written.
bool FollowAsItGrows(const std::string& path, const std::uint8_t* data, std::size_t size, bool skip) {
  const std::size_t split = size == 0 ? 0 : data[0] * (size + 1) / 256;
  if (!WriteFile(path, "wb", data, split)) {
    return false;
  }
  TLoadOptions options;
  options.SkipBadLines = skip;
  options.TakeUnfinishedLine = false;
  TLineSeries followed;
  const TLoadResult first = LogLoader(path, options).Load(followed, clBlue, {});
  if (!WriteFile(path, "ab", data + split, size - split)) {
    return false;
  }
  options.Start = first.Next;
  options.TakeUnfinishedLine = true;
  const TLoadResult rest = LogLoader(path, options).Load(followed, clBlue, {});
  TLineSeries whole;
  TLoadOptions wholeOptions;
  wholeOptions.SkipBadLines = skip;
  const TLoadResult once = LogLoader(path, wholeOptions).Load(whole, clBlue, {});
  if (Values(followed) != Values(whole) || rest.End != once.End || rest.Next != once.Next ||
      rest.Message != once.Message || first.Skipped.Count + rest.Skipped.Count != once.Skipped.Count ||
      (skip && once.End == TLoadEnd::BadLine)) {
    std::abort();
  }
  return true;
}

// A folder of its own for the window's dir.dat; no settings file, so that
// fuzzing neither reads nor changes the user's modes and recent logs.
std::string FuzzFolder() {
  std::string folder = "/tmp/logviewer-fuzz-XXXXXX";
  if (mkdtemp(folder.data()) == nullptr) {
    std::perror(folder.c_str());
    std::abort();
  }
  return folder + "/";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string folder = FuzzFolder();
  // Dialogs answer at once: a multi-column log's picker is cancelled.
  static DialogScript script;
  static TForm1 form(folder, "");
  script.ColumnPickerOffers.clear();
  script.Messages.clear();
  static const std::string path = folder + "log.csv";
  // The second byte chooses whether bad lines are skipped.
  const bool skip = size > 1 && data[1] % 2 == 1;
  if (!FollowAsItGrows(path, data, size, skip)) {
    return 0;
  }
  form.SetSkipBadLines(skip);
  // A bad line is an answer, skipped lines are told; any other error is a
  // fault to find.
  for (const TLogError& error : form.Document().Load(0, path)) {
    if (!error.Information && form.Document().LastLoad(0).End != TLoadEnd::BadLine) {
      std::abort();
    }
  }
  return 0;
}

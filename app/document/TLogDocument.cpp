#include "app/document/TLogDocument.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/document/LogReference.h"
#include "app/state/TSavedState.h"
#include "app/view/PaneTimes.h"
#include "chart/panel/TChart.h"
#include "chart/series/TChartSeries.h"
#include "chart/series/TValueStorage.h"
#include "log/ColumnLog.h"
#include "log/FreedMemory.h"
#include "log/TStampTimes.h"
#include "runtime/Exception.h"
#include "runtime/LocaleSeparators.h"
#include "runtime/NumberFormat.h"
#include "runtime/PrintableText.h"
#include "runtime/ScopedRestore.h"

namespace {

// What a message adds when a load ended early: the samples before stay.
std::string SamplesShown(const TChartSeries& series) {
  return "; the first " + std::to_string(series.PointCount()) + " samples are shown";
}

// " 'a', 'b'": the file names from `first` on.
std::string QuotedList(const std::vector<std::string>& fileNames, std::size_t first) {
  std::string text;
  for (std::size_t i = first; i < fileNames.size(); ++i) {
    text += (i == first ? " '" : ", '") + fileNames[i] + "'";
  }
  return text;
}

std::string FileDetails(const std::string& fileName) { return "File: " + fileName; }

// The title is shown only once a sample is in.
// The title line names a shift in time after the log's own title.
std::string TitleLine(const std::string& title, double offset) {
  return offset == 0 ? title : title + "  " + OffsetText(offset, LocaleDecimalSeparator);
}

// Why a load ended before the end of the log, without what stayed of it;
// none for a load that read it all.
std::optional<std::string> StopReason(const TLoadResult& result, const std::string& fileName) {
  switch (result.End) {
    case TLoadEnd::EndOfFile: return std::nullopt;
    case TLoadEnd::BadLine: return result.Message;
    case TLoadEnd::ReadError: return "Cannot read '" + fileName + "': " + std::strerror(result.Errno);
    case TLoadEnd::OutOfMemory: return "Out of memory while loading '" + fileName + "'";
    case TLoadEnd::TooManySamples:
      return "'" + fileName + "': the log has more samples than a pane can hold (" +
             GroupedWholeNumber(TValueStorage<double>::MaxCount) + ")";
    case TLoadEnd::Cancelled: return "Loading '" + fileName + "' was cancelled";
  }
  return std::nullopt;
}

// Whether the file is there; an error when it cannot be looked at, which
// ends following it.
std::optional<TLogError> LookForFollowedFile(const std::string& fileName, bool& exists) {
  struct stat status {};
  exists = stat(fileName.c_str(), &status) == 0;
  if (exists || errno == ENOENT) {
    return std::nullopt;
  }
  return TLogError{"Cannot follow '" + fileName + "': " + std::strerror(errno), FileDetails(fileName)};
}

// Whether the last byte read ends a line: a load that took a last line
// without its line end stops past it, where a follow cannot continue.
bool AtLineStart(const TLoadedFile& read) {
  return read.Tail.empty() || read.Tail.back() == '\n' || read.Tail.back() == '\r';
}

// The continuation's result added to the load's: where the next one starts
// and how the log ended.
void Continue(TLoadResult& load, const TLoadResult& more) {
  load.End = more.End;
  load.SamplesAppended += more.SamplesAppended;
  if (more.Title) {
    load.Title = more.Title;
  }
  load.Next = more.Next;
  load.Message = more.Message;
  load.Errno = more.Errno;
  load.File = more.File;
  load.Skipped.Append(more.Skipped);
}

// "3 bad lines", "1 bad line".
std::string BadLines(std::size_t count) {
  return GroupedWholeNumber(static_cast<long double>(count)) + (count == 1 ? " bad line" : " bad lines");
}

// The columns a pane may show, for a message naming a column that is none.
std::string ColumnList(const TColumnShape& shape) {
  std::string list;
  for (const std::size_t column : shape.DataColumns) {
    list += (list.empty() ? "" : ", ") + shape.Names[column];
  }
  return list;
}

}  // namespace

TLogDocument::TLogDocument(std::array<TChart*, PaneCount> charts, TSavedState& state) : state_(state) {
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    panes_[pane].Chart = charts[pane];
  }
}

TLogDocument::TPane& TLogDocument::At(std::uint8_t pane) {
  return const_cast<TPane&>(static_cast<const TLogDocument&>(*this).At(pane));
}

const TLogDocument::TPane& TLogDocument::At(std::uint8_t pane) const {
  if (pane >= PaneCount) {
    throw EAssertionFailed("Pane index " + std::to_string(pane) + " out of range (0 to 3).");
  }
  return panes_[pane];
}

TChartSeries& TLogDocument::Series(std::uint8_t pane) const { return At(pane).Chart->SeriesList()[0]; }

const TLogDocument::TPaneLog& TLogDocument::PaneLog(std::uint8_t pane) const { return At(pane).Log; }

const TLoadResult& TLogDocument::LastLoad(std::uint8_t pane) const { return At(pane).LastLoad; }

TLogNotes& TLogDocument::Notes(std::uint8_t pane) { return At(pane).Notes; }

const TLogNotes& TLogDocument::Notes(std::uint8_t pane) const { return At(pane).Notes; }

bool TLogDocument::AnyLog() const {
  return std::any_of(panes_.begin(), panes_.end(), [](const TPane& pane) { return !pane.Log.FileName.empty(); });
}

std::uint8_t TLogDocument::FirstEmptyPane() const {
  const auto empty =
      std::find_if(panes_.begin(), panes_.end(), [](const TPane& pane) { return pane.Log.FileName.empty(); });
  return empty == panes_.end() ? 0 : static_cast<std::uint8_t>(empty - panes_.begin());
}

std::array<std::string, TLogDocument::PaneCount> TLogDocument::FileNames() const {
  std::array<std::string, PaneCount> names;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    names[pane] = panes_[pane].Log.FileName;
  }
  return names;
}

void TLogDocument::ShowTitle(std::uint8_t pane, const TLoadResult& result) {
  TPane& at = At(pane);
  if (result.SamplesAppended > 0 && result.Title) {
    at.Log.Title = *result.Title;
    at.Chart->Title().SetText(TitleLine(*at.Log.Title, at.Log.Offset));
  }
}

void TLogDocument::SetOffset(std::uint8_t pane, double seconds) {
  TPane& at = At(pane);
  at.Log.Offset = seconds;
  if (at.Log.Title) {
    at.Chart->Title().SetText(TitleLine(*at.Log.Title, seconds));
  }
}

void TLogDocument::RememberOffset(std::uint8_t pane) {
  const TPaneLog& log = At(pane).Log;
  if (!log.FileName.empty()) {
    state_.SetLogOffset(log.FileName, log.Offset);
  }
}

std::array<std::string, TLogDocument::PaneCount> TLogDocument::References() const {
  std::array<std::string, PaneCount> references;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    const TPaneLog& log = panes_[pane].Log;
    references[pane] =
        LogReferenceText({log.FileName, log.Column ? std::optional<std::string>(log.Column->Name) : std::nullopt});
  }
  return references;
}

const TColumnShape* TLogDocument::ColumnShape(std::uint8_t pane) const {
  const TPane& at = At(pane);
  return at.Shape ? &*at.Shape : nullptr;
}

std::size_t TLogDocument::FirstUnshownColumn(const std::string& fileName, const TColumnShape& shape) const {
  const auto shown = [&](std::size_t column) {
    return std::any_of(panes_.begin(), panes_.end(), [&](const TPane& pane) {
      return pane.Log.FileName == fileName && pane.Log.Column && pane.Log.Column->Number == column + 1;
    });
  };
  const auto unshown = std::find_if_not(shape.DataColumns.begin(), shape.DataColumns.end(), shown);
  return unshown == shape.DataColumns.end() ? shape.DataColumns.front() : *unshown;
}

std::string TLogDocument::Tip(std::uint8_t pane) const {
  const TPane& at = At(pane);
  if (at.Log.FileName.empty()) {
    return "";
  }
  const std::string count = GroupedWholeNumber(Series(pane).PointCount());
  std::string tip = at.Log.FileName + "\n" + count + " samples";
  if (at.Log.StoppedEarly) {
    const TStop& stop = *at.Log.StoppedEarly;
    tip += "\nstopped " + (stop.Line ? "at line " + GroupedWholeNumber(*stop.Line) + ": " : std::string()) +
           stop.Reason + "; " + count + " samples shown";
  }
  if (const std::size_t skipped = at.LastLoad.Skipped.Count; skipped > 0) {
    tip += "\n" + BadLines(skipped) + " skipped as gaps";
  }
  if (at.Notes.Times.Known() && !at.Notes.Times.Increasing()) {
    tip += "\nits time stamps do not increase: locked by samples";
  }
  if (at.Notes.Leading.FileChanged()) {
    tip += "\nthe file changed since it was loaded: its time stamps are not shown";
  }
  return PrintableText(tip);
}

// The file is opened before anything changes, so a log that cannot be
// opened leaves the pane as it was.
TLogErrors TLogDocument::Load(std::uint8_t pane, const std::string& fileName) {
  const auto [file, column] = ParseLogReference(fileName);
  if (const std::optional<TColumnShape> shape = ReadColumnShape(file)) {
    return LoadChosenColumns(pane, file, column.value_or(""), *shape);
  }
  if (column) {
    return {
        TLogError{"'" + file + "' is a log of one parameter: it has no column '" + *column + "'", FileDetails(file)}};
  }
  TPane& at = At(pane);
  try {
    // The separator is read here, on the window's thread, once for the log.
    const char decimalSeparator = LocaleDecimalSeparator;
    LogLoader loader(fileName, LoadOptions(pane, decimalSeparator));
    Series(pane).ClearPoints();
    at.Chart->EndZoom();
    at.Log = {fileName, std::nullopt, decimalSeparator, state_.LogOffset(fileName), std::nullopt, false};
    at.Followed = {};
    at.Shape.reset();
    at.Notes.Reset(fileName);
    if (OnLogReplaced) {
      OnLogReplaced(pane);
    }
    at.LastLoad = LoadShowingProgress(
        pane, [&](const LogLoader::TProgress& progress) { return loader.Load(Series(pane), PointColor, progress); });
  } catch (const Exception& error) {
    return {TLogError{error.Message(), error.Details.empty() ? FileDetails(fileName) : error.Details}};
  }
  NoteFollowedFile(pane);
  if (OnFollowedFilesChanged) {
    OnFollowedFilesChanged();
  }
  return LoadMessages(pane, at.LastLoad.Skipped);
}

// A column named, or the ones the user picks.
TLogErrors TLogDocument::LoadChosenColumns(std::uint8_t pane, const std::string& fileName, const std::string& column,
                                           const TColumnShape& shape) {
  TColumnChoice columns;
  if (!column.empty()) {
    const std::optional<std::size_t> named = FindColumn(shape, column);
    if (!named) {
      return {TLogError{"'" + fileName + "' has no column '" + column + "' (columns: " + ColumnList(shape) + ")",
                        FileDetails(fileName)}};
    }
    columns = {*named};
  } else {
    const std::size_t offered = FirstUnshownColumn(fileName, shape);
    const std::optional<TColumnChoice> chosen =
        ChooseColumns ? ChooseColumns(pane, shape, offered) : TColumnChoice{offered};
    if (!chosen || chosen->empty()) {
      return {};
    }
    columns = *chosen;
  }
  return LoadColumns(pane, fileName, shape, columns);
}

TLogErrors TLogDocument::LoadColumns(std::uint8_t firstPane, const std::string& fileName, const TColumnShape& shape,
                                     const TColumnChoice& columns) {
  TPaneColumns paneColumns;
  for (std::size_t k = 0; k < columns.size() && firstPane + k < PaneCount; ++k) {
    paneColumns.emplace_back(static_cast<std::uint8_t>(firstPane + k), columns[k]);
  }
  return LoadPaneColumns(fileName, shape, paneColumns);
}

// The panes share one read of the file; what it tells is told once.
TLogErrors TLogDocument::LoadPaneColumns(const std::string& fileName, const TColumnShape& shape,
                                         const TPaneColumns& columns) {
  const std::uint8_t first = columns.front().first;
  try {
    const char decimalSeparator = LocaleDecimalSeparator;
    TColumnLoader loader(fileName, shape, LoadOptions(first, decimalSeparator));
    std::vector<TColumnTarget> targets;
    for (const auto& [pane, column] : columns) {
      StartColumnLoad(pane, fileName, shape, column, decimalSeparator);
      targets.push_back({column, &Series(pane), &At(pane).Notes});
    }
    const TLoadResult result = LoadShowingProgress(
        first, [&](const LogLoader::TProgress& progress) { return loader.Load(targets, PointColor, progress); });
    for (const auto& [pane, column] : columns) {
      At(pane).LastLoad = result;
      At(pane).LastLoad.Title = shape.Names[column];
    }
  } catch (const Exception& error) {
    return {TLogError{error.Message(), error.Details.empty() ? FileDetails(fileName) : error.Details}};
  }
  for (const auto& column : columns) {
    NoteFollowedFile(column.first);
    if (column.first != first) {
      EndLoad(column.first);
    }
  }
  if (OnFollowedFilesChanged) {
    OnFollowedFilesChanged();
  }
  return LoadMessages(first, At(first).LastLoad.Skipped);
}

void TLogDocument::StartColumnLoad(std::uint8_t pane, const std::string& fileName, const TColumnShape& shape,
                                   std::size_t column, char decimalSeparator) {
  TPane& at = At(pane);
  Series(pane).ClearPoints();
  at.Chart->EndZoom();
  at.Log = {fileName,
            std::nullopt,
            decimalSeparator,
            state_.LogOffset(fileName),
            std::nullopt,
            false,
            TPaneLog::TColumn{column + 1, shape.Names[column], shape.Delimiter}};
  at.Followed = {};
  at.Shape = shape;
  at.Notes.Reset(fileName, shape.Delimiter);
  if (OnLogReplaced) {
    OnLogReplaced(pane);
  }
}

// What a load or follow step tells: the lines it skipped, then why it
// stopped early.
TLogErrors TLogDocument::LoadMessages(std::uint8_t pane, const TSkippedLines& skipped) {
  TLogErrors errors;
  if (skipped.Count > 0) {
    errors.push_back(SkippedLinesMessage(pane, skipped));
  }
  if (std::optional<TLogError> stop = EndLoad(pane)) {
    errors.push_back(std::move(*stop));
  }
  return errors;
}

// One message for all the lines a load skipped, told rather than shown as
// an error: the user asked for them to be skipped.
TLogError TLogDocument::SkippedLinesMessage(std::uint8_t pane, const TSkippedLines& skipped) const {
  const std::string& fileName = At(pane).Log.FileName;
  std::string message = "Skipped " + BadLines(skipped.Count) + " in '" + fileName + "':";
  for (const TSkippedLines::TLine& line : skipped.First) {
    message += "\nline " + GroupedWholeNumber(static_cast<long double>(line.Number)) + ": '" + line.Text + "'";
  }
  if (skipped.Count > skipped.First.size()) {
    message += "\nand " + BadLines(skipped.Count - skipped.First.size()) + " more";
  }
  const std::string details = FileDetails(fileName) +
                              "\nBad lines skipped: " + GroupedWholeNumber(static_cast<long double>(skipped.Count)) +
                              " (gaps in the curve)\nSamples: " + GroupedWholeNumber(Series(pane).PointCount());
  return {message, details, "", true};
}

// The separator is the pane's own, read once on the window's thread. While
// following, a last line without its line end waits for it. Bad lines are
// skipped as the setting is when the load or step begins.
TLoadOptions TLogDocument::LoadOptions(std::uint8_t pane, char decimalSeparator) {
  TLoadOptions options;
  options.DecimalSeparator = decimalSeparator;
  options.Notes = &At(pane).Notes;
  options.TakeUnfinishedLine = !state_.Following();
  options.SkipBadLines = state_.SkipBadLines();
  return options;
}

// A log loaded on its own is a batch of one.
TLoadResult TLogDocument::LoadShowingProgress(std::uint8_t pane, const TLoadRun& run) {
  const ScopedRestore<bool> loading(loading_, true);
  std::unique_ptr<TLoadProgress> single;
  TLoadProgress* progress = progress_;
  if (progress == nullptr && MakeProgress) {
    single = MakeProgress({At(pane).Log.FileName});
    progress = single.get();
  }
  TLoadResult result = run([&](const TLoadResult& sofar, double shareRead) {
    ShowTitle(pane, sofar);
    return progress != nullptr && progress->Report(shareRead);
  });
  ReturnFreedMemory();
  return result;
}

// A load that ended before the end of the log is an error: the user learns
// that what is shown is only its beginning, and why. Where it stopped is
// kept for the pane's mark and tooltip.
std::optional<TLogError> TLogDocument::EndLoad(std::uint8_t pane) {
  TPane& at = At(pane);
  ShowTitle(pane, at.LastLoad);
  if (at.Notes.Times.Known()) {
    const std::optional<std::string> first = at.Notes.Field(0);
    at.Log.ClockStamps = first && IsClockStamp(*first);
  }
  const std::optional<std::string> reason = StopReason(at.LastLoad, at.Log.FileName);
  if (!reason) {
    return std::nullopt;
  }
  const TChartSeries& series = Series(pane);
  TStop stop{std::nullopt, *reason};
  std::string message = *reason;
  std::string place;
  if (at.LastLoad.End == TLoadEnd::BadLine) {
    stop.Line = at.LastLoad.Next.Line;
    place = "In '" + at.Log.FileName + "' at line " + GroupedWholeNumber(*stop.Line);
  } else {
    message += SamplesShown(series);
  }
  std::string details = "File: " + at.Log.FileName + "\n";
  if (stop.Line) {
    details += "Stopped at line " + GroupedWholeNumber(*stop.Line) + "\n";
  }
  details += "Samples kept: " + GroupedWholeNumber(series.PointCount());
  at.Log.StoppedEarly = stop;
  return TLogError{message, details, place, at.LastLoad.End == TLoadEnd::Cancelled};
}

// A log that opened is a recent one, whatever stopped its load.
TLogErrors TLogDocument::Open(std::uint8_t pane, const std::string& fileName) {
  lastOpened_ = ParseLogReference(fileName).FileName;
  const TLogErrors loaded = Load(pane, fileName);
  if (OnLogOpened) {
    OnLogOpened();
  }
  TLogErrors errors;
  if (At(pane).Log.FileName == lastOpened_) {
    NoteRecent(pane, errors);
  }
  errors.insert(errors.end(), loaded.begin(), loaded.end());
  return errors;
}

void TLogDocument::NoteRecent(std::uint8_t pane, TLogErrors& errors) {
  try {
    state_.NoteRecentLog(References()[pane]);
  } catch (const Exception& error) {
    errors.push_back({error.Message(), error.Details});
  }
}

TLogErrors TLogDocument::OpenLogs(std::uint8_t firstPane, const std::vector<std::string>& fileNames) {
  std::vector<std::pair<std::uint8_t, std::string>> logs;
  std::size_t next = 0;
  for (std::uint8_t pane = firstPane; pane < PaneCount && next < fileNames.size(); ++pane, ++next) {
    logs.emplace_back(pane, fileNames[next]);
  }
  TLogErrors errors = OpenBatch(logs);
  if (next < fileNames.size()) {
    errors.push_back({"No pane left for" + QuotedList(fileNames, next), ""});
  }
  return errors;
}

// The errors wait until every log is in: a message open on the first
// failing log would hold up the others. Cancel keeps the logs loaded so far.
TLogErrors TLogDocument::OpenBatch(const std::vector<std::pair<std::uint8_t, std::string>>& logs) {
  std::vector<std::string> fileNames;
  fileNames.reserve(logs.size());
  for (const auto& log : logs) {
    fileNames.push_back(log.second);
  }
  std::unique_ptr<TLoadProgress> progress = MakeProgress ? MakeProgress(fileNames) : nullptr;
  const ScopedRestore<TLoadProgress*> batch(progress_, progress.get());
  const auto cancelled = [&progress] { return progress && progress->Cancelled(); };
  TLogErrors errors;
  std::vector<bool> done(logs.size(), false);
  std::size_t next = 0;
  for (; next < logs.size() && !cancelled(); ++next) {
    if (done[next]) {
      continue;
    }
    if (progress) {
      progress->StartLog(next);
    }
    const std::vector<std::size_t> group = SameFileColumns(logs, next, done);
    const TLogErrors opened =
        group.size() > 1 ? OpenColumnGroup(logs, group) : Open(logs[next].first, logs[next].second);
    for (const std::size_t k : group) {
      done[k] = true;
    }
    errors.insert(errors.end(), opened.begin(), opened.end());
  }
  // One box tells of a Cancel: the log it stopped, and the ones not begun.
  if (next < logs.size()) {
    const std::string notLoaded = "Not loaded after Cancel:" + QuotedList(fileNames, next);
    if (!errors.empty() && errors.back().Information) {
      errors.back().Message += "\n" + notLoaded;
    } else {
      errors.push_back({notLoaded, "", "", true});
    }
  }
  return errors;
}

std::vector<std::size_t> TLogDocument::SameFileColumns(const std::vector<std::pair<std::uint8_t, std::string>>& logs,
                                                       std::size_t first, const std::vector<bool>& done) const {
  const TLogReference reference = ParseLogReference(logs[first].second);
  if (!reference.Column) {
    return {};
  }
  std::vector<std::size_t> group;
  for (std::size_t k = first; k < logs.size(); ++k) {
    const TLogReference other = ParseLogReference(logs[k].second);
    if (!done[k] && other.Column && other.FileName == reference.FileName) {
      group.push_back(k);
    }
  }
  return group;
}

// A file that is no multi-column log, or a column it lacks, is told as
// opening each alone tells it.
TLogErrors TLogDocument::OpenColumnGroup(const std::vector<std::pair<std::uint8_t, std::string>>& logs,
                                         const std::vector<std::size_t>& group) {
  const std::string fileName = ParseLogReference(logs[group.front()].second).FileName;
  const std::optional<TColumnShape> shape = ReadColumnShape(fileName);
  TPaneColumns columns;
  for (const std::size_t k : group) {
    const std::optional<std::size_t> column =
        shape ? FindColumn(*shape, *ParseLogReference(logs[k].second).Column) : std::nullopt;
    if (column) {
      columns.emplace_back(logs[k].first, *column);
    }
  }
  TLogErrors errors;
  if (columns.size() < group.size()) {
    for (const std::size_t k : group) {
      const TLogErrors opened = Open(logs[k].first, logs[k].second);
      errors.insert(errors.end(), opened.begin(), opened.end());
    }
    return errors;
  }
  lastOpened_ = fileName;
  const TLogErrors loaded = LoadPaneColumns(fileName, *shape, columns);
  if (OnLogOpened) {
    OnLogOpened();
  }
  for (const auto& column : columns) {
    NoteRecent(column.first, errors);
  }
  errors.insert(errors.end(), loaded.begin(), loaded.end());
  return errors;
}

TLogErrors TLogDocument::ReloadAll() {
  std::vector<std::pair<std::uint8_t, std::string>> logs;
  const std::array<std::string, PaneCount> references = References();
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (!references[pane].empty()) {
      logs.emplace_back(pane, references[pane]);
    }
  }
  return OpenBatch(logs);
}

TLogErrors TLogDocument::ReopenLast() {
  std::vector<std::pair<std::uint8_t, std::string>> logs;
  const TSavedState::TPaneFiles last = state_.LastLogs();
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (!last[pane].empty()) {
      logs.emplace_back(pane, last[pane]);
    }
  }
  return OpenBatch(logs);
}

// ---- Following ----

TLogErrors TLogDocument::StartFollowing() {
  std::vector<std::pair<std::uint8_t, std::string>> unfinished;
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    if (panes_[pane].Followed.Active && !AtLineStart(panes_[pane].LastLoad.File)) {
      unfinished.emplace_back(pane, References()[pane]);
    }
  }
  return OpenBatch(unfinished);
}

// Only a log read to its end is followed: one that stopped says why.
void TLogDocument::NoteFollowedFile(std::uint8_t pane) {
  panes_[pane].Followed = {panes_[pane].LastLoad.End == TLoadEnd::EndOfFile, std::nullopt};
}

std::vector<std::string> TLogDocument::FollowedFiles() const {
  std::vector<std::string> fileNames;
  for (const TPane& pane : panes_) {
    if (pane.Followed.Active) {
      fileNames.push_back(pane.Log.FileName);
    }
  }
  return fileNames;
}

TLogErrors TLogDocument::FollowStep(bool& changed) {
  changed = false;
  TLogErrors errors;
  if (!state_.Following() || loading_) {
    return errors;
  }
  const ScopedRestore<bool> stepping(loading_, true);
  for (std::uint8_t pane = 0; pane < PaneCount; ++pane) {
    changed = FollowPane(pane, errors) || changed;
  }
  return errors;
}

// Whether the pane changed. Only the file the pane's log was read from,
// with the bytes read unchanged, is continued; any other file of its name
// loads again from its start. A file missing for longer than the grace
// was deleted. Any error ends following the pane.
bool TLogDocument::FollowPane(std::uint8_t pane, TLogErrors& errors) {
  TPane& at = panes_[pane];
  if (!at.Followed.Active) {
    return false;
  }
  const std::string fileName = at.Log.FileName;
  // Until the step succeeds: a failing step is reported once, not at every
  // notification after it.
  const auto missingSince = std::exchange(at.Followed, {}).MissingSince;
  bool exists = false;
  if (std::optional<TLogError> error = LookForFollowedFile(fileName, exists)) {
    errors.push_back(std::move(*error));
    return true;
  }
  if (!exists) {
    const auto now = std::chrono::steady_clock::now();
    if (missingSince && now - *missingSince >= FollowedMissingGrace) {
      errors.push_back({"'" + fileName + "' was deleted; the pane no longer follows it", FileDetails(fileName)});
      return true;
    }
    at.Followed = {true, missingSince.value_or(now)};
    return false;
  }
  if (at.Shape) {
    return FollowColumns(pane, errors);
  }
  TLoadOptions options = LoadOptions(pane, at.Log.DecimalSeparator);
  options.Start = at.LastLoad.Next;
  try {
    LogLoader loader(fileName, options);
    switch (loader.Compare(at.LastLoad.File)) {
      case TFileState::Unchanged: at.Followed.Active = true; return false;
      case TFileState::Grown: ContinuePaneLog(pane, loader, errors); return true;
      case TFileState::Other: break;
    }
  } catch (const Exception& error) {
    errors.push_back({error.Message(), error.Details});
    return true;
  }
  const TLogErrors opened = Open(pane, fileName);
  errors.insert(errors.end(), opened.begin(), opened.end());
  return true;
}

// The followed panes that show columns of the pane's file, read as far,
// gain their samples from one read; a file replaced loads again.
bool TLogDocument::FollowColumns(std::uint8_t pane, TLogErrors& errors) {
  TPane& at = panes_[pane];
  std::vector<std::uint8_t> group;
  std::vector<TColumnTarget> targets;
  std::vector<int> before;
  for (std::uint8_t other = 0; other < PaneCount; ++other) {
    const TPane& with = panes_[other];
    if (other == pane || (with.Followed.Active && with.Shape && with.Log.FileName == at.Log.FileName &&
                          with.LastLoad.Next == at.LastLoad.Next)) {
      group.push_back(other);
      targets.push_back({with.Log.Column->Number - 1, &Series(other), &panes_[other].Notes});
      before.push_back(Series(other).PointCount());
    }
  }
  TLoadOptions options = LoadOptions(pane, at.Log.DecimalSeparator);
  options.Start = at.LastLoad.Next;
  try {
    TColumnLoader loader(at.Log.FileName, *at.Shape, options);
    const TFileState state = loader.Compare(at.LastLoad.File);
    if (state == TFileState::Unchanged) {
      at.Followed.Active = true;
      return false;
    }
    if (state == TFileState::Grown) {
      const TLoadResult more = loader.Load(targets, PointColor, {});
      for (std::size_t k = 0; k < group.size(); ++k) {
        Continue(panes_[group[k]].LastLoad, more);
        panes_[group[k]].Followed.Active = more.End == TLoadEnd::EndOfFile;
        if (OnSamplesAppended) {
          OnSamplesAppended(group[k], before[k]);
        }
      }
      for (std::size_t k = 1; k < group.size(); ++k) {
        EndLoad(group[k]);
      }
      const TLogErrors told = LoadMessages(pane, more.Skipped);
      errors.insert(errors.end(), told.begin(), told.end());
      return true;
    }
  } catch (const Exception& error) {
    errors.push_back({error.Message(), error.Details});
    return true;
  }
  const TLogErrors opened = Open(pane, References()[pane]);
  errors.insert(errors.end(), opened.begin(), opened.end());
  return true;
}

// A step tells of the lines it skipped itself, not again of those before.
void TLogDocument::ContinuePaneLog(std::uint8_t pane, LogLoader& loader, TLogErrors& errors) {
  TPane& at = panes_[pane];
  TChartSeries& series = Series(pane);
  const int before = series.PointCount();
  const TLoadResult more = loader.Load(series, PointColor, {});
  Continue(at.LastLoad, more);
  at.Followed.Active = more.End == TLoadEnd::EndOfFile;
  if (OnSamplesAppended) {
    OnSamplesAppended(pane, before);
  }
  const TLogErrors told = LoadMessages(pane, more.Skipped);
  errors.insert(errors.end(), told.begin(), told.end());
}

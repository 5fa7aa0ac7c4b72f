#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "log/ColumnShape.h"
#include "log/LogLoader.h"

class TChart;
class TChartSeries;
class TSavedState;

// A way a load ended that the user is told of: the message and its
// details (the file, the line, the samples kept).
struct TLogError {
  std::string Message;
  std::string Details;
  // Where a bad line stopped the load: the file and the line, for the
  // message's own text and not only its details.
  std::string Place = {};
  // What the user asked for (a Cancel), told rather than shown as an error.
  bool Information = false;
};
using TLogErrors = std::vector<TLogError>;

// The progress of logs loaded one after the other, as the one waiting sees
// it.
class TLoadProgress {
public:
  virtual ~TLoadProgress() = default;
  // Log `index` (from 0) of the batch starts loading.
  virtual void StartLog(std::size_t index) = 0;
  // The log being loaded has `shareRead` (0 to 1) of its bytes read; true
  // once the user cancelled.
  virtual bool Report(double shareRead) = 0;
  virtual bool Cancelled() const = 0;
};

// The logs of the four panes: each pane's file, how its last load ended,
// what is noted of its samples and whether it is followed. Opening,
// reloading, reopening and following all load through here and return the
// errors to tell, never raise them.
class TLogDocument {
public:
  static constexpr std::uint8_t PaneCount = 4;
  // The colour every loaded point is stored in; null points are gaps.
  static constexpr TColor PointColor = clBlue;

  // Where a pane's load stopped before the end of the file, and why.
  struct TStop {
    std::optional<long long> Line;  // the bad line's number, the header being line 1
    std::string Reason;
  };
  struct TPaneLog {
    std::string FileName;
    std::optional<TStop> StoppedEarly;
    // The decimal separator the log is read with: the locale's when it was
    // opened, kept for the samples a follow step adds.
    char DecimalSeparator = '.';
    // The seconds the log is shifted by on the common time line.
    double Offset = 0;
    // The log's own title, from its header, once a sample is in.
    std::optional<std::string> Title = std::nullopt;
    // The log's stamps are clock times, which its time axis writes so.
    bool ClockStamps = false;
    // The column shown, for a multi-column log.
    struct TColumn {
      std::size_t Number = 0;  // from 1, as the file's columns are counted
      std::string Name;
      char Delimiter = ',';
    };
    std::optional<TColumn> Column = {};
  };
  // The columns of a multi-column log for the pane and the ones below it,
  // in order (from 0).
  using TColumnChoice = std::vector<std::size_t>;

  // The charts of the panes, top first; their first series takes the log.
  TLogDocument(std::array<TChart*, PaneCount> charts, TSavedState& state);

  // Makes the progress shown for a batch of logs; none: loads show none.
  std::function<std::unique_ptr<TLoadProgress>(const std::vector<std::string>& fileNames)> MakeProgress;
  // The pane gets another log: what was measured or zoomed on the old one goes.
  std::function<void(std::uint8_t pane)> OnLogReplaced;
  // A log of a batch is in (or failed): the panes may show it at once.
  std::function<void()> OnLogOpened;
  // A followed log gained samples after `pointsBefore` points.
  std::function<void(std::uint8_t pane, int pointsBefore)> OnSamplesAppended;
  // A load changed which files are followed.
  std::function<void()> OnFollowedFilesChanged;
  // Asks which columns of a multi-column log go into the pane (and the
  // ones below), `offered` preselected; none: the user cancelled. Unset:
  // the offered column.
  std::function<std::optional<TColumnChoice>(std::uint8_t pane, const TColumnShape& shape, std::size_t offered)>
      ChooseColumns;
  // How long a followed log may be missing before it counts as deleted: a
  // rotation renames it and makes it again at once, with change notices in
  // between.
  std::chrono::milliseconds FollowedMissingGrace{1000};

  // Raises EAssertionFailed for a pane above 3.
  const TPaneLog& PaneLog(std::uint8_t pane) const;
  // How the pane's last load ended (nothing loaded yet: an empty result).
  const TLoadResult& LastLoad(std::uint8_t pane) const;
  // Which of the pane's points were sensor words, and their leading fields.
  TLogNotes& Notes(std::uint8_t pane);
  const TLogNotes& Notes(std::uint8_t pane) const;
  bool AnyLog() const;
  // The first pane without a log, else pane 0.
  std::uint8_t FirstEmptyPane() const;
  std::array<std::string, PaneCount> FileNames() const;
  // Shifts the pane's log in time; its title line says by how much.
  void SetOffset(std::uint8_t pane, double seconds);
  // Keeps the pane's shift with its log's recent entry; raises
  // FileException when the settings cannot be written (the shift holds).
  void RememberOffset(std::uint8_t pane);
  // Each pane's log as the recent list and the last session keep it: the
  // file, and the column of a multi-column log ("FILE:COLUMN").
  std::array<std::string, PaneCount> References() const;
  // The shape of the pane's multi-column log; null for any other.
  const TColumnShape* ColumnShape(std::uint8_t pane) const;
  // The first column of the log that no pane shows, else its first column.
  std::size_t FirstUnshownColumn(const std::string& fileName, const TColumnShape& shape) const;
  // The file name of the last log opened.
  const std::string& LastOpened() const { return lastOpened_; }
  // What hovering the pane tells of its log: the file, the samples, where
  // and why its load stopped; "" for a pane without a log.
  std::string Tip(std::uint8_t pane) const;
  // A load or a follow step runs: its progress lets events in.
  bool Loading() const { return loading_; }

  // Replaces the pane's curve and title by the log's; `fileName` may name
  // a column of a multi-column log ("FILE:COLUMN"), else ChooseColumns
  // picks them. A file that cannot
  // be opened, or is no regular file, changes nothing; a load that stops
  // early keeps the points before. What to tell names the file: the lines
  // skipped, if any, then why the load stopped early, if it did.
  TLogErrors Load(std::uint8_t pane, const std::string& fileName);
  // The columns of a multi-column log into the pane and the ones below it,
  // from one read of the file.
  TLogErrors LoadColumns(std::uint8_t firstPane, const std::string& fileName, const TColumnShape& shape,
                         const TColumnChoice& columns);
  // Load, and a log that opened becomes the newest recent one.
  TLogErrors Open(std::uint8_t pane, const std::string& fileName);
  // The logs into the pane and the ones below it, in order, with one
  // progress; logs beyond the last pane are named in an error.
  TLogErrors OpenLogs(std::uint8_t firstPane, const std::vector<std::string>& fileNames);
  // Every pane's log again from its file.
  TLogErrors ReloadAll();
  // The logs that were in the panes when the window last closed.
  TLogErrors ReopenLast();

  // Following begins: a log whose load took a last line without its line
  // end loads again without it.
  TLogErrors StartFollowing();
  // What the followed logs gained since the last step; `changed` tells
  // whether any pane changed. A step asked for while a load runs waits
  // for the next one.
  TLogErrors FollowStep(bool& changed);
  std::vector<std::string> FollowedFiles() const;

private:
  // Whether each pane's log is followed, and since when its file is
  // missing, if it is.
  struct TFollowedFile {
    bool Active = false;
    std::optional<std::chrono::steady_clock::time_point> MissingSince;
  };
  struct TPane {
    TChart* Chart = nullptr;
    TPaneLog Log;
    TLoadResult LastLoad;
    TLogNotes Notes;
    TFollowedFile Followed;
    std::optional<TColumnShape> Shape;
  };
  using TPaneColumns = std::vector<std::pair<std::uint8_t, std::size_t>>;
  using TLoadRun = std::function<TLoadResult(const LogLoader::TProgress& progress)>;

  TPane& At(std::uint8_t pane);
  const TPane& At(std::uint8_t pane) const;
  TChartSeries& Series(std::uint8_t pane) const;
  TLogErrors OpenBatch(const std::vector<std::pair<std::uint8_t, std::string>>& logs);
  TLoadOptions LoadOptions(std::uint8_t pane, char decimalSeparator);
  void ShowTitle(std::uint8_t pane, const TLoadResult& result);
  TLoadResult LoadShowingProgress(std::uint8_t pane, const TLoadRun& run);
  TLogErrors LoadChosenColumns(std::uint8_t pane, const std::string& fileName, const std::string& column,
                               const TColumnShape& shape);
  TLogErrors LoadPaneColumns(const std::string& fileName, const TColumnShape& shape, const TPaneColumns& columns);
  void StartColumnLoad(std::uint8_t pane, const std::string& fileName, const TColumnShape& shape, std::size_t column,
                       char decimalSeparator);
  // The batch's logs from `first` on that are columns of the same file as
  // it, opened with one read; none when it is no column of a multi-column
  // log.
  std::vector<std::size_t> SameFileColumns(const std::vector<std::pair<std::uint8_t, std::string>>& logs,
                                           std::size_t first, const std::vector<bool>& done) const;
  TLogErrors OpenColumnGroup(const std::vector<std::pair<std::uint8_t, std::string>>& logs,
                             const std::vector<std::size_t>& group);
  void NoteRecent(std::uint8_t pane, TLogErrors& errors);
  bool FollowColumns(std::uint8_t pane, TLogErrors& errors);
  // The title once a sample is in, and the error of a load that stopped.
  std::optional<TLogError> EndLoad(std::uint8_t pane);
  TLogErrors LoadMessages(std::uint8_t pane, const TSkippedLines& skipped);
  // The message of the lines a load or follow step skipped (some).
  TLogError SkippedLinesMessage(std::uint8_t pane, const TSkippedLines& skipped) const;
  void NoteFollowedFile(std::uint8_t pane);
  bool FollowPane(std::uint8_t pane, TLogErrors& errors);
  void ContinuePaneLog(std::uint8_t pane, LogLoader& loader, TLogErrors& errors);

  std::array<TPane, PaneCount> panes_;
  TSavedState& state_;
  TLoadProgress* progress_ = nullptr;
  std::string lastOpened_;
  bool loading_ = false;
};

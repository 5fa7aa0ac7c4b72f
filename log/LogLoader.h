#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "chart/series/TValueStorage.h"
#include "gui/Color.h"
#include "log/LogSample.h"
#include "log/TLoadedFile.h"
#include "log/TLogFileBlocks.h"
#include "log/TLogNotes.h"
#include "log/TSkippedLines.h"

class TChartSeries;

// A place between two lines of a log, with what the lines before it leave
// for the rest.
struct TLogPosition {
  TLogFilePosition File;
  // The line's number in the file, from 1; line 1 is the header.
  std::uint64_t Line = 1;
  // The leading-field rule as the samples before leave it.
  bool FieldSeen = false;

  bool operator==(const TLogPosition&) const = default;
};

// How a load ended.
enum class TLoadEnd {
  EndOfFile,       // every line was taken (a continuation: every whole line)
  BadLine,         // at a line that is no sample: see Message
  ReadError,       // the file could not be read on: see Errno
  OutOfMemory,     // the samples that fitted are in
  TooManySamples,  // the series holds as many samples as it can: those are in
  Cancelled,       // the progress callback asked to stop
};

struct TLoadResult {
  TLoadEnd End = TLoadEnd::EndOfFile;
  std::size_t SamplesAppended = 0;
  // The header's title, when this load read the header.
  std::optional<std::string> Title;
  // The first line not taken: the bad line for BadLine. A continuation
  // starts here.
  TLogPosition Next;
  // The bad line's error: its text quoted, and why it is no sample.
  std::string Message;
  // The errno of the failed read.
  int Errno = 0;
  // The file read, as this load's own descriptor tells it at the end.
  TLoadedFile File;
  // The bad lines skipped (SkipBadLines), each a null point of the series.
  TSkippedLines Skipped;
};

struct TLoadOptions {
  // Read once by the caller: the threads converting samples must not read a
  // process-wide value that may change meanwhile.
  char DecimalSeparator = '.';
  TLogPosition Start;
  // The most samples the series may hold; the load stops when they are in.
  std::size_t SampleLimit = TValueStorage<double>::MaxCount;
  // A last line without a line end is taken (a load), or left for a later
  // load once it is whole (following a growing log).
  bool TakeUnfinishedLine = true;
  // A line that is no sample becomes a gap in the curve, a null point in
  // its place, and the load goes on; else it stops the load.
  bool SkipBadLines = false;
  // Threads converting samples at most; 0 for one per core.
  std::size_t Threads = 0;
  // Where the points loaded from a sensor word and the leading fields are
  // noted, if anywhere.
  TLogNotes* Notes = nullptr;
  TBlockRead Read;           // tests put failing reads here
  TStartThread StartThread;  // tests put failing thread starts here
};

// Loads a log's samples into a series: reads the file in blocks, converts
// them on every core and appends the values in bulk, reporting progress,
// until the end of the file or the first line that stops it (a bad line
// only when it is not skipped).
class LogLoader {
public:
  // Opens the file; raises FileException naming the file and the reason
  // when it cannot be opened or is no regular file, before anything else.
  LogLoader(const std::string& fileName, TLoadOptions options);

  // Told the result so far and the share of the file read after every
  // block; true stops the load.
  using TProgress = std::function<bool(const TLoadResult& sofar, double shareRead)>;

  // Appends the samples from the start position on, each in `color`. Runs
  // once per loader.
  TLoadResult Load(TChartSeries& series, TColor color, const TProgress& progress);

  // How the file opened stands to what an earlier load of a file of the same
  // name read: a follow step continues only the same file, grown.
  TFileState Compare(const TLoadedFile& earlier) const { return blocks_.Compare(earlier); }

private:
  void Take(const TLogSamples::TTaken& taken, TChartSeries& series, TColor color, TSkippedLines& skipped);
  void Note(const TLogSamples::TTaken& taken, std::size_t firstSample);
  void ReadHeader(std::string_view& run, TLoadResult& result);
  void ConvertRuns(std::string_view run, TChartSeries& series, TColor color, const TProgress& progress,
                   TLoadResult& result);
  TLogPosition After(std::string_view run, std::size_t lines, const TLogPosition& start) const;

  TLoadOptions options_;
  TLogFileBlocks blocks_;
  // The first sample line's number and point: every line after it is one
  // point, a gap or a sample.
  std::uint64_t firstSampleLine_ = 0;
  std::size_t firstSamplePoint_ = 0;
};

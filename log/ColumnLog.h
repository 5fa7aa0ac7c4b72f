#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "log/ColumnShape.h"
#include "log/LogLoader.h"

// One column of a multi-column log and the series it goes into.
struct TColumnTarget {
  std::size_t Column = 0;
  TChartSeries* Series = nullptr;
  // Where the column's sensor words and, for a stamped log, the samples'
  // time stamps are noted, if anywhere.
  TLogNotes* Notes = nullptr;
};

// Loads columns of a multi-column log into their series in one read of the
// file: every line is split once, its columns converted on both cores, and
// each series gets its column's values in bulk. A line that is no sample
// (another number of fields, a field that is no number) stops the load, or
// with SkipBadLines is a gap in every series.
class TColumnLoader {
public:
  // Opens the file; raises FileException naming the file and the reason
  // when it cannot be opened or is no regular file. Options.Notes is not
  // used: each target has its own.
  TColumnLoader(const std::string& fileName, TColumnShape shape, TLoadOptions options);
  ~TColumnLoader();
  TColumnLoader(const TColumnLoader&) = delete;
  TColumnLoader& operator=(const TColumnLoader&) = delete;

  // Appends the targets' columns from the start position on, each point in
  // `color`; the title is the header's first column name. Runs once.
  TLoadResult Load(const std::vector<TColumnTarget>& targets, TColor color, const LogLoader::TProgress& progress);

  TFileState Compare(const TLoadedFile& earlier) const { return blocks_.Compare(earlier); }

private:
  struct TPiece;
  void ConvertRuns(std::string_view run, const std::vector<TColumnTarget>& targets, TColor color,
                   const LogLoader::TProgress& progress, TLoadResult& result);
  void Convert(std::string_view text, TPiece& piece, const std::vector<TColumnTarget>& targets) const;
  void NoteStamps(const TPiece& piece, const std::vector<TColumnTarget>& targets, std::size_t held,
                  std::size_t lines) const;
  void AppendTimes(const TPiece& piece, std::size_t lines, TStampTimes& times) const;
  bool Take(const TPiece& piece, const std::vector<TColumnTarget>& targets, TColor color, TLoadResult& result);

  TColumnShape shape_;
  TLoadOptions options_;
  TLogFileBlocks blocks_;
  std::vector<TPiece> pieces_;
};

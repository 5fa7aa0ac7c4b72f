#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/measure/CursorReadout.h"

class TChartSeries;
class TWordSamples;

// Appends the text to `out` as a cell of CSV text: as it is, or when it
// holds one of the `special` characters (the column separator, a quote, a
// line break) in quotes, its quotes doubled.
void AppendCsvCell(std::string& out, std::string_view text, std::string_view special);

// A pane's column of an exported stretch: its title, its log's points from
// Samples->First to Samples->Last (none: the pane has no sample in the
// stretch), which of them were sensor words and the decimal separator its
// log was read with.
struct TExportColumn {
  std::string Title;
  const TChartSeries* Series = nullptr;
  std::optional<TColumnSamples> Samples;
  const TWordSamples* Words = nullptr;
  char DecimalSeparator = '.';
};

// The CSV text of a stretch of the panes, made a piece at a time so that a
// long stretch is never in memory whole: a header row ("Sample" and each
// column's title), then a row a sample number that any column has, with
// each column's value there or an empty cell. A value is the shortest text
// that reads back as the same double, with its log's decimal separator; a
// sensor word is its word. Columns are separated by ";" when a log's
// decimal separator is ",", else by ","; a cell holding the column
// separator, a quote or a line break is quoted.
class TStretchCsv {
public:
  explicit TStretchCsv(std::vector<TExportColumn> columns);

  // The next piece of the text; empty at its end.
  std::string_view NextPiece();

private:
  void AddCell(std::string_view text);
  void AddHeader();
  // The row of the smallest sample number still to come; false when none is.
  bool AddRow();
  std::string ValueText(const TExportColumn& column, int index) const;

  std::vector<TExportColumn> columns_;
  std::vector<int> next_;  // each column's next point
  char separator_ = ',';
  std::string quoted_;  // the characters that make a cell quoted
  bool headerDone_ = false;
  std::string piece_;
};

// Writes the stretch's CSV to the file, replacing it whole (keeping its
// permissions) or not at all; raises FileException "Cannot export to
// '<file>': <reason>" when it cannot.
void WriteStretchCsv(const std::string& fileName, std::vector<TExportColumn> columns);

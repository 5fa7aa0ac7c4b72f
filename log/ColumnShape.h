#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/TStampTimes.h"

// A log of several columns, as other recorders and spreadsheets write them:
// a header of names, then one line of fields a sample, all separated by one
// delimiter.
struct TColumnShape {
  char Delimiter = ',';
  // The header's fields, the first column first.
  std::vector<std::string> Names;
  // The first few samples' fields, a row a sample.
  std::vector<std::vector<std::string>> FirstRows;
  // The first column holds time stamps: increasing numbers or clock times.
  bool Stamped = false;
  // The columns a pane may show (from 0): those whose fields are numbers or
  // sensor words, the stamps left out.
  std::vector<std::size_t> DataColumns;
};

// How many sample lines tell a log's shape.
inline constexpr std::size_t ShapeSampleLines = 100;

// The fields of a line split at `delimiter`. A field in double quotes may
// hold the delimiter; the quotes are left out.
std::vector<std::string_view> SplitFields(std::string_view line, char delimiter);
// The same into `fields`, whose room is kept from line to line.
void SplitFieldsInto(std::string_view line, char delimiter, std::vector<std::string_view>& fields);

// The value of a column's field: a sensor word's fixed value, or the number,
// a "," in it standing for the decimal point. Raises EConvertError naming
// the field when it is neither.
double ColumnValue(std::string_view field, char decimalSeparator);

// The time stamp of a first column's field, a "," in it standing for the
// decimal point; none when it is no stamp.
std::optional<TStamp> ColumnStamp(std::string_view field);
// ColumnStamp, telling also how the field was written.
std::optional<TStamp> ColumnStamp(std::string_view field, TStampForm& form);

// The shape of the log whose first bytes are `head` (the whole file when
// `wholeFile`, else only its whole lines count): several columns when the
// header and the first sample lines have the same number of fields, at
// least three, split at a tab, ";" or ",", and every field after the first
// is a number or a sensor word. None for anything else, a one-parameter log.
std::optional<TColumnShape> RecogniseColumns(std::string_view head, bool wholeFile);

// The shape of the log in `fileName`, read from its first bytes; none for a
// one-parameter log and for a file that cannot be read (its load tells why).
std::optional<TColumnShape> ReadColumnShape(const std::string& fileName);

// The column `name` names: a column's name, else its number from 1. None
// when it names no column a pane may show.
std::optional<std::size_t> FindColumn(const TColumnShape& shape, std::string_view name);

// "tab", ";" or ",": the delimiter as a message or JSON tells it.
std::string DelimiterName(char delimiter);

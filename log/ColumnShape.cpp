#include "log/ColumnShape.h"

#include <algorithm>
#include <array>

#include "log/LogSample.h"
#include "log/RegularFile.h"
#include "log/TLogLines.h"
#include "runtime/Exception.h"

namespace {

// The delimiters tried, a tab first: a tab or ";" file may hold "," as its
// decimal separator.
constexpr std::array<char, 3> kDelimiters = {'\t', ';', ','};
// The first samples' fields the column picker shows.
constexpr std::size_t kRowsKept = 3;
// Enough for the header and the shape's sample lines at their longest.
constexpr std::size_t kHeadBytes = (ShapeSampleLines + 1) * (MaxLogLineLength + 2);

using TDecimalPoint = std::array<char, MaxLogLineLength>;

// The field with its first "," made a ".", in `point` when it has one.
std::string_view WithDecimalPoint(std::string_view field, TDecimalPoint& point) {
  const std::size_t comma = field.find(',');
  if (comma == std::string_view::npos || field.size() > point.size()) {
    return field;
  }
  std::copy(field.begin(), field.end(), point.begin());
  point[comma] = '.';
  return {point.data(), field.size()};
}

std::string_view Unquoted(std::string_view field) {
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
    return field.substr(1, field.size() - 2);
  }
  return field;
}

bool IsValue(std::string_view field) {
  try {
    ColumnValue(field, '.');
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

// The whole lines of the head, a last line without its line end only when
// the head is the whole file; a 0x1A byte ends the file.
std::vector<std::string_view> HeadLines(std::string_view head, bool wholeFile) {
  if (const std::size_t end = head.find('\x1a'); end != std::string_view::npos) {
    head = head.substr(0, end);
    wholeFile = true;
  }
  if (!wholeFile) {
    const std::size_t lastEnd = head.find_last_of("\r\n");
    head = head.substr(0, lastEnd == std::string_view::npos ? 0 : lastEnd);
  }
  std::vector<std::string_view> lines;
  TLogLines scan(head);
  TLogLine line;
  while (lines.size() <= ShapeSampleLines && scan.Next(line)) {
    lines.push_back(line.Text);
  }
  return lines;
}

// The rows of fields when every line splits into the header's number of
// fields, at least three, and the fields after the first are values.
std::optional<std::vector<std::vector<std::string_view>>> Rows(const std::vector<std::string_view>& lines,
                                                               char delimiter) {
  std::vector<std::vector<std::string_view>> rows;
  for (const std::string_view line : lines) {
    rows.push_back(SplitFields(line, delimiter));
    const std::vector<std::string_view>& fields = rows.back();
    if (fields.size() < 3 || fields.size() != rows.front().size() ||
        (rows.size() > 1 && !std::all_of(fields.begin() + 1, fields.end(), IsValue))) {
      return std::nullopt;
    }
  }
  return rows;
}

// Each stamp at least the one before.
bool HoldsStamps(const std::vector<std::vector<std::string_view>>& rows) {
  std::optional<double> before;
  for (std::size_t row = 1; row < rows.size(); ++row) {
    const std::optional<TStamp> stamp = ColumnStamp(rows[row][0]);
    if (!stamp || (before && StampSeconds(*stamp) < *before)) {
      return false;
    }
    before = StampSeconds(*stamp);
  }
  return true;
}

TColumnShape ShapeOf(const std::vector<std::vector<std::string_view>>& rows, char delimiter) {
  TColumnShape shape;
  shape.Delimiter = delimiter;
  shape.Names.assign(rows.front().begin(), rows.front().end());
  for (std::size_t row = 1; row < rows.size() && row <= kRowsKept; ++row) {
    shape.FirstRows.emplace_back(rows[row].begin(), rows[row].end());
  }
  shape.Stamped = HoldsStamps(rows);
  const bool firstIsData =
      !shape.Stamped && std::all_of(rows.begin() + 1, rows.end(), [](const auto& row) { return IsValue(row[0]); });
  for (std::size_t column = firstIsData ? 0 : 1; column < shape.Names.size(); ++column) {
    shape.DataColumns.push_back(column);
  }
  return shape;
}

}  // namespace

std::vector<std::string_view> SplitFields(std::string_view line, char delimiter) {
  std::vector<std::string_view> fields;
  SplitFieldsInto(line, delimiter, fields);
  return fields;
}

void SplitFieldsInto(std::string_view line, char delimiter, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') {
      quoted = !quoted;
    } else if (line[i] == delimiter && !quoted) {
      fields.push_back(Unquoted(line.substr(start, i - start)));
      start = i + 1;
    }
  }
  fields.push_back(Unquoted(line.substr(start)));
}

double ColumnValue(std::string_view field, char decimalSeparator) {
  TDecimalPoint point;
  return SampleValue(WithDecimalPoint(field, point), decimalSeparator);
}

std::optional<TStamp> ColumnStamp(std::string_view field, TStampForm& form) {
  TDecimalPoint point;
  const std::optional<TStamp> stamp = ParseStamp(WithDecimalPoint(field, point), form);
  // The mark as written, not as read.
  if (stamp && form.Mark != 0 && field.find(',') != std::string_view::npos) {
    form.Mark = ',';
  }
  return stamp;
}

std::optional<TStamp> ColumnStamp(std::string_view field) {
  TStampForm form;
  return ColumnStamp(field, form);
}

std::optional<TColumnShape> RecogniseColumns(std::string_view head, bool wholeFile) {
  const std::vector<std::string_view> lines = HeadLines(head, wholeFile);
  if (lines.size() < 2) {
    return std::nullopt;
  }
  for (const char delimiter : kDelimiters) {
    if (const auto rows = Rows(lines, delimiter)) {
      return ShapeOf(*rows, delimiter);
    }
  }
  return std::nullopt;
}

std::optional<TColumnShape> ReadColumnShape(const std::string& fileName) {
  const std::optional<std::string> head = ReadRegularFile(fileName, kHeadBytes);
  if (!head) {
    return std::nullopt;
  }
  return RecogniseColumns(*head, head->size() < kHeadBytes);
}

std::optional<std::size_t> FindColumn(const TColumnShape& shape, std::string_view name) {
  const auto named = std::find(shape.Names.begin(), shape.Names.end(), name);
  std::size_t column = static_cast<std::size_t>(named - shape.Names.begin());
  if (named == shape.Names.end()) {
    std::size_t number = 0;
    for (const char c : name) {
      if (c < '0' || c > '9' || number > shape.Names.size()) {
        return std::nullopt;
      }
      number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    if (number == 0) {
      return std::nullopt;
    }
    column = number - 1;
  }
  const bool data = std::find(shape.DataColumns.begin(), shape.DataColumns.end(), column) != shape.DataColumns.end();
  return data ? std::optional<std::size_t>(column) : std::nullopt;
}

std::string DelimiterName(char delimiter) { return delimiter == '\t' ? "tab" : std::string(1, delimiter); }

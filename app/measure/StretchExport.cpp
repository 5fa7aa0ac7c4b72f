#include "app/measure/StretchExport.h"

#include <algorithm>

#include "app/state/ReplaceFile.h"
#include "chart/series/TChartSeries.h"
#include "log/LogSample.h"
#include "log/TWordSamples.h"
#include "runtime/NumberFormat.h"

namespace {

// Large enough that the writes cost little, small enough to stay in the
// cache.
constexpr std::size_t kPieceSize = std::size_t{1} << 16;

// Whether the column has no point left to write.
bool ColumnDone(const TExportColumn& column, int next) { return !column.Samples || next > column.Samples->Last; }

}  // namespace

void AppendCsvCell(std::string& out, std::string_view text, std::string_view special) {
  if (text.find_first_of(special) == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char c : text) {
    out += c;
    if (c == '"') {
      out += '"';
    }
  }
  out += '"';
}

TStretchCsv::TStretchCsv(std::vector<TExportColumn> columns) : columns_(std::move(columns)) {
  const bool decimalComma = std::any_of(columns_.begin(), columns_.end(),
                                        [](const TExportColumn& column) { return column.DecimalSeparator == ','; });
  separator_ = decimalComma ? ';' : ',';
  quoted_ = std::string{separator_} + "\"\r\n";
  for (const TExportColumn& column : columns_) {
    next_.push_back(column.Samples ? column.Samples->First : 0);
  }
}

std::string_view TStretchCsv::NextPiece() {
  piece_.clear();
  if (!headerDone_) {
    AddHeader();
    headerDone_ = true;
  }
  while (piece_.size() < kPieceSize && AddRow()) {
  }
  return piece_;
}

void TStretchCsv::AddCell(std::string_view text) { AppendCsvCell(piece_, text, quoted_); }

void TStretchCsv::AddHeader() {
  AddCell("Sample");
  for (const TExportColumn& column : columns_) {
    piece_ += separator_;
    AddCell(column.Title);
  }
  piece_ += '\n';
}

bool TStretchCsv::AddRow() {
  std::optional<double> sample;
  for (std::size_t k = 0; k < columns_.size(); ++k) {
    if (!ColumnDone(columns_[k], next_[k])) {
      const double x = columns_[k].Series->XValueAt(next_[k]);
      sample = sample ? std::min(*sample, x) : x;
    }
  }
  if (!sample) {
    return false;
  }
  // Sample numbers are whole numbers: the separator shows only in one that is not.
  AddCell(ShortestNumberText(*sample, separator_ == ';' ? ',' : '.'));
  for (std::size_t k = 0; k < columns_.size(); ++k) {
    piece_ += separator_;
    if (!ColumnDone(columns_[k], next_[k]) && columns_[k].Series->XValueAt(next_[k]) == *sample) {
      AddCell(ValueText(columns_[k], next_[k]));
      ++next_[k];
    }
  }
  piece_ += '\n';
  return true;
}

std::string TStretchCsv::ValueText(const TExportColumn& column, int index) const {
  const double value = column.Series->YValueAt(index);
  if (column.Words != nullptr && column.Words->IsWord(static_cast<std::size_t>(index))) {
    if (const std::optional<std::string_view> word = SensorWordText(value)) {
      return std::string(*word);
    }
  }
  return ShortestNumberText(value, column.DecimalSeparator);
}

void WriteStretchCsv(const std::string& fileName, std::vector<TExportColumn> columns) {
  const std::string failure = "Cannot export to";
  const mode_t mode = WritableFileMode(fileName, failure).value_or(NewFileMode());
  TStretchCsv csv(std::move(columns));
  const TTextPieces pieces = [&csv] { return csv.NextPiece(); };
  ReplaceFile(fileName, pieces, mode, failure);
}

#include "log/TLeadingFields.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "log/ColumnShape.h"
#include "log/LogSample.h"
#include "log/RegularFile.h"
#include "log/TLogLines.h"

namespace {

// Large enough for the lines between two marks in most logs at once.
constexpr std::size_t kFirstRead = std::size_t{1} << 12;
// Lines between two marks, each at most MaxLogLineLength long with its line
// end: reading stops here whatever the file holds.
constexpr std::size_t kLongestRead = LineStartStep * (MaxLogLineLength + 2) + kFirstRead;

// The text of a line before its first `delimiter`; none without one.
std::optional<std::string_view> FieldBefore(std::string_view line, char delimiter) {
  const std::size_t end = line.find(delimiter);
  return end == std::string_view::npos ? std::nullopt : std::optional(line.substr(0, end));
}

// The line `skip` lines after the start of `text`, when `text` holds it up
// to its first `delimiter` or its line end.
std::optional<std::string_view> LineAfter(std::string_view text, std::uint64_t skip, bool wholeFile, char delimiter) {
  TLogLines lines(text);
  TLogLine line;
  for (std::uint64_t k = 0; k <= skip; ++k) {
    if (!lines.Next(line)) {
      return std::nullopt;
    }
  }
  const bool ended = !lines.Rest().empty() || wholeFile;
  if (!ended && !FieldBefore(line.Text, delimiter)) {
    return std::nullopt;
  }
  return line.Text;
}

std::string_view WithoutBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The leading field of a sample's line. Every sample's field is a number;
// a skipped line's may be anything.
std::optional<std::string> StampField(std::string_view line, char delimiter) {
  const std::optional<std::string_view> field = FieldBefore(line, delimiter);
  const bool stamp = field && (IsNumericField(*field) || ColumnStamp(*field));
  return stamp ? std::optional<std::string>(WithoutBlanks(*field)) : std::nullopt;
}

// Texts kept for a hover: a few lines around each of the markers and the
// cursor's column.
constexpr std::size_t kKeptReads = 4;

}  // namespace

void TLeadingFields::Reset(std::string fileName, char delimiter) {
  fileName_ = std::move(fileName);
  delimiter_ = delimiter;
  file_.reset();
  fileChanged_ = false;
  numeric_ = true;
  marks_.clear();
  marks_.shrink_to_fit();
  reads_.clear();
}

void TLeadingFields::Mark(std::uint64_t sample, TLogFilePosition position) {
  if (numeric_) {
    marks_.push_back({sample, position});
  }
}

void TLeadingFields::NoteNotNumeric() {
  numeric_ = false;
  marks_.clear();
  marks_.shrink_to_fit();
}

std::size_t TLeadingFields::MarksUpTo(std::uint64_t sample) const {
  return static_cast<std::size_t>(std::upper_bound(marks_.begin(), marks_.end(), sample,
                                                   [](std::uint64_t s, const TMark& mark) { return s < mark.Sample; }) -
                                  marks_.begin());
}

void TLeadingFields::ForgetBefore(std::uint64_t sample) {
  const std::size_t upTo = MarksUpTo(sample);
  if (upTo > 1) {
    marks_.erase(marks_.begin(), marks_.begin() + static_cast<std::ptrdiff_t>(upTo - 1));
  }
}

std::optional<std::string> TLeadingFields::Field(std::uint64_t sample) const {
  if (!Known() || sample < marks_.front().Sample) {
    return std::nullopt;
  }
  const TMark& mark = marks_[MarksUpTo(sample) - 1];
  // Read from the file loaded, so still right if it has changed since.
  for (const TRead& read : reads_) {
    if (read.Offset == mark.Position.Offset) {
      if (const std::optional<std::string_view> line = LineIn(read.Text, mark, sample, false)) {
        return StampField(*line, delimiter_);
      }
    }
  }
  const TRegularFileReader file(fileName_);
  if (!file.IsOpen()) {
    return std::nullopt;
  }
  if (CompareLoadedFile(file.Descriptor(), *file_) == TFileState::Other) {
    NoteFileChanged();
    return std::nullopt;
  }
  return FieldIn(file, mark, sample);
}

void TLeadingFields::NoteFileChanged() const {
  fileChanged_ = true;
  if (OnFileChanged) {
    OnFileChanged();
  }
}

// The text is read from the mark before the sample, twice as much each time,
// until it holds the sample's line: a mark is at most LineStartStep lines
// before.
std::optional<std::string> TLeadingFields::FieldIn(const TRegularFileReader& file, const TMark& mark,
                                                   std::uint64_t sample) const {
  for (std::size_t size = kFirstRead;; size *= 2) {
    std::string text = file.ReadAt(mark.Position.Offset, size);
    const bool wholeFile = text.size() < size;
    if (const std::optional<std::string_view> line = LineIn(text, mark, sample, wholeFile)) {
      std::optional<std::string> field = StampField(*line, delimiter_);
      if (reads_.size() == kKeptReads) {
        reads_.erase(reads_.begin());
      }
      reads_.push_back({mark.Position.Offset, std::move(text)});
      return field;
    }
    if (wholeFile || size >= kLongestRead) {
      return std::nullopt;
    }
  }
}

std::optional<std::string_view> TLeadingFields::LineIn(std::string_view text, const TMark& mark, std::uint64_t sample,
                                                       bool wholeFile) const {
  // The LF of a CR LF whose CR ended the line before the mark.
  const std::size_t start = mark.Position.AfterCr && !text.empty() && text.front() == '\n' ? 1 : 0;
  return LineAfter(text.substr(start), sample - mark.Sample, wholeFile, delimiter_);
}

namespace {

struct TFieldNumber {
  double Value = 0;
  int Decimals = 0;
  bool Exponent = false;
  bool DecimalComma = false;
};

// The parser takes no "+" sign; the field was checked to be a number.
std::optional<TFieldNumber> ParseField(std::string_view written) {
  std::string pointed(WithoutBlanks(written));
  const bool comma = pointed.find(',') != std::string::npos;
  std::replace(pointed.begin(), pointed.end(), ',', '.');
  std::string_view field = pointed;
  if (!IsNumericField(field)) {
    return std::nullopt;
  }
  if (field.front() == '+') {
    field.remove_prefix(1);
  }
  TFieldNumber number;
  number.DecimalComma = comma;
  if (std::from_chars(field.data(), field.data() + field.size(), number.Value).ec != std::errc()) {
    return std::nullopt;
  }
  const std::size_t exponent = field.find_first_of("eE");
  number.Exponent = exponent != std::string_view::npos;
  const std::string_view mantissa = field.substr(0, exponent);
  if (const std::size_t point = mantissa.find('.'); point != std::string_view::npos) {
    number.Decimals = static_cast<int>(mantissa.size() - point - 1);
  }
  return number;
}

}  // namespace

std::optional<std::string> FieldDifference(std::string_view from, std::string_view to) {
  const std::optional<TFieldNumber> a = ParseField(from);
  const std::optional<TFieldNumber> b = ParseField(to);
  if (!a || !b) {
    return std::nullopt;
  }
  std::array<char, 64> text{};
  const double difference = b->Value - a->Value;
  const std::to_chars_result written =
      a->Exponent || b->Exponent
          ? std::to_chars(text.data(), text.data() + text.size(), difference, std::chars_format::general, 6)
          : std::to_chars(text.data(), text.data() + text.size(), difference, std::chars_format::fixed,
                          std::max(a->Decimals, b->Decimals));
  if (written.ec != std::errc()) {
    return std::nullopt;
  }
  std::string shown(text.data(), written.ptr);
  if (a->DecimalComma || b->DecimalComma) {
    std::replace(shown.begin(), shown.end(), '.', ',');
  }
  return shown;
}

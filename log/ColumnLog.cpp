#include "log/ColumnLog.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "chart/series/TChartSeries.h"
#include "log/TLogLines.h"
#include "runtime/Exception.h"

namespace {

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

// Where the second half of a run starts: after the line end nearest past
// its middle, or none when the run is one line.
std::size_t SecondHalf(std::string_view run) {
  const std::size_t end = run.find_first_of("\r\n", run.size() / 2);
  if (end == std::string_view::npos) {
    return run.size();
  }
  return end + (run[end] == '\r' && end + 1 < run.size() && run[end + 1] == '\n' ? 2 : 1);
}

// Gaps keep the value before them, so that the value axis stays as the
// samples make it; gaps before the first sample take its value once it
// comes.
void AppendGaps(std::size_t count, TChartSeries& series) {
  const int points = series.PointCount();
  series.AppendValues(std::vector<double>(count, points > 0 ? series.YValueAt(points - 1) : 0.0), clNone);
}

void AppendSamples(std::span<const double> values, TChartSeries& series, TColor color) {
  const int points = series.PointCount();
  if (points > 0 && series.IsNullPoint(points - 1) && !values.empty()) {
    int k = 0;
    while (k < points && series.IsNullPoint(k)) {
      ++k;
    }
    for (int gap = 0; k == points && gap < points; ++gap) {
      series.YValues().SetValueAt(gap, values.front());
    }
  }
  series.AppendValues(values, color);
}

// Each run of samples and each run of gaps in one append.
void AppendColumn(std::span<const double> values, TChartSeries& series, TColor color) {
  for (std::size_t i = 0; i < values.size();) {
    const bool gap = std::isnan(values[i]);
    std::size_t end = i + 1;
    while (end < values.size() && std::isnan(values[end]) == gap) {
      ++end;
    }
    if (gap) {
      AppendGaps(end - i, series);
    } else {
      AppendSamples(values.subspan(i, end - i), series, color);
    }
    i = end;
  }
}

}  // namespace

// The lines of one part of a run, converted.
struct TColumnLoader::TPiece {
  struct TGap {
    std::size_t Index = 0;
    std::string_view Text;
  };
  std::string_view Text;
  std::size_t Lines = 0;
  // A target's values, gaps as NaN, and the indices of its sensor words.
  std::vector<std::vector<double>> Values;
  std::vector<std::vector<std::size_t>> Words;
  std::vector<std::optional<TStamp>> Stamps;
  // Where each line starts, when the leading fields are the stamps.
  std::vector<const char*> Starts;
  std::vector<TGap> Gaps;
  // The line that stopped the conversion, and why.
  std::optional<std::string> Error;
  std::exception_ptr Failure;  // memory that ran out
};

TColumnLoader::TColumnLoader(const std::string& fileName, TColumnShape shape, TLoadOptions options)
    : shape_(std::move(shape)),
      options_(std::move(options)),
      blocks_(fileName, options_.Read, TLogFileStart{options_.Start.File, options_.TakeUnfinishedLine}) {}

TLoadResult TColumnLoader::Load(const std::vector<TColumnTarget>& targets, TColor color,
                                const LogLoader::TProgress& progress) {
  TLoadResult result;
  result.Next = options_.Start;
  try {
    std::string_view run;
    if (blocks_.Next(run)) {
      if (result.Next.Line == 1) {
        TLogLines lines(run);
        TLogLine header;
        lines.Next(header);
        run = lines.Rest();
        result.Next = {blocks_.PositionOf(run.data()), 2, false};
      }
      ConvertRuns(run, targets, color, progress, result);
    }
  } catch (const std::bad_alloc&) {
    result.End = TLoadEnd::OutOfMemory;
  }
  if (result.End == TLoadEnd::EndOfFile) {
    result.Next.File = blocks_.Delivered();
    if (blocks_.ReadError() != 0) {
      result.End = TLoadEnd::ReadError;
      result.Errno = blocks_.ReadError();
    }
  }
  result.File = blocks_.LoadedFile(result.Next.File.Offset);
  for (const TColumnTarget& target : targets) {
    if (target.Notes != nullptr) {
      target.Notes->Leading.ReadFrom(result.File);
    }
  }
  return result;
}

// The run's two halves convert at once, the second on a thread of its own
// when one can be started.
void TColumnLoader::ConvertRuns(std::string_view run, const std::vector<TColumnTarget>& targets, TColor color,
                                const LogLoader::TProgress& progress, TLoadResult& result) {
  do {
    const std::size_t half = SecondHalf(run);
    TPiece first;
    first.Text = run.substr(0, half);
    TPiece second;
    second.Text = run.substr(half);
    {
      std::jthread helper;
      try {
        helper = options_.StartThread ? options_.StartThread([&] { Convert(second, targets); })
                                      : std::jthread([&] { Convert(second, targets); });
      } catch (const std::system_error&) {
        Convert(second, targets);
      }
      Convert(first, targets);
    }
    if (!Take(first, targets, color, result) || !Take(second, targets, color, result)) {
      return;
    }
    result.Next.File = blocks_.PositionOf(run.data() + run.size());
    if (progress && progress(result, blocks_.ShareRead())) {
      result.End = TLoadEnd::Cancelled;
      return;
    }
  } while (blocks_.Next(run));
}

// Every line converts into all targets or none; a bad line stops the
// piece, or is a gap when skipped.
void TColumnLoader::Convert(TPiece& piece, const std::vector<TColumnTarget>& targets) const {
  try {
    piece.Values.resize(targets.size());
    piece.Words.resize(targets.size());
    std::vector<double> row(targets.size());
    std::vector<std::string_view> fields;
    TLogLines lines(piece.Text);
    TLogLine line;
    while (lines.Next(line)) {
      SplitFieldsInto(line.Text, shape_.Delimiter, fields);
      std::optional<std::string> error;
      if (line.Truncated) {
        error = "the line is longer than " + std::to_string(MaxLogLineLength) + " characters";
      } else if (fields.size() != shape_.Names.size()) {
        error = "the line has " + std::to_string(fields.size()) + " fields, not " +
                std::to_string(shape_.Names.size()) + ": '" + std::string(line.Text) + "'";
      }
      for (std::size_t t = 0; t < targets.size() && !error; ++t) {
        const std::size_t column = targets[t].Column;
        try {
          row[t] = ColumnValue(fields[column], options_.DecimalSeparator);
        } catch (const EConvertError& bad) {
          error = "column " + std::to_string(column + 1) + " '" + shape_.Names[column] + "': " + bad.Message();
        }
      }
      if (error && !options_.SkipBadLines) {
        piece.Error = std::move(error);
        return;
      }
      for (std::size_t t = 0; t < targets.size(); ++t) {
        piece.Values[t].push_back(error ? kGap : row[t]);
        if (!error && SensorWordText(row[t]) == fields[targets[t].Column]) {
          piece.Words[t].push_back(piece.Lines);
        }
      }
      if (error) {
        piece.Gaps.push_back({piece.Lines, line.Text});
      }
      if (shape_.Stamped) {
        piece.Stamps.push_back(error ? std::nullopt : ColumnStamp(fields[0]));
      }
      if (LeadingFieldsAreStamps()) {
        piece.Starts.push_back(line.Text.data());
      }
      ++piece.Lines;
    }
  } catch (const std::bad_alloc&) {
    piece.Failure = std::current_exception();
  }
}

// The stamps as times, and as the leading fields the readout shows where
// they are the text before a line's first ",".
void TColumnLoader::NoteStamps(const TPiece& piece, const std::vector<double>& values, std::size_t held,
                               std::size_t lines, TLogNotes& notes) const {
  TStampTimes& times = notes.Times;
  for (std::size_t k = 0; k < lines && shape_.Stamped && times.KnownSoFar(); ++k) {
    if (std::isnan(values[k])) {
      times.AppendGap(piece.Stamps[k]);
    } else {
      times.Append(piece.Stamps[k]);
    }
  }
  for (std::size_t k = (LineStartStep - held % LineStartStep) % LineStartStep; k < piece.Starts.size() && k < lines;
       k += LineStartStep) {
    notes.Leading.Mark(held + k, blocks_.PositionOf(piece.Starts[k]));
  }
}

bool TColumnLoader::LeadingFieldsAreStamps() const { return shape_.Stamped && shape_.Delimiter == ','; }

// Whether the load goes on after the piece: its lines are in every series,
// up to the series' limit.
bool TColumnLoader::Take(const TPiece& piece, const std::vector<TColumnTarget>& targets, TColor color,
                         TLoadResult& result) {
  if (piece.Failure) {
    std::rethrow_exception(piece.Failure);
  }
  const std::size_t held = targets.empty() ? 0 : static_cast<std::size_t>(targets.front().Series->PointCount());
  const std::size_t room = options_.SampleLimit - std::min(options_.SampleLimit, held);
  const std::size_t lines = std::min(piece.Lines, room);
  for (std::size_t t = 0; t < targets.size(); ++t) {
    const TColumnTarget& target = targets[t];
    AppendColumn(std::span(piece.Values[t]).first(lines), *target.Series, color);
    if (target.Notes == nullptr) {
      continue;
    }
    for (const std::size_t word : piece.Words[t]) {
      if (word < lines) {
        target.Notes->Words.Mark(held + word);
      }
    }
    NoteStamps(piece, piece.Values[t], held, lines, *target.Notes);
  }
  for (const TPiece::TGap& gap : piece.Gaps) {
    if (gap.Index < lines) {
      result.Skipped.Add(result.Next.Line + gap.Index, gap.Text);
    }
  }
  result.SamplesAppended += lines;
  result.Next.Line += lines;
  if (lines < piece.Lines) {
    result.End = TLoadEnd::TooManySamples;
  } else if (piece.Error) {
    result.End = TLoadEnd::BadLine;
    result.Message = *piece.Error;
  } else {
    return true;
  }
  // The load goes on from the first line not taken.
  TLogLines scan(piece.Text);
  TLogLine line;
  std::size_t skipped = 0;
  while (skipped < lines && scan.Next(line)) {
    ++skipped;
  }
  result.Next.File = blocks_.PositionOf(scan.Rest().data());
  return false;
}

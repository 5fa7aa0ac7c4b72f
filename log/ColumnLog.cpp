#include "log/ColumnLog.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <span>
#include <stdexcept>

#include "chart/series/TChartSeries.h"
#include "log/RunPieces.h"
#include "log/SeriesAppend.h"
#include "log/TLogLines.h"
#include "runtime/Exception.h"

namespace {

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

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
  TStampSpelling Spelling;
  // Where each line starts, when the leading fields are the stamps.
  std::vector<const char*> Starts;
  std::vector<TGap> Gaps;
  // The line that stopped the conversion, and why.
  std::optional<std::string> Error;
  std::exception_ptr Failure;  // memory that ran out

  // Nothing converted yet of `text`; the lists keep their room.
  void Clear(std::string_view text, std::size_t targets) {
    Text = text;
    Lines = 0;
    Values.resize(targets);
    Words.resize(targets);
    for (std::size_t t = 0; t < targets; ++t) {
      Values[t].clear();
      Words[t].clear();
    }
    Stamps.clear();
    Spelling = {};
    Starts.clear();
    Gaps.clear();
    Error.reset();
    Failure = nullptr;
  }
};

TColumnLoader::TColumnLoader(const std::string& fileName, TColumnShape shape, TLoadOptions options)
    : shape_(std::move(shape)),
      options_(std::move(options)),
      blocks_(fileName, options_.Read, TLogFileStart{options_.Start.File, options_.TakeUnfinishedLine}) {}

TColumnLoader::~TColumnLoader() = default;

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

// Each piece is taken on this thread as soon as it is converted, while the
// other threads convert the rest.
void TColumnLoader::ConvertRuns(std::string_view run, const std::vector<TColumnTarget>& targets, TColor color,
                                const LogLoader::TProgress& progress, TLoadResult& result) {
  const std::size_t threads = ConvertingThreads(options_.Threads);
  do {
    const std::vector<std::string_view> texts = SplitAtLineEnds(run, threads);
    // Kept from run to run: fresh ones would fault in their pages every time.
    if (pieces_.size() < texts.size()) {
      pieces_.resize(texts.size());
    }
    bool goesOn = true;
    ConvertInOrder(
        texts.size(), threads, options_.StartThread, [&](std::size_t i) { Convert(texts[i], pieces_[i], targets); },
        [&](std::size_t i) { return goesOn = Take(pieces_[i], targets, color, result); });
    if (!goesOn) {
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
void TColumnLoader::Convert(std::string_view text, TPiece& piece, const std::vector<TColumnTarget>& targets) const {
  try {
    piece.Clear(text, targets.size());
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
        TStampForm form;
        const std::optional<TStamp> stamp = error ? std::nullopt : ColumnStamp(fields[0], form);
        if (stamp) {
          piece.Spelling.Note(*stamp, form);
        }
        piece.Stamps.push_back(stamp);
        piece.Starts.push_back(line.Text.data());
      }
      ++piece.Lines;
    }
  } catch (const std::bad_alloc&) {
    piece.Failure = std::current_exception();
  }
}

// The stamps as times, and as the leading fields the readout shows. Every
// target notes the same stamps: one whose stamps stood where the first
// one's stood takes them on from it rather than noting them again.
void TColumnLoader::NoteStamps(const TPiece& piece, const std::vector<TColumnTarget>& targets, std::size_t held,
                               std::size_t lines) const {
  const TStampTimes* first = nullptr;
  std::size_t firstHeld = 0;
  for (const TColumnTarget& target : targets) {
    if (target.Notes == nullptr) {
      continue;
    }
    TStampTimes& times = target.Notes->Times;
    if (first != nullptr && times.Count() == firstHeld) {
      times.CatchUp(*first);
    } else {
      if (first == nullptr) {
        first = &times;
        firstHeld = times.Count();
      }
      AppendTimes(piece, lines, times);
    }
    for (std::size_t k = (LineStartStep - held % LineStartStep) % LineStartStep; k < piece.Starts.size() && k < lines;
         k += LineStartStep) {
      target.Notes->Leading.Mark(held + k, blocks_.PositionOf(piece.Starts[k]));
    }
    target.Notes->Leading.ForgetBefore(times.WrittenCount());
  }
}

// A line that is no sample is a gap in every target's values alike.
void TColumnLoader::AppendTimes(const TPiece& piece, std::size_t lines, TStampTimes& times) const {
  times.Spelled(piece.Spelling);
  for (std::size_t k = 0; k < lines && shape_.Stamped && times.KnownSoFar(); ++k) {
    if (std::isnan(piece.Values.front()[k])) {
      times.AppendGap(piece.Stamps[k]);
    } else {
      times.Append(piece.Stamps[k]);
    }
  }
}

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
    AppendWithGaps(std::span(piece.Values[t]).first(lines), *target.Series, color);
    if (target.Notes == nullptr) {
      continue;
    }
    for (const std::size_t word : piece.Words[t]) {
      if (word < lines) {
        target.Notes->Words.Mark(held + word);
      }
    }
  }
  NoteStamps(piece, targets, held, lines);
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

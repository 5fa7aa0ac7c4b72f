#include "log/LogLoader.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <span>
#include <stdexcept>
#include <vector>

#include "chart/series/TChartSeries.h"
#include "log/SeriesAppend.h"
#include "log/TLogLines.h"
#include "runtime/Exception.h"

namespace {

// How converting one run ended: nothing when every line converted.
std::optional<TLoadEnd> ConvertRun(TLogSamples& samples, std::string_view run, const TLogSamples::TTake& append,
                                   std::string& message) {
  try {
    if (const std::exception_ptr error = samples.Convert(run, append)) {
      std::rethrow_exception(error);
    }
  } catch (const EConvertError& error) {
    message = error.Message();
    return TLoadEnd::BadLine;
  } catch (const std::bad_alloc&) {
    return TLoadEnd::OutOfMemory;
  } catch (const std::length_error&) {
    return TLoadEnd::TooManySamples;
  }
  return std::nullopt;
}

// The first `count` samples of `taken`.
TLogSamples::TTaken FirstSamples(const TLogSamples::TTaken& taken, std::size_t count) {
  TLogSamples::TTaken first = taken;
  first.Values = taken.Values.first(count);
  first.Words = taken.Words.first(
      static_cast<std::size_t>(std::lower_bound(taken.Words.begin(), taken.Words.end(), count) - taken.Words.begin()));
  first.LineStarts =
      taken.LineStarts.first(std::min(taken.LineStarts.size(), (count + LineStartStep - 1) / LineStartStep));
  first.Stamps = taken.Stamps.first(count);
  first.FirstGaps = taken.FirstGaps.first(
      static_cast<std::size_t>(std::find_if(taken.FirstGaps.begin(), taken.FirstGaps.end(),
                                            [count](const TLogSamples::TGap& gap) { return gap.Index >= count; }) -
                               taken.FirstGaps.begin()));
  first.GapCount = static_cast<std::size_t>(
      std::count_if(first.Values.begin(), first.Values.end(), [](double value) { return std::isnan(value); }));
  return first;
}

std::size_t PointsSince(const TChartSeries& series, int before) {
  return static_cast<std::size_t>(series.PointCount() - before);
}

}  // namespace

LogLoader::LogLoader(const std::string& fileName, TLoadOptions options)
    : options_(std::move(options)),
      blocks_(fileName, options_.Read, TLogFileStart{options_.Start.File, options_.TakeUnfinishedLine}) {}

// Memory that runs out between the runs' conversions (a block, the title)
// ends the load as it does within them.
TLoadResult LogLoader::Load(TChartSeries& series, TColor color, const TProgress& progress) {
  TLoadResult result;
  result.Next = options_.Start;
  try {
    std::string_view run;
    if (blocks_.Next(run)) {
      if (result.Next.Line == 1) {
        ReadHeader(run, result);
      }
      ConvertRuns(run, series, color, progress, result);
    }
  } catch (const std::bad_alloc&) {
    result.End = TLoadEnd::OutOfMemory;
  }
  if (result.End == TLoadEnd::EndOfFile) {
    // The end may lie past the LF of a CR LF whose CR ended the last run.
    result.Next.File = blocks_.Delivered();
  }
  if (result.End == TLoadEnd::EndOfFile && blocks_.ReadError() != 0) {
    result.End = TLoadEnd::ReadError;
    result.Errno = blocks_.ReadError();
  }
  result.File = blocks_.LoadedFile(result.Next.File.Offset);
  if (options_.Notes != nullptr) {
    options_.Notes->Leading.ReadFrom(result.File);
  }
  return result;
}

// A run holds at least one line, so the header is its first.
void LogLoader::ReadHeader(std::string_view& run, TLoadResult& result) {
  TLogLines lines(run);
  TLogLine header;
  lines.Next(header);
  result.Title = std::string(HeaderTitle(header.Text));
  run = lines.Rest();
  result.Next = {blocks_.PositionOf(run.data()), 2, false};
}

void LogLoader::ConvertRuns(std::string_view run, TChartSeries& series, TColor color, const TProgress& progress,
                            TLoadResult& result) {
  TLogSamples samples(options_.DecimalSeparator, TLeadingFieldRule(result.Next.FieldSeen), options_.StartThread,
                      options_.SkipBadLines, options_.Threads);
  firstSampleLine_ = result.Next.Line;
  firstSamplePoint_ = static_cast<std::size_t>(series.PointCount());
  // The samples beyond the limit are refused as the series refuses them
  // beyond its own.
  const TLogSamples::TTake append = [&series, color, &result, this](const TLogSamples::TTaken& taken) {
    const std::size_t held = static_cast<std::size_t>(series.PointCount());
    const std::size_t room = options_.SampleLimit - std::min(options_.SampleLimit, held);
    if (taken.Values.size() > room) {
      Take(FirstSamples(taken, room), series, color, result.Skipped);
      throw std::length_error("More samples than the series may hold.");
    }
    Take(taken, series, color, result.Skipped);
  };
  do {
    const TLogPosition start = result.Next;
    const int before = series.PointCount();
    const std::optional<TLoadEnd> stop = ConvertRun(samples, run, append, result.Message);
    const std::size_t taken = PointsSince(series, before);
    result.SamplesAppended += taken;
    if (stop) {
      result.End = *stop;
      result.Next = After(run, taken, start);
      return;
    }
    result.Next = {blocks_.PositionOf(run.data() + run.size()), start.Line + taken, samples.Rule().FieldSeen()};
    if (progress && progress(result, blocks_.ShareRead())) {
      result.End = TLoadEnd::Cancelled;
      return;
    }
  } while (blocks_.Next(run));
}

// A skipped line is a gap point in its place: the lines keep one point
// each, as the leading fields' marks count them.
void LogLoader::Take(const TLogSamples::TTaken& taken, TChartSeries& series, TColor color, TSkippedLines& skipped) {
  const auto first = static_cast<std::size_t>(series.PointCount());
  Note(taken, first);
  if (taken.GapCount == 0) {
    AppendSamples(taken.Values, series, color);
    return;
  }
  AppendWithGaps(taken.Values, series, color);
  const std::uint64_t firstLine = firstSampleLine_ + (first - firstSamplePoint_);
  for (const TLogSamples::TGap& gap : taken.FirstGaps) {
    skipped.Add(firstLine + gap.Index, gap.Text);
  }
  skipped.Count += taken.GapCount - taken.FirstGaps.size();
}

// What the samples' lines tell beside their values: which were words, and
// the leading fields.
void LogLoader::Note(const TLogSamples::TTaken& taken, std::size_t firstSample) {
  if (options_.Notes == nullptr) {
    return;
  }
  for (const std::uint32_t word : taken.Words) {
    options_.Notes->Words.Mark(firstSample + word);
  }
  TLeadingFields& leading = options_.Notes->Leading;
  if (!taken.FieldsNumeric) {
    leading.NoteNotNumeric();
  }
  for (std::size_t k = 0; k < taken.LineStarts.size(); ++k) {
    leading.Mark(firstSample + k * LineStartStep, blocks_.PositionOf(taken.LineStarts[k]));
  }
  TStampTimes& times = options_.Notes->Times;
  times.Spelled(taken.Spelling);
  for (std::size_t i = 0; i < taken.Stamps.size() && times.KnownSoFar(); ++i) {
    if (std::isnan(taken.Values[i])) {
      times.AppendGap(taken.Stamps[i]);
    } else {
      times.Append(taken.Stamps[i]);
    }
  }
  leading.ForgetBefore(times.WrittenCount());
}

// Where a load that stopped within a run stops is found again from the
// run's start: it happens once per load, and memory that ran out in the
// middle of a bulk append leaves no other trace of it.
TLogPosition LogLoader::After(std::string_view run, std::size_t lines, const TLogPosition& start) const {
  TLogLines scan(run);
  TLogLine line;
  TLeadingFieldRule rule(start.FieldSeen);
  for (std::size_t k = 0; k < lines && scan.Next(line); ++k) {
    rule.Takes(HasLeadingField(line.Text));
  }
  return {blocks_.PositionOf(scan.Rest().data()), start.Line + lines, rule.FieldSeen()};
}

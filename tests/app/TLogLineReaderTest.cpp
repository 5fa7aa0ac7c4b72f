#include "log/TLogLineReader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "tests/app/PiecewiseRead.h"
#include "tests/app/TempFolder.h"

namespace {

struct TReadLine {
  std::string Text;
  bool Truncated;
  friend bool operator==(const TReadLine&, const TReadLine&) = default;
  friend void PrintTo(const TReadLine& line, std::ostream* out) {
    *out << line.Text.size() << " characters" << (line.Truncated ? ", cut" : "");
  }
};

std::vector<TReadLine> LinesWithCuts(TLogLineReader& reader) {
  std::vector<TReadLine> lines;
  TLogLine line;
  while (reader.NextLine(line)) {
    lines.push_back({std::string(line.Text), line.Truncated});
  }
  return lines;
}

std::vector<std::string> Lines(TLogLineReader& reader) {
  std::vector<std::string> lines;
  TLogLine line;
  while (reader.NextLine(line)) {
    lines.emplace_back(line.Text);
  }
  return lines;
}

// Line ends may arrive split over two reads: a CR at the end of one block
// and its LF at the start of the next are still one line end.
TEST(TLogLineReader, LineEndsHoldAcrossReadsOfAnySize) {
  const struct {
    const char* Name;
    std::string Bytes;
    std::vector<std::string> Lines;
  } cases[] = {
      {"Lf", "a\nbc\n", {"a", "bc"}},
      {"CrLf", "a\r\nbc\r\n", {"a", "bc"}},
      {"LoneCr", "a\rbc\r", {"a", "bc"}},
      {"Mixed", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"EmptyLines", "\r\n\r\r\n\n", {"", "", "", ""}},
      {"CrThenLfIsOneEnd", "a\r\n\nb", {"a", "", "b"}},
      {"EndOfFileByte",
       "a\r\nb\x1A"
       "c\n",
       {"a", "b"}},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    const std::string file = folder.Write("log.csv", c.Bytes);
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{1} << 16}) {
      TLogLineReader reader(file, PiecewiseRead(chunk));
      EXPECT_EQ(Lines(reader), c.Lines) << c.Name << " in pieces of " << chunk;
      EXPECT_EQ(reader.ReadError(), 0);
    }
  }
}

// However the reads split a long line, it is kept whole up to the bound and
// cut exactly there, and the line after it arrives whole.
TEST(TLogLineReader, LongLinesAreCutAtTheBoundOverManyReads) {
  const std::string bound(MaxLogLineLength, 'x');
  const struct {
    std::size_t Length;
    bool Truncated;
  } cases[] = {{MaxLogLineLength - 1, false},
               {MaxLogLineLength, false},
               {MaxLogLineLength + 1, true},
               {MaxLogLineLength + 2, true},
               {5 * MaxLogLineLength, true}};
  for (const auto& c : cases) {
    TempFolder folder;
    const std::string file = folder.Write("log.csv", std::string(c.Length, 'x') + "\r\n0,1\n");
    const std::vector<TReadLine> expected = {{bound.substr(0, std::min(c.Length, MaxLogLineLength)), c.Truncated},
                                             {"0,1", false}};
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, MaxLogLineLength, MaxLogLineLength + 1}) {
      TLogLineReader reader(file, PiecewiseRead(chunk));
      EXPECT_EQ(LinesWithCuts(reader), expected) << c.Length << " bytes in pieces of " << chunk;
    }
  }
}

// A failing disk or share is no end of the file: the lines before the
// failure are delivered, the line it cut is not, and the error is kept.
TEST(TLogLineReader, ReadErrorEndsTheLinesAndIsKept) {
  TempFolder folder;
  const std::string file = folder.Write("log.csv", "h,T\n0,1\n1,22\n2,3\n");
  const struct {
    std::size_t FailAfter;
    std::vector<std::string> Lines;
  } cases[] = {{0, {}}, {4, {"h,T"}}, {10, {"h,T", "0,1"}}, {12, {"h,T", "0,1"}}, {13, {"h,T", "0,1", "1,22"}}};
  for (const auto& c : cases) {
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{5}, std::size_t{1} << 16}) {
      TLogLineReader reader(file, PiecewiseRead(chunk, c.FailAfter));
      EXPECT_EQ(Lines(reader), c.Lines) << c.FailAfter << " in pieces of " << chunk;
      EXPECT_EQ(reader.ReadError(), EIO);
    }
  }
}

}  // namespace

#include "log/TLeadingFields.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iomanip>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/measure/CursorReadout.h"
#include "app/window/TForm1.h"
#include "chart/series/TLineSeries.h"
#include "gui/DialogScript.h"
#include "log/LogLoader.h"
#include "log/LogSample.h"
#include "tests/app/PiecewiseRead.h"
#include "tests/app/TempFolder.h"

namespace {

TEST(LeadingFields, NumericFieldsAreDecimalNumbersWithBlanksAround) {
  const struct {
    const char* Field = nullptr;
    bool Numeric = false;
  } cases[] = {
      {"0", true},    {"123.40", true}, {" 12.5 ", true}, {"-3", true},   {"+.5", true},   {"5.", true},
      {"1e3", true},  {"2.5E-2", true}, {"", false},      {" ", false},   {".", false},    {"-", false},
      {"1e", false},  {"1.2.3", false}, {"12:30", false}, {"t0", false},  {"0x1F", false}, {"1 2", false},
      {"\t1", false}, {"1e+", false},   {"e5", false},    {"1,5", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsNumericField(c.Field), c.Numeric) << '"' << c.Field << '"';
  }
}

TEST(LeadingFields, DifferencesKeepTheFinerFieldsDecimals) {
  const struct {
    const char* From = nullptr;
    const char* To = nullptr;
    std::optional<std::string> Difference;
  } cases[] = {
      {"0.1", "12.40", "12.30"},    {"3", "5", "2"},         {"5", "3", "-2"},
      {" 1.5 ", "+2", "0.5"},       {"0", "1e3", "1000"},    {"1.25e-3", "0", "-0.00125"},
      {"1", "12:00", std::nullopt}, {"", "1", std::nullopt}, {"0,5", "1,25", "0,75"},
      {"0,5", "2", "1,5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FieldDifference(c.From, c.To), c.Difference) << c.From << " to " << c.To;
  }
}

// Loads the log and reads the leading fields of the samples back.
struct LoadedNotes {
  TLineSeries Series;
  TLogNotes Notes;
  TLoadResult Result;

  LoadedNotes(const std::string& fileName, std::size_t readChunk = std::size_t{1} << 20) {
    Notes.Reset(fileName);
    TLoadOptions options;
    options.Notes = &Notes;
    options.Read = PiecewiseRead(readChunk);
    Result = LogLoader(fileName, options).Load(Series, clBlue, {});
  }

  std::vector<std::optional<std::string>> Fields() const {
    std::vector<std::optional<std::string>> fields;
    fields.reserve(static_cast<std::size_t>(Series.PointCount()));
    for (int i = 0; i < Series.PointCount(); ++i) {
      fields.push_back(Notes.Field(static_cast<std::uint64_t>(i)));
    }
    return fields;
  }
};

using Fields = std::vector<std::optional<std::string>>;

TEST(LeadingFields, AreReadBackAsWrittenWhenEverySampleHasANumericOne) {
  const struct {
    const char* Name = nullptr;
    std::string Bytes;
    Fields Expected;
  } cases[] = {
      {"Plain", "Time,Lambda\n0.0,1\n0.10,2\n12.5,Rich\n", {"0.0", "0.10", "12.5"}},
      {"CrLf", "h,v\r\n1,1\r\n2,2\r\n", {"1", "2"}},
      {"LoneCr", "h,v\r1,1\r2,2\r", {"1", "2"}},
      {"Blanks", "h,v\n  7 ,1\n8  ,2\n", {"7", "8"}},
      {"NoLineEndAtTheEnd", "h,v\n1,1\n2,2", {"1", "2"}},
      {"ACommaInTheValue", "h,v\n1,1,5\n", {}},  // the value is bad: nothing loaded
      {"TextStamp", "h,v\n1,1\nnoon,2\n", {std::nullopt, std::nullopt}},
      {"ClockTime", "h,v\n12:00:01,1\n", {"12:00:01"}},
      {"NoFieldAtAll", "h\n1\n2\n", {std::nullopt, std::nullopt}},
      {"FieldOnlyLater", "h\n1\n0,2\n", {std::nullopt, std::nullopt}},
      {"EmptyField", "h,v\n,1\n", {std::nullopt}},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    const LoadedNotes loaded(folder.Write("log.csv", c.Bytes));
    EXPECT_EQ(loaded.Fields(), c.Expected) << c.Name;
  }
}

std::string StampedLog(std::size_t lines, const char* lineEnd, const char* beforeStamp = "") {
  std::string log = std::string("Time,Lambda") + lineEnd;
  std::mt19937 random(7);
  for (std::size_t i = 0; i < lines; ++i) {
    log += beforeStamp + std::to_string(i * 10 + random() % 10) + "," + std::to_string(random() % 1000) + lineEnd;
  }
  return log;
}

// The file is read in blocks converted in pieces on every core; the marks
// from every piece must lead to the right line, also when a block ends
// between the CR and the LF of a line end.
TEST(LeadingFields, LeadToTheRightLineThroughBlocksAndPieces) {
  const struct {
    const char* Name = nullptr;
    std::size_t Lines = 0;
    const char* LineEnd = nullptr;
    std::size_t ReadChunk = 0;
  } cases[] = {
      {"ManyPieces", 300000, "\n", std::size_t{1} << 20},
      {"CrLfSmallReads", 3000, "\r\n", 4097},
      {"CrLfOddReads", 3000, "\r\n", 999},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    // Stamps after a blank are not kept as text: they are read from the file.
    const LoadedNotes loaded(folder.Write("log.csv", StampedLog(c.Lines, c.LineEnd, " ")), c.ReadChunk);
    ASSERT_EQ(loaded.Series.PointCount(), static_cast<int>(c.Lines)) << c.Name;
    std::mt19937 random(11);
    std::vector<std::size_t> samples = {0, 1, LineStartStep - 1, LineStartStep, LineStartStep + 1, c.Lines - 1};
    for (int k = 0; k < 200; ++k) {
      samples.push_back(random() % c.Lines);
    }
    for (const std::size_t sample : samples) {
      const std::optional<std::string> field = loaded.Notes.Leading.Field(sample);
      ASSERT_TRUE(field) << c.Name << " #" << sample;
      EXPECT_EQ(std::stoull(*field) / 10, sample) << c.Name << " #" << sample;
    }
  }
}

// Each sample's stamp in seconds is its field's number, whichever piece or
// block the line fell in; a gap keeps the stamp its line had.
TEST(LeadingFields, AreKeptAsExactTimeStamps) {
  TempFolder folder;
  const LoadedNotes many(folder.Write("log.csv", StampedLog(300000, "\n")));
  ASSERT_TRUE(many.Notes.Times.Known());
  ASSERT_EQ(many.Notes.Times.Count(), 300000U);
  for (std::size_t sample = 0; sample < 300000; sample += 997) {
    EXPECT_EQ(many.Notes.Times.Seconds(sample), std::stod(*many.Notes.Field(sample))) << sample;
  }
  const struct {
    const char* Name = nullptr;
    std::string Bytes;
    bool Skip = false;
    std::vector<double> Seconds;  // empty: not known
  } cases[] = {
      {"Decimals", "h,v\n0.1,1\n0.25,2\n1,3\n", false, {0.1, 0.25, 1}},
      {"Clock", "h,v\n23:59:59.5,1\n23:59:59.75,2\n", false, {86399.5, 86399.75}},
      {"GapWithStamp", "h,v\n1,1\n2,x\n3,3\n", true, {1, 2, 3}},
      {"GapWithoutStamp", "h,v\n1,1\nx\n3,3\n", true, {1, 1, 3}},
      {"Exponent", "h,v\n1e3,1\n", false, {}},
      {"Text", "h,v\nnoon,1\n", false, {}},
      {"NoField", "h\n1\n", false, {}},
  };
  for (const auto& c : cases) {
    TLogNotes notes;
    notes.Reset("log.csv");
    TLineSeries series;
    TLoadOptions options;
    options.Notes = &notes;
    options.SkipBadLines = c.Skip;
    LogLoader(folder.Write("log.csv", c.Bytes), options).Load(series, clBlue, {});
    ASSERT_EQ(notes.Times.Known(), !c.Seconds.empty()) << c.Name;
    for (std::size_t i = 0; i < c.Seconds.size(); ++i) {
      EXPECT_EQ(notes.Times.Seconds(i), c.Seconds[i]) << c.Name << " #" << i;
    }
  }
}

TEST(LeadingFields, CostLessThanHalfAByteASample) {
  TempFolder folder;
  const LoadedNotes loaded(folder.Write("log.csv", StampedLog(200000, "\n")));
  EXPECT_LE(loaded.Notes.Leading.BytesUsed(), 200000 / 2);
  const LoadedNotes noStamps(folder.Write("none.csv", "h,v\nx,1\n" + StampedLog(200000, "\n")));
  EXPECT_EQ(noStamps.Notes.Leading.BytesUsed(), 0U) << "nothing kept once a field is no number";
}

TEST(LeadingFields, AreGoneWithTheFileAndNeverReadFromAPipe) {
  TempFolder folder;
  // Stamps after a blank are not kept as text: they are read from the file.
  const std::string fileName = folder.Write("log.csv", StampedLog(1000, "\n", " "));
  const LoadedNotes loaded(fileName);
  const std::optional<std::string> first = loaded.Notes.Field(0);
  const std::optional<std::string> second = loaded.Notes.Field(1);
  ASSERT_TRUE(first && second);
  std::remove(fileName.c_str());
  EXPECT_EQ(loaded.Notes.Field(0), first) << "the lines read last are kept";
  EXPECT_EQ(loaded.Notes.Field(1), second);
  EXPECT_EQ(loaded.Notes.Field(999), std::nullopt);
  ASSERT_EQ(mkfifo(fileName.c_str(), 0600), 0);
  EXPECT_EQ(loaded.Notes.Field(999), std::nullopt) << "returns without blocking";
}

// The readout's second line, in every pane, for one sample and a column of
// several.
TEST(LeadingFields, TheReadoutShowsThemBelowTheValues) {
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder());
  form.Document().Load(0, folder.Write("stamped.csv", StampedLog(100000, "\n")));
  form.Document().Load(1, folder.Write("plain.csv", "h\n1\n2\n3\n"));
  form.Chart1.Repaint();
  form.Chart2.Repaint();
  const int column = form.Chart1.PlotRect.Left + 10;
  form.ShowCursorReadout(0, column);
  const std::optional<TCursorReadout> wide = form.Measures().ShownReadout(0);
  ASSERT_TRUE(wide && wide->Samples);
  const TLogNotes& notes = form.Document().Notes(0);
  const auto first = static_cast<std::uint64_t>(wide->Samples->First);
  const auto last = static_cast<std::uint64_t>(wide->Samples->Last);
  ASSERT_LT(first, last);
  EXPECT_EQ(wide->Leading, *notes.Field(first) + "\u2013" + *notes.Field(last));
  EXPECT_EQ(ReadoutLines(*wide), (std::vector<std::string>{wide->Text, "t " + wide->Leading}));
  const std::optional<TCursorReadout> plain = form.Measures().ShownReadout(1);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->Leading, "");
  EXPECT_EQ(ReadoutLines(*plain), (std::vector<std::string>{plain->Text}));
}

// Between the markers the statistics tell the time between the stretch's
// ends; a pane whose log has no time stamps tells none.
TEST(LeadingFields, TheStatisticsBetweenTheMarkersTellTheTimeBetweenThem) {
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder());
  std::string log = "Time,Lambda\n";
  for (int i = 0; i < 1000; ++i) {
    log += std::to_string(i / 10) + "." + std::to_string(i % 10) + "0,1\n";
  }
  form.Document().Load(0, folder.Write("stamped.csv", log));
  form.Document().Load(1, folder.Write("plain.csv", "h\n1\n2\n3\n"));
  form.Chart1.Repaint();
  form.Chart2.Repaint();
  form.ShowCursorReadout(0, form.Chart1.PlotRect.Left + 100);
  form.FormKeyDown('A', 0);
  form.ShowCursorReadout(0, form.Chart1.PlotRect.Left + 10);
  form.FormKeyDown('B', 0);
  const double a = form.Measures().Markers()[0]->Sample;
  const double b = form.Measures().Markers()[1]->Sample;
  ASSERT_GT(a, b);
  const std::optional<TMeasurements::TPaneStatistics> stamped = form.Measures().PaneStatistics(0);
  ASSERT_TRUE(stamped);
  std::ostringstream expected;
  expected << std::fixed << std::setprecision(2) << (a - b) / 10;
  EXPECT_EQ(stamped->DeltaLeading, expected.str());
  const std::optional<TMeasurements::TPaneStatistics> plain = form.Measures().PaneStatistics(1);
  EXPECT_FALSE(plain && plain->DeltaLeading);
}

// A header longer than a line is kept still counts with all its bytes in
// where the lines after it start, whether its rest ends a read or not.
TEST(LeadingFields, AreFoundAfterAHeaderLongerThanTheLongestLine) {
  std::string log = "Time," + std::string(3 * MaxLogLineLength, 'x') + "\n";
  for (int i = 0; i < 300; ++i) {
    log += " " + std::to_string(i) + ".5,1\n";  // read from the file
  }
  TempFolder folder;
  const std::string file = folder.Write("log.csv", log);
  for (const std::size_t chunk : {std::size_t{7}, std::size_t{64}, std::size_t{1000}, std::size_t{1025},
                                  std::size_t{4096}, std::size_t{1} << 20}) {
    const LoadedNotes loaded(file, chunk);
    ASSERT_EQ(loaded.Series.PointCount(), 300) << "read in pieces of " << chunk;
    for (const int sample : {0, 1, 127, 128, 129, 299}) {
      EXPECT_EQ(loaded.Notes.Leading.Field(static_cast<std::uint64_t>(sample)), std::to_string(sample) + ".5")
          << "read in pieces of " << chunk;
    }
  }
}

// The lines after a mark may hold more than the first read of them.
TEST(LeadingFields, AreFoundPastTheFirstReadAfterTheirMark) {
  std::string log = "Time,V\n";
  for (int i = 0; i < 300; ++i) {
    log += std::string(60, ' ') + std::to_string(i) + ",1\n";
  }
  TempFolder folder;
  const LoadedNotes loaded(folder.Write("log.csv", log));
  for (const int sample : {0, 63, 64, 127, 200, 255, 299}) {
    EXPECT_EQ(loaded.Notes.Leading.Field(static_cast<std::uint64_t>(sample)), std::to_string(sample));
  }
}

// What became of the file after its load, and what a field read back then
// gives: a file that is no longer the one loaded gives none, and says so.
TEST(LeadingFields, AreReadOnlyFromTheFileLoaded) {
  using TChange = std::function<void(const TempFolder& folder, const std::string& file)>;
  const struct {
    const char* Name = nullptr;
    TChange Change;
    std::optional<std::string> Field;
    bool Changed = false;
  } cases[] = {
      {"Unchanged", [](const TempFolder&, const std::string&) {}, "1", false},
      {"Grown", [](const TempFolder&, const std::string& file) { std::ofstream(file, std::ios::app) << "3,3\n"; }, "1",
       false},
      {"RewrittenInPlace",
       [](const TempFolder& folder, const std::string&) { folder.Write("log.csv", "h,v\n9,1\n8,2\n"); }, std::nullopt,
       true},
      {"Replaced",
       [](const TempFolder& folder, const std::string& file) {
         std::rename(folder.Write("new.csv", "h,v\n1,1\n2,2\n").c_str(), file.c_str());
       },
       std::nullopt, true},
      {"Deleted", [](const TempFolder&, const std::string& file) { std::remove(file.c_str()); }, std::nullopt, false},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    // Stamps after a blank are not kept as text: they are read from the file.
    const std::string file = folder.Write("log.csv", "h,v\n 1,1\n 2,2\n");
    LoadedNotes loaded(file);
    int told = 0;
    loaded.Notes.Leading.OnFileChanged = [&told] { ++told; };
    c.Change(folder, file);
    EXPECT_EQ(loaded.Notes.Leading.Field(0), c.Field) << c.Name;
    EXPECT_EQ(loaded.Notes.Leading.Field(1), c.Field ? std::optional<std::string>("2") : std::nullopt) << c.Name;
    EXPECT_EQ(loaded.Notes.Leading.FileChanged(), c.Changed) << c.Name;
    EXPECT_EQ(told, c.Changed ? 1 : 0) << c.Name << ": told once";
  }
}

// Plainly written stamps are shown from the stamps kept, in pieces read
// apart, even once the file is gone; others only from the file.
TEST(LeadingFields, PlainStampsNeedNoFile) {
  const std::optional<std::string> none;
  const struct {
    const char* Name = nullptr;
    const char* Log = nullptr;
    std::vector<std::optional<std::string>> Gone;
  } cases[] = {
      {"Decimals", "t,v\n0.100,1\n0.200,2\n10.300,3\n", {"0.100", "0.200", "10.300"}},
      {"Clock", "t,v\n23:59:59.5,1\n23:59:59.9,2\n", {"23:59:59.5", "23:59:59.9"}},
      {"Words", "t,v\n1,1\n2,Rich\n3,3\n", {"1", "2", "3"}},
      {"Blanks", "t,v\n 1.0 ,1\n 2.0 ,2\n", {none, none}},
      {"LeadingZeros", "t,v\n00.1,1\n00.2,2\n", {none, none}},
      {"Exponent", "t,v\n1e1,1\n2e1,2\n", {none, none}},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    const std::string file = folder.Write("log.csv", c.Log);
    const LoadedNotes loaded(file, 8);
    std::remove(file.c_str());
    for (std::size_t i = 0; i < c.Gone.size(); ++i) {
      EXPECT_EQ(loaded.Notes.Field(i), c.Gone[i]) << c.Name << " #" << i;
    }
  }
}

// and a log loaded into the pane afterwards has them again.
TEST(LeadingFields, AReplacedFileShowsNoneAndThePaneSaysWhy) {
  const std::string changed = "the file changed since it was loaded: its time stamps are not shown";
  // Stamps after a blank are read from the file; plain ones are kept.
  for (const char* beforeStamp : {" ", ""}) {
    const bool fromFile = *beforeStamp != 0;
    TempFolder folder;
    DialogScript script;
    TForm1 form(folder.Folder());
    const std::string file = folder.Write("stamped.csv", StampedLog(1000, "\n", beforeStamp));
    form.Document().Load(0, file);
    form.Chart1.Repaint();
    const int column = form.Chart1.PlotRect.Left + 10;
    form.ShowCursorReadout(0, column + 1);
    const std::string shown = form.Measures().ShownReadout(0)->Leading;
    ASSERT_NE(shown, "");
    form.ShowCursorReadout(0, column);
    ASSERT_NE(form.Measures().ShownReadout(0)->Leading, "");
    std::rename(folder.Write("other.csv", StampedLog(1000, "\r\n")).c_str(), file.c_str());
    form.ShowCursorReadout(0, column + 1);
    EXPECT_EQ(form.Measures().ShownReadout(0)->Leading, shown) << "the lines read last are kept";
    // Lines far from those read last.
    form.ShowCursorReadout(0, form.Chart1.PlotRect.Right - 10);
    EXPECT_EQ(form.Measures().ShownReadout(0)->Leading.empty(), fromFile);
    EXPECT_EQ(form.Button1.ToolTip().find(changed) != std::string::npos, fromFile) << form.Button1.ToolTip();
    form.OpenLogs(0, {file});
    form.ShowCursorReadout(0, column);
    EXPECT_NE(form.Measures().ShownReadout(0)->Leading, "");
    EXPECT_EQ(form.Button1.ToolTip().find(changed), std::string::npos) << form.Button1.ToolTip();
  }
}

// A pane's new log has time stamps of its own, whatever the one before had.
TEST(LeadingFields, ANewLogInThePaneIsJudgedOnItsOwn) {
  TempFolder folder;
  DialogScript script;
  TForm1 form(folder.Folder());
  form.Document().Load(0, folder.Write("text.csv", "h,v\nnoon,1\n"));
  EXPECT_EQ(form.Document().Notes(0).Field(0), std::nullopt);
  form.Document().Load(0, folder.Write("numeric.csv", "h,v\n12.5,1\n"));
  EXPECT_EQ(form.Document().Notes(0).Field(0), "12.5");
}

}  // namespace

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/window/TForm1.h"
#include "log/TLogLineReader.h"
#include "runtime/Exception.h"
#include "tests/SampleLogs.h"
#include "tests/app/TempFolder.h"
#include "tests/runtime/LocaleScope.h"
#include "tests/support/PointValues.h"

namespace {

// Loads and returns the error text, if one was raised.
std::optional<std::string> Load(TForm1& form, std::uint8_t pane, const std::string& file) {
  const TLogErrors errors = form.Document().Load(pane, file);
  return errors.empty() ? std::nullopt : std::optional(errors.back().Message);
}

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

// "{ENOENT}" in an expected message stands for the C library's reason for a
// missing file, in the locale of the load that just ran.
std::string WithSystemReason(std::string text) {
  if (const std::size_t at = text.find("{ENOENT}"); at != std::string::npos) {
    text.replace(at, 8, std::strerror(ENOENT));
  }
  return text;
}

std::string ErrorFor(const std::string& text) { return "'" + text + "' is not a valid floating point value"; }

struct LogCase {
  const char* name;
  std::string bytes;  // "<missing>" and "<folder>" name files that are not there
  // "{file}" stands for the file's path, "{ENOENT}" for the reason a
  // missing file gives
  std::vector<double> points;
  std::vector<std::string> title;
  std::optional<std::string> error;
  char separator = ',';
};

// Every case starts from a pane that shows a previous log (one point, 9, and
// the title Prev), so that what a load keeps and what it replaces shows.
const std::vector<double> kPrevious = {9};
const std::vector<std::string> kPrevTitle = {"Prev"};
const std::vector<std::string> kT = {"T"};

class LoadLogTable : public testing::TestWithParam<LogCase> {};

TEST_P(LoadLogTable, GivesThePointsTitleAndError) {
  const LogCase& c = GetParam();
  const LocaleScope separators(c.separator, c.separator == ',' ? '.' : ',');
  TempFolder folder;
  TForm1 form;
  ASSERT_EQ(Load(form, 2, folder.Write("prev.csv", "h,Prev\n0,9\n")), std::nullopt);
  std::string file;
  if (c.bytes == "<missing>") {
    file = (folder.Path() / "gone.csv").string();
  } else if (c.bytes == "<folder>") {
    file = folder.Path().string();
  } else {
    file = folder.Write("log.csv", c.bytes);
  }
  std::optional<std::string> error = c.error;
  if (error && error->find("{file}") != std::string::npos) {
    error->replace(error->find("{file}"), 6, file);
  }
  const std::optional<std::string> loaded = Load(form, 2, file);
  EXPECT_EQ(loaded, error ? std::optional(WithSystemReason(*error)) : std::nullopt);
  const TChartSeries& series = form.PaneSeries(2);
  EXPECT_EQ(Ys(series), c.points);
  EXPECT_EQ(form.Chart3.Title().Text(), c.title);
  for (int i = 0; i < series.PointCount(); ++i) {
    ASSERT_EQ(series.XValueAt(i), i);
    ASSERT_EQ(series.StoredPointColor(i), clBlue);
  }
}

const std::string kLong(MaxLogLineLength, 'x');

INSTANTIATE_TEST_SUITE_P(
    Files, LoadLogTable,
    testing::Values(
        LogCase{"FourLines", "hdr,Lambda\n0,Rich\n1,12.5\n2,Lean\n", {2, 12.5, 1}, {"Lambda"}, {}},
        LogCase{"LastLineWithoutLineEnd", "hdr,Lambda\n0,Rich\n1,12.5\n2,Lean", {2, 12.5, 1}, {"Lambda"}, {}},
        LogCase{"LastNumberWithoutLineEnd", "h,T\n2,17", {17}, kT, {}},
        LogCase{"CrLf", "hdr,Lambda\r\n0,Rich\r\n1,12.5\r\n", {2, 12.5}, {"Lambda"}, {}},
        LogCase{"LoneCrEndsLines", "h,T\r0,1\r1,2\r", {1, 2}, kT, {}},
        LogCase{"LoneCrWithoutLineEndAtTheEnd", "h,T\r0,1\r1,2", {1, 2}, kT, {}},
        LogCase{"MixedLineEnds", "h,T\r\n0,1\r1,2\n2,3\r\n", {1, 2, 3}, kT, {}},
        LogCase{"CrInsideANumberEndsTheLine", "h,T\n0,1\r2\n", {1}, kT, ErrorFor("2")},
        LogCase{"CrCrLfLeavesAnEmptyLine", "h,T\n0,1\r\r\n0,2\n", {1}, kT, ErrorFor("")},
        // Quoted after the "." replacement, like every bad line.
        LogCase{"LastLineCutBeforeItsComma", "h,T\n340968.1,1.5\n340968.9", {1.5}, kT, ErrorFor("340968,9")},
        LogCase{"LineWithoutCommaAfterOnesWithIt", "h,T\n0,1.5\n7\n0,2\n", {1.5}, kT, ErrorFor("7")},
        LogCase{"LogWithoutLeadingFields", "h,T\n12.5\n13\n", {12.5, 13}, kT, {}},
        LogCase{"LeadingFieldsFromTheSecondSampleOn", "h,T\n12.5\n0,13\n", {12.5, 13}, kT, {}},
        LogCase{"EmptyFile", "", {}, kPrevTitle, {}}, LogCase{"HeaderOnly", "hdr,Lambda\n", {}, kPrevTitle, {}},
        LogCase{"HeaderWithoutLineEnd", "hdr,Lambda", {}, kPrevTitle, {}},
        LogCase{"HeaderWithoutComma", "Lambda\n0,1\n", {1}, {"Lambda"}, {}},
        LogCase{"HeaderKeepsBlanksAndCommas", "h, A,B \n0,1\n", {1}, {" A,B "}, {}},
        LogCase{"HeaderBytesAbove7F",
                "h,\xC4\xFC\xE9 \xB0"
                "C\n0,1\n",
                {1},
                {"\xC4\xFC\xE9 \xB0"
                 "C"},
                {}},
        LogCase{"EmptyLineInTheMiddle", "h,T\n0,1\n\n0,2\n", {1}, kT, ErrorFor("")},
        LogCase{"EmptyLineFirst", "h,T\n\n0,2\n", {}, kPrevTitle, ErrorFor("")},
        LogCase{"BeyondTheCurrencyRange", "h,T\n0,1E16\n", {}, kPrevTitle, ErrorFor("1E16")},
        LogCase{"LoneDecimalPoint", "h,T\n0,.\n", {0}, kT, {}}, LogCase{"LoneComma", "h,T\n0,,\n", {0}, kT, {}},
        LogCase{"MinusAlone", "h,T\n0,-\n", {}, kPrevTitle, ErrorFor("-")},
        LogCase{"PlusAlone", "h,T\n0,3\n0,+\n", {3}, kT, ErrorFor("+")},
        LogCase{"BlanksAroundANumber", "h,T\n0, 12.5 \n", {12.5}, kT, {}},
        LogCase{"TabBeforeANumber", "h,T\n0,\t5\n", {}, kPrevTitle, ErrorFor("\t5")},
        LogCase{"TabAfterANumber", "h,T\n0,1\n0,5\t\n", {1}, kT, ErrorFor("5\t")},
        LogCase{"NulEndsTheLinesText",
                std::string("h,T\n0,1\0"
                            "9\n1,2\n",
                            13),
                {1, 2},
                kT,
                {}},
        LogCase{"NulInTheHeader", std::string("h,Lam\0bda\n0,1\n", 14), {1}, {"Lam"}, {}},
        LogCase{"NulStartsALine",
                std::string("h,T\n0,1\n\0"
                            "5\n",
                            11),
                {1},
                kT,
                ErrorFor("")},
        LogCase{"BinaryGarbage", std::string("\x89PNG\r\n\x1A\n\x00\x01", 10), {}, kPrevTitle, {}},
        LogCase{"ControlBytesAsSample", "h,T\n\xFF\xFE,\x01\x02\n", {}, kPrevTitle, ErrorFor("\x01\x02")},
        LogCase{"EndOfFileByteInALine",
                "h,T\n0,1\n1,2\x1A"
                "3\n2,5\n",
                {1, 2},
                kT,
                {}},
        LogCase{"EndOfFileByteStartsALine",
                "h,T\n0,1\n\x1A"
                "2,5\n",
                {1},
                kT,
                {}},
        LogCase{"SensorWords", "h,T\n0,S.C to Gnd/Sensor lower limit\n1,Cold or Open Circuit\n", {-1, 0}, kT, {}},
        LogCase{"WordWithTrailingBlank", "h,T\n0,Lean\n1,Rich \n", {1}, kT, ErrorFor("Rich ")},
        LogCase{"WordInLowerCase", "h,T\n0,rich\n", {}, kPrevTitle, ErrorFor("rich")},
        LogCase{"LineWithoutComma", "h,T\n12.5\n", {12.5}, kT, {}},
        LogCase{"NumberWithoutPoint", "h,T\nx,12\n", {12}, kT, {}},
        LogCase{"FourDecimalsTiesToEven", "h,T\nx,0.00025\nx,0.00035\n", {0.0002, 0.0004}, kT, {}},
        LogCase{"TwoDecimalPoints", "h,T\nx,1.2.3\n", {}, kPrevTitle, ErrorFor("1,2.3")},
        LogCase{"CommaInTheSample", "h,T\nx,12,5\n", {12.5}, kT, {}}, LogCase{"MinusZero", "h,T\nx,-0\n", {0}, kT, {}},
        LogCase{"ThousandsSeparator", "h,T\nx,1.000,5\n", {}, kPrevTitle, ErrorFor("1,000,5")},
        LogCase{"LineOf63CharactersIsOneSample", "h,T\n0," + Repeat(' ', 58) + "1.5\n", {1.5}, kT, {}},
        LogCase{"LineOf100CharactersIsOneSample", "h,T\n0," + Repeat(' ', 94) + "12.5\n", {12.5}, kT, {}},
        LogCase{"LineAtTheBound", "h,T\n0," + Repeat('0', MaxLogLineLength - 3) + "7\n", {7}, kT, {}},
        LogCase{"LineBeyondTheBound",
                "h,T\n0,1\n0," + Repeat('0', MaxLogLineLength - 2) + "7\n",
                {1},
                kT,
                ErrorFor(Repeat('0', MaxLogLineLength - 2) + "...")},
        LogCase{"MegabyteLine",
                "h,T\n0,1\n0," + Repeat('5', 3 << 20) + "\n0,2\n",
                {1},
                kT,
                ErrorFor(Repeat('5', MaxLogLineLength - 2) + "...")},
        LogCase{"MegabyteHeader", "h," + Repeat('x', 3 << 20) + "\n0,1\n", {1}, {kLong.substr(2)}, {}},
        LogCase{"MissingFile", "<missing>", kPrevious, kPrevTitle, "Cannot open '{file}': {ENOENT}"},
        LogCase{"FolderInsteadOfFile", "<folder>", kPrevious, kPrevTitle, "Cannot open '{file}': it is a folder"},
        LogCase{"PointWhereThePointIsTheSeparator", "h,T\nx,12.5\nx,12\n", {12.5, 12}, kT, {}, '.'},
        LogCase{"CommaWhereThePointIsTheSeparator", "h,T\nx,12\nx,12,5\n", {12}, kT, ErrorFor("12,5"), '.'},
        LogCase{"BlanksAroundSamples", "h,T\nx, 1.5 \nx,  -2\nx,3  \n", {1.5, -2, 3}, kT, {}},
        LogCase{"BlankSeparatorAlsoPads", "h,T\nx,.5\nx,1.5\n", {5, 1.5}, kT, {}, ' '},
        LogCase{"SignSeparatorReadsASign", "h,T\nx,.5\nx,1.5\n", {-5, 1.5}, kT, {}, '-'},
        LogCase{"PointAndCommaWhereThePointIsTheSeparator", "h,T\nx,1.2,5\n", {}, kPrevTitle, ErrorFor("1.2,5"), '.'}),
    [](const auto& test) { return test.param.name; });

TEST(LoadLog, ResetsOnlyThePanesAxesAndKeepsTheOtherPanes) {
  const LocaleScope separators(',', '.');
  TempFolder folder;
  TForm1 form;
  const std::string log = folder.Write("a.csv", "h,Rpm\n0,800\n1,950\n");
  form.Document().Load(0, log);
  form.Chart1.LeftAxis().SetAutomaticMinimum(false);
  form.Chart2.LeftAxis().SetAutomaticMinimum(false);
  form.Document().Load(0, log);
  EXPECT_TRUE(form.Chart1.LeftAxis().Automatic());
  EXPECT_TRUE(form.Chart1.DepthAxis().Automatic()) << "the depth axes too";
  EXPECT_FALSE(form.Chart2.LeftAxis().Automatic());
  EXPECT_EQ(Ys(form.Series1), (std::vector<double>{800, 950}));
  EXPECT_EQ(form.LineSeries1.PointCount(), 0);
  EXPECT_EQ(form.Chart2.Title().Text(), (std::vector<std::string>{"Parametr"}));
}

// Nothing that is not a regular file is read: a pipe without a writer
// would block, a device never ends. Each is refused at once, naming the file
// and the reason, and the pane keeps what it showed.
TEST(LoadLog, RefusesWhatCannotBeOpenedOrIsNoRegularFile) {
  TempFolder folder;
  const std::string fifo = (folder.Path() / "pipe.csv").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string link = (folder.Path() / "link.csv").string();
  std::filesystem::create_symlink(folder.Path() / "gone.csv", link);
  const struct {
    std::string File;
    std::string Reason;
  } cases[] = {
      {"", "no file name"},
      {"/nonexistent/log.csv", "{ENOENT}"},
      {link, "{ENOENT}"},
      {folder.Path().string(), "it is a folder"},
      {fifo, "it is not a regular file"},
      {"/dev/zero", "it is not a regular file"},
      {"/dev/urandom", "it is not a regular file"},
      {"/dev/null", "it is not a regular file"},
  };
  for (const auto& c : cases) {
    TForm1 form;
    const long before = form.Chart4.RepaintRequestCount();
    const std::optional<std::string> loaded = Load(form, 3, c.File);
    EXPECT_EQ(loaded, "Cannot open '" + c.File + "': " + WithSystemReason(c.Reason));
    EXPECT_FALSE(form.Chart4.DepthAxis().Automatic()) << c.File;
    EXPECT_EQ(form.Chart4.RepaintRequestCount(), before) << c.File;
  }
}

// Permissions do not bind root: a test run as root (as CI runs) acts as an
// ordinary user for a scope, through the effective user id only, so that
// root comes back at the end of the scope.
class TOrdinaryUserScope {
public:
  TOrdinaryUserScope() {
    if (geteuid() == 0 && seteuid(kNobody) == 0) {
      dropped_ = true;
    }
  }
  ~TOrdinaryUserScope() {
    if (dropped_ && seteuid(0) != 0) {
      std::abort();  // the tests after this one would run as another user
    }
  }
  TOrdinaryUserScope(const TOrdinaryUserScope&) = delete;
  TOrdinaryUserScope& operator=(const TOrdinaryUserScope&) = delete;

private:
  static constexpr uid_t kNobody = 65534;
  bool dropped_ = false;
};

TEST(LoadLog, UnreadableFileIsReported) {
  TempFolder folder;
  const std::string file = folder.Write("locked.csv", "h,T\n0,1\n");
  // The folder stays open to the ordinary user; the file is closed to all.
  ASSERT_EQ(chmod(folder.Path().c_str(), 0755), 0);
  ASSERT_EQ(chmod(file.c_str(), 0), 0);
  TForm1 form;
  const TOrdinaryUserScope ordinaryUser;
  ASSERT_NE(geteuid(), 0u) << "no ordinary user to act as";
  EXPECT_EQ(Load(form, 0, file), "Cannot open '" + file + "': " + std::strerror(EACCES));
}

TEST(LoadLog, EveryPaneLoadsItsOwnSeries) {
  const LocaleScope separators(',', '.');
  TempFolder folder;
  TForm1 form;
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    form.Document().Load(pane,
                         folder.Write("p.csv", "h,P" + std::to_string(pane) + "\n0," + std::to_string(pane) + "\n"));
  }
  EXPECT_EQ(Ys(form.Series1), (std::vector<double>{0}));
  EXPECT_EQ(Ys(form.LineSeries1), (std::vector<double>{1}));
  EXPECT_EQ(Ys(form.LineSeries2), (std::vector<double>{2}));
  EXPECT_EQ(Ys(form.LineSeries3), (std::vector<double>{3}));
  EXPECT_EQ(form.Chart4.Title().Text(), (std::vector<std::string>{"P3"}));
  EXPECT_THROW(form.Document().Load(4, folder.Write("p.csv", "h,P\n0,1\n")), EAssertionFailed);
}

class LinesCrossingTheReadBuffer : public testing::TestWithParam<const char*> {};

// Enough lines to cross the reader's buffer several times, at every offset
// within a line, CR LF pairs included.
TEST_P(LinesCrossingTheReadBuffer, StayWhole) {
  const LocaleScope separators(',', '.');
  TempFolder folder;
  TForm1 form;
  const std::string lineEnd = GetParam();
  std::string log = "h,Volts" + lineEnd;
  std::vector<double> expected;
  for (int i = 0; i < 20000; ++i) {
    log += std::to_string(i) + "," + std::to_string(i % 1000) + "." + std::to_string(i % 7) + lineEnd;
    expected.push_back((i % 1000) + (i % 7) / 10.0);
  }
  form.Document().Load(1, folder.Write("v.csv", log));
  const std::vector<double> loaded = Ys(form.LineSeries1);
  ASSERT_EQ(loaded.size(), expected.size());
  for (std::size_t i = 0; i < loaded.size(); ++i) {
    ASSERT_NEAR(loaded[i], expected[i], 1e-9) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(LineEnds, LinesCrossingTheReadBuffer, testing::Values("\n", "\r\n"));

TEST(TForm1, StartsWithBluePanesOnTheirRightAxes) {
  TForm1 form;
  for (std::uint8_t pane = 0; pane < TForm1::PaneCount; ++pane) {
    const TChartSeries& series = form.PaneSeries(pane);
    EXPECT_EQ(series.SeriesColor(), clBlue);
    EXPECT_EQ(series.ResolvedVertAxis(), &form.PaneChart(pane).RightAxis());
    EXPECT_EQ(form.PaneChart(pane).Title().Text(), (std::vector<std::string>{"Parametr"}));
  }
  EXPECT_TRUE(form.Document().LastOpened().empty());
}

}  // namespace

namespace {

struct SampleCase {
  const char* file;
  int points;
  const char* title;
};

class SampleLogs : public testing::TestWithParam<SampleCase> {};

TEST_P(SampleLogs, LoadWhole) {
  TForm1 form;
  form.Document().Load(0, SampleLogPath(GetParam().file));
  EXPECT_EQ(form.Series1.PointCount(), GetParam().points);
  EXPECT_EQ(form.Chart1.Title().Text(), (std::vector<std::string>{GetParam().title}));
}

INSTANTIATE_TEST_SUITE_P(Files, SampleLogs,
                         testing::Values(SampleCase{"lambda.csv", 4000, "Lambda"},
                                         SampleCase{"engine-speed.csv", 3000, "Engine speed (rpm)"},
                                         SampleCase{"coolant-temperature.csv", 5000, "Coolant temperature (C)"},
                                         SampleCase{"battery-voltage.csv", 3500, "Battery voltage (V)"}));

}  // namespace

#include "log/TStampTimes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(StampTimes, FieldsReadAsStampsExactly) {
  const struct {
    const char* Field = nullptr;
    std::optional<TStamp> Stamp;
  } cases[] = {
      {"0", TStamp{0, 0}},
      {" 12.50 ", TStamp{1250, 2}},
      {"-0.25", TStamp{-25, 2}},
      {"+.5", TStamp{5, 1}},
      {"5.", TStamp{5, 0}},
      {"12:00:40.5", TStamp{(12 * 3600 + 40) * 10 + 5, 1}},
      {"12:00:40,5", TStamp{(12 * 3600 + 40) * 10 + 5, 1}},
      {"1:02:03", TStamp{3600 + 2 * 60 + 3, 0}},
      {"0.123456789012345", TStamp{123456789012345, 15}},
      {"123456789012345", TStamp{123456789012345, 0}},
      {"1234567890123456", TStamp{1234567890123456, 0}},
      {"007.50", TStamp{750, 2}},
      {"21111111111111111111", std::nullopt},  // past int64 too
      {"1.12345678901234567890", std::nullopt},
      {"0.1234567890123456", std::nullopt},  // more decimals than a stamp keeps exactly
      {"9007199254740992", std::nullopt},    // 2^53
      {"1e3", std::nullopt},
      {"12:30", std::nullopt},
      {"12:60:00", std::nullopt},
      {"12:00:60", std::nullopt},
      {"12:00:4", std::nullopt},
      {"1,5", std::nullopt},
      {"", std::nullopt},
      {".", std::nullopt},
      {"-", std::nullopt},
      {"noon", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseStamp(c.Field), c.Stamp) << '"' << c.Field << '"';
  }
  EXPECT_EQ(StampSeconds({1250, 2}), 12.5);
  EXPECT_EQ(StampSeconds({1, 1}), 0.1);
}

// Stamps written as "%.Nf" of a clock that ticks regularly, with jitter,
// or anyhow: every one reads back as the text's own number.
TEST(StampTimes, ReadBackAsTheirTextsNumbersInEveryKindOfBlock) {
  const struct {
    const char* Name = nullptr;
    double Step = 0;
    double Jitter = 0;
    int Decimals = 0;
    // Beyond the blocks, the samples after the last take 64 KiB.
    double MostBytesASample = 0;
  } cases[] = {
      {"Regular", 0.01, 0, 2, 0.3},
      {"Jitter", 0.01, 0.003, 3, 1.3},
      {"CoarseJitter", 1, 0.4, 6, 4.3},
      {"Anyhow", 10000, 9000, 6, 8.3},
  };
  for (const auto& c : cases) {
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> jitter(-c.Jitter, c.Jitter);
    TStampTimes times;
    // Another column of the same log, taking the stamps on now and then.
    TStampTimes follower;
    std::vector<double> expected;
    const std::size_t count = TStampTimes::BlockSize * 60 + 17;
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count; ++i) {
      char text[64];
      std::snprintf(text, sizeof text, "%.*f", c.Decimals, 5 + static_cast<double>(i) * c.Step + jitter(random));
      TStampSpelling spelling;
      TStampForm form;
      const std::optional<TStamp> stamp = ParseStamp(text, form);
      spelling.Note(*stamp, form);
      times.Append(stamp);
      times.Spelled(spelling);
      expected.push_back(std::stod(text));
      texts.emplace_back(text);
      if (i % 5000 == 0) {
        follower.CatchUp(times);
      }
    }
    follower.CatchUp(times);
    ASSERT_TRUE(times.Known()) << c.Name;
    ASSERT_EQ(follower.Count(), count) << c.Name;
    for (std::size_t i = 0; i < count; ++i) {
      ASSERT_EQ(times.Seconds(i), expected[i]) << c.Name << " #" << i;
      ASSERT_EQ(follower.Seconds(i), expected[i]) << c.Name << " follower #" << i;
      ASSERT_EQ(follower.Text(i), texts[i]) << c.Name << " text #" << i;
    }
    EXPECT_LE(static_cast<double>(times.BytesUsed()) / count, c.MostBytesASample) << c.Name;
  }
}

// A log's stamps are written again from their values, without the file,
// up to the first not written the one way that gives back its text.
TEST(StampTimes, WrittenAgainUpToTheFirstStampNotPlain) {
  const struct {
    const char* Name = nullptr;
    std::vector<const char*> Fields;
    std::size_t Written = 0;  // the first stamps, written plainly
  } cases[] = {
      {"Decimals", {"0.100", "0.200", "10.300"}, 3},
      {"Whole", {"9", "10", "11"}, 3},
      {"Negative", {"-0.5", "0.0", "0.5"}, 3},
      {"Clock", {"12:00:40.5", "12:00:41.0", "23:59:59.9"}, 3},
      {"ClockComma", {"08:00:00,25", "08:00:00,50"}, 2},
      {"ClockWhole", {"00:00:59", "00:01:00"}, 2},
      {"DecimalsDiffer", {"0.1", "0.15"}, 1},
      {"Blanks", {" 1.0", "2.0"}, 0},
      {"Plus", {"1", "+2"}, 1},
      {"LeadingZero", {"01.5", "02.5"}, 0},
      {"BarePoint", {"1.5", ".5"}, 1},
      {"TrailingPoint", {"5.", "6."}, 0},
      {"NegativeZero", {"-0.0", "1.0"}, 0},
      {"OneDigitHour", {"9:00:00", "9:00:01"}, 0},
      {"ClockAndNumber", {"12:00:00.0", "1.0"}, 1},
      {"TwoMarks", {"12:00:00.5", "12:00:01,0"}, 1},
  };
  for (const auto& c : cases) {
    // In two parts, as two pieces of a load come: the first alone is
    // always written again.
    std::vector<TStamp> stamps;
    std::array<TStampSpelling, 2> parts;
    for (std::size_t i = 0; i < c.Fields.size(); ++i) {
      TStampForm form;
      const std::optional<TStamp> stamp = ParseStamp(c.Fields[i], form);
      ASSERT_TRUE(stamp) << c.Name;
      parts[std::min<std::size_t>(i, 1)].Note(*stamp, form);
      stamps.push_back(*stamp);
    }
    TStampTimes times;
    for (std::size_t i = 0; i < stamps.size(); ++i) {
      if (i < 2) {
        times.Spelled(parts[i]);
      }
      times.Append(stamps[i]);
    }
    EXPECT_EQ(times.WrittenCount(), c.Written) << c.Name;
    for (std::size_t i = 0; i < c.Fields.size(); ++i) {
      EXPECT_EQ(times.Text(i), i < c.Written ? std::optional<std::string>(c.Fields[i]) : std::nullopt)
          << c.Name << " #" << i;
    }
  }
}

TEST(StampTimes, NearestSampleTakesTheEarlierOnATie) {
  TStampTimes times;
  for (const char* field : {"1", "2", "2", "4"}) {
    times.Append(ParseStamp(field));
  }
  const struct {
    double Seconds = 0;
    std::size_t Sample = 0;
  } cases[] = {{-5, 0}, {1, 0}, {1.5, 0}, {1.6, 1}, {2, 1}, {3, 2}, {3.1, 3}, {9, 3}};
  for (const auto& c : cases) {
    EXPECT_EQ(times.NearestSample(c.Seconds), c.Sample) << c.Seconds;
  }
}

TEST(StampTimes, KnowWhetherEverySampleHadOneAndWhetherTheyIncrease) {
  const struct {
    const char* Name = nullptr;
    std::vector<const char*> Fields;
    bool Known = false;
    bool Increasing = false;
  } cases[] = {
      {"Increasing", {"1", "1.5", "1.50", "2"}, true, true},
      {"MidnightWrap", {"23:59:59", "00:00:00"}, true, false},
      {"Reset", {"5", "6", "0.5"}, true, false},
      {"OneMissing", {"1", "x", "3"}, false, true},
      {"None", {}, false, true},
  };
  for (const auto& c : cases) {
    TStampTimes times;
    for (const char* field : c.Fields) {
      times.Append(ParseStamp(field));
    }
    EXPECT_EQ(times.Known(), c.Known) << c.Name;
    EXPECT_EQ(times.Increasing(), c.Increasing) << c.Name;
  }
}

}  // namespace

#include "log/TStampTimes.h"

#include <gtest/gtest.h>

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
// only when every one is written the one way that gives back its text.
TEST(StampTimes, WrittenAgainOnlyWhenEveryStampIsPlain) {
  const struct {
    const char* Name = nullptr;
    std::vector<const char*> Fields;
    bool Plain = false;
  } cases[] = {
      {"Decimals", {"0.100", "0.200", "10.300"}, true},
      {"Whole", {"9", "10", "11"}, true},
      {"Negative", {"-0.5", "0.0", "0.5"}, true},
      {"Clock", {"12:00:40.5", "12:00:41.0", "23:59:59.9"}, true},
      {"ClockComma", {"08:00:00,25", "08:00:00,50"}, true},
      {"ClockWhole", {"00:00:59", "00:01:00"}, true},
      {"DecimalsDiffer", {"0.1", "0.15"}, false},
      {"Blanks", {" 1.0", "2.0"}, false},
      {"Plus", {"1", "+2"}, false},
      {"LeadingZero", {"01.5", "02.5"}, false},
      {"BarePoint", {"1.5", ".5"}, false},
      {"TrailingPoint", {"5.", "6."}, false},
      {"NegativeZero", {"-0.0", "1.0"}, false},
      {"OneDigitHour", {"9:00:00", "9:00:01"}, false},
      {"ClockAndNumber", {"12:00:00.0", "1.0"}, false},
      {"TwoMarks", {"12:00:00.5", "12:00:01,0"}, false},
  };
  for (const auto& c : cases) {
    // Noted in two parts, as two pieces of a load are.
    TStampSpelling first;
    TStampSpelling second;
    TStampTimes times;
    for (std::size_t i = 0; i < c.Fields.size(); ++i) {
      TStampForm form;
      const std::optional<TStamp> stamp = ParseStamp(c.Fields[i], form);
      ASSERT_TRUE(stamp) << c.Name;
      (i == 0 ? first : second).Note(*stamp, form);
      times.Append(stamp);
    }
    times.Spelled(first);
    times.Spelled(second);
    for (std::size_t i = 0; i < c.Fields.size(); ++i) {
      EXPECT_EQ(times.Text(i), c.Plain ? std::optional<std::string>(c.Fields[i]) : std::nullopt) << c.Name << " #" << i;
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

#include "runtime/WholeNumber.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/ThrowsWithMessage.h"

namespace {

TEST(WholeNumberArgument, TakesTheWholeTextAsADecimalNumberInRange) {
  const struct {
    const char* Text;
    long long Expected;
  } cases[] = {{"794", 794}, {"8192", 8192}, {"1000", 1000}};
  for (const auto& c : cases) {
    EXPECT_EQ(WholeNumberArgument(c.Text, 794, 8192, "--size"), c.Expected) << c.Text;
  }
  EXPECT_EQ(WholeNumberArgument("-12", -100, 100, "--drag"), -12);
}

// Every refusal names the option and what it takes; the text itself, or
// that it is out of range.
TEST(WholeNumberArgument, RefusesAnythingElseSayingWhichOptionAndWhy) {
  const struct {
    const char* Text;
    const char* Message;
  } cases[] = {
      {"600x", "--size takes a whole number from 794 to 8192, not '600x'"},
      {"-", "--size takes a whole number from 794 to 8192, not '-'"},
      {"", "--size takes a whole number from 794 to 8192, not ''"},
      {" 800", "--size takes a whole number from 794 to 8192, not ' 800'"},
      {"800 ", "--size takes a whole number from 794 to 8192, not '800 '"},
      {"+800", "--size takes a whole number from 794 to 8192, not '+800'"},
      {"8e2", "--size takes a whole number from 794 to 8192, not '8e2'"},
      {"0x320", "--size takes a whole number from 794 to 8192, not '0x320'"},
      {"800.0", "--size takes a whole number from 794 to 8192, not '800.0'"},
      {"793", "--size takes a whole number from 794 to 8192: 793 is out of range"},
      {"8193", "--size takes a whole number from 794 to 8192: 8193 is out of range"},
      {"2147483648", "--size takes a whole number from 794 to 8192: 2147483648 is out of range"},
      {"-2147483649", "--size takes a whole number from 794 to 8192: -2147483649 is out of range"},
      {"99999999999999999999999",
       "--size takes a whole number from 794 to 8192: 99999999999999999999999 is out of range"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(
        ThrowsWithMessage<std::invalid_argument>([&] { WholeNumberArgument(c.Text, 794, 8192, "--size"); }, c.Message))
        << c.Text;
  }
}

}  // namespace

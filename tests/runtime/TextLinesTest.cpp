#include "runtime/TextLines.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(SplitLines, AxisLabelsBreakAtEveryCarriageReturn) {
  const struct {
    const char* Text;
    Lines Expected;
  } cases[] = {
      {"", {}},           {"12.5", {"12.5"}}, {"1\r2\r3", {"1", "2", "3"}},
      {"a\r", {"a", ""}}, {"\r", {"", ""}},   {"a\nb", {"a\nb"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitLines(c.Text, TLineBreak::CarriageReturn), c.Expected) << c.Text;
  }
}

TEST(SplitLines, TitlesBreakAtAnyNewlineAndAFinalOneOpensNoLine) {
  const struct {
    const char* Text;
    Lines Expected;
  } cases[] = {
      {"", {}},
      {"Lambda", {"Lambda"}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"a\n", {"a"}},
      {"a\r\n", {"a"}},
      {"\n", {""}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\n\r", {"a", ""}},
      {"a\r\r\n", {"a", ""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitLines(c.Text, TLineBreak::AnyNewline), c.Expected) << c.Text;
  }
}

}  // namespace

#include "runtime/PrintableText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PrintableText, EscapesControlAndBrokenBytesAndKeepsCharacters) {
  const struct {
    std::string Text;
    std::string Printable;
  } cases[] = {
      {"'n/a' is not a valid floating point value", "'n/a' is not a valid floating point value"},
      {"two\nlines\tand a tab", "two\nlines\tand a tab"},
      {std::string("nul\0byte", 8), "nul\\x00byte"},
      {"\x01\x1B[31m\x7F", "\\x01\\x1B[31m\\x7F"},
      {"\r", "\\x0D"},
      {"12.5 \xC2\xB0"
       "C, \xE2\x80\x93, \xF0\x9F\x98\x80",
       "12.5 \xC2\xB0"
       "C, \xE2\x80\x93, \xF0\x9F\x98\x80"},
      {"\xFF\xFE", "\\xFF\\xFE"},                    // never in UTF-8
      {"\xC3", "\\xC3"},                             // cut at the end
      {"\xC3(", "\\xC3("},                           // a lead byte without its continuation
      {"\x80", "\\x80"},                             // a lone continuation
      {"\xC0\xAF", "\\xC0\\xAF"},                    // overlong
      {"\xED\xA0\x80", "\\xED\\xA0\\x80"},           // a surrogate
      {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},  // past U+10FFFF
      {"\xE2\x82", "\\xE2\\x82"},                    // a three-byte character cut short
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PrintableText(c.Text), c.Printable) << c.Printable;
  }
}

}  // namespace

#include "gui/ShownText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CodePageOfLocale, FollowsTheLanguage) {
  const struct {
    const char* Locale;
    int CodePage;
  } cases[] = {{"pl_PL.UTF-8", 1250}, {"cs_CZ", 1250}, {"sk", 1250},    {"hu_HU@euro", 1250}, {"ru_RU.UTF-8", 1251},
               {"uk_UA", 1251},       {"bg_BG", 1251}, {"el_GR", 1253}, {"tr_TR", 1254},      {"he_IL", 1255},
               {"ar_EG", 1256},       {"lt_LT", 1257}, {"de_DE", 1252}, {"fr_FR", 1252},      {"en_US", 1252},
               {"C", 1252},           {"", 1252},      {"POSIX", 1252}, {"plx_PL", 1252}};
  for (const auto& c : cases) {
    EXPECT_EQ(CodePageOfLocale(c.Locale), c.CodePage) << c.Locale;
  }
}

// What the user reads for the bytes a log holds: UTF-8 when the bytes are
// valid UTF-8, otherwise the code page of the user's language.
TEST(ShownText, DecodesUtf8OrTheCodePage) {
  const struct {
    const char* Name;
    std::string Bytes;
    int CodePage;
    std::string Shown;  // UTF-8
  } cases[] = {
      {"Ascii", "Lambda", 1250, "Lambda"},
      {"Empty", "", 1251, ""},
      {"Utf8Degree",
       "Temperatur (\xC2\xB0"
       "C)",
       1252,
       "Temperatur (\xC2\xB0"
       "C)"},
      {"Utf8Cyrillic", "\xD0\xA2\xD0\xB5\xD0\xBC\xD0\xBF", 1252, "\xD0\xA2\xD0\xB5\xD0\xBC\xD0\xBF"},
      {"Cp1252Degree",
       "Temperatur (\xB0"
       "C)",
       1252,
       "Temperatur (\xC2\xB0"
       "C)"},
      {"Cp1252EnDashAndEuro",
       "1\x96"
       "2 \x80",
       1252,
       "1\xE2\x80\x93"
       "2 \xE2\x82\xAC"},
      {"Cp1252UndefinedByte",
       "a\x81"
       "b",
       1252,
       "a\xEF\xBF\xBD"
       "b"},
      {"Cp1250Polish", "Temperatura \xB3\xB9\x9C", 1250, "Temperatura \xC5\x82\xC4\x85\xC5\x9B"},
      {"Cp1251Russian", "\xD2\xE5\xEC\xEF", 1251, "\xD0\xA2\xD0\xB5\xD0\xBC\xD0\xBF"},
      {"SameBytesUnderAWesternLanguage", "\xD2\xE5\xEC\xEF", 1252, "\xC3\x92\xC3\xA5\xC3\xAC\xC3\xAF"},
      {"NoBreakSpaceSeparator",
       "1\xA0"
       "125",
       1251,
       "1\xC2\xA0"
       "125"},
      {"OverlongSlashIsNotUtf8", "\xC0\xAF", 1252, "\xC3\x80\xC2\xAF"},
      {"OverlongThreeBytes", "\xE0\x80\xAF", 1252, "\xC3\xA0\xE2\x82\xAC\xC2\xAF"},
      {"SurrogateIsNotUtf8", "\xED\xA0\x80", 1252, "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
      {"BeyondU10FFFF", "\xF4\x90\x80\x80", 1252, "\xC3\xB4\xEF\xBF\xBD\xE2\x82\xAC\xE2\x82\xAC"},
      {"CutSequence", "ab\xC3", 1252, "ab\xC3\x83"},
      {"LargestCharacter", "\xF4\x8F\xBF\xBF", 1250, "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShownText(c.Bytes, c.CodePage), c.Shown) << c.Name;
  }
}

TEST(ShownText, FallsBackToTheCodePageSet) {
  const int saved = TextCodePage();
  SetTextCodePage(1251);
  EXPECT_EQ(ShownText("\xD2"), "\xD0\xA2");
  SetTextCodePage(1250);
  EXPECT_EQ(ShownText("\xB3"), "\xC5\x82");
  SetTextCodePage(saved);
}

}  // namespace

#pragma once

#include <string>
#include <string_view>

// Texts travel through the program as the 8-bit bytes they were read as: a
// log's header, a bad line quoted in a message, a label. On the screen they
// are shown as UTF-8 when the bytes are valid UTF-8, and otherwise in the
// Windows code page the user's language implies, which is what the
// diagnostic tool wrote its logs in.

// The Windows code page of a locale name such as "pl_PL.UTF-8" or "ru":
// 1250 for Central European languages, 1251 for Cyrillic ones, 1253 to
// 1257 where they apply, 1252 for the rest.
int CodePageOfLocale(std::string_view localeName);

// The code page that ShownText falls back to; 1252 until set.
int TextCodePage();
void SetTextCodePage(int codePage);

// The text as shown, in UTF-8. Bytes the code page leaves undefined show as
// U+FFFD.
std::string ShownText(std::string_view bytes);
std::string ShownText(std::string_view bytes, int codePage);

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// values beyond U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

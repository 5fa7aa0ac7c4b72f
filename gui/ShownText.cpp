#include "gui/ShownText.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>

#include "runtime/PrintableText.h"

namespace {

constexpr int kDefaultCodePage = 1252;

struct TLanguageCodePage {
  std::string_view Language;
  int CodePage;
};

constexpr std::array<TLanguageCodePage, 32> kLanguageCodePages = {{
    {"pl", 1250}, {"cs", 1250}, {"sk", 1250}, {"hu", 1250}, {"sl", 1250}, {"hr", 1250}, {"bs", 1250}, {"ro", 1250},
    {"sq", 1250}, {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"mk", 1251}, {"sr", 1251}, {"kk", 1251},
    {"ky", 1251}, {"tt", 1251}, {"mn", 1251}, {"el", 1253}, {"tr", 1254}, {"az", 1254}, {"he", 1255}, {"yi", 1255},
    {"ar", 1256}, {"fa", 1256}, {"ur", 1256}, {"ps", 1256}, {"et", 1257}, {"lv", 1257}, {"lt", 1257}, {"iw", 1255},
}};

std::atomic<int> currentCodePage{kDefaultCodePage};

// The UTF-8 text of each byte 0x80..0xFF in one code page.
using TUpperHalf = std::array<std::string, 128>;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

TUpperHalf UpperHalfOf(int codePage) {
  TUpperHalf table;
  table.fill(std::string(kReplacement));
  const std::string name = "CP" + std::to_string(codePage);
  const iconv_t converter = iconv_open("UTF-8", name.c_str());
  if (reinterpret_cast<std::intptr_t>(converter) == -1) {  // iconv_open's failure value
    return table;
  }
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    char in = static_cast<char>(byte);
    std::array<char, 8> out{};
    char* inPos = &in;
    char* outPos = out.data();
    std::size_t inLeft = 1;
    std::size_t outLeft = out.size();
    if (iconv(converter, &inPos, &inLeft, &outPos, &outLeft) != static_cast<std::size_t>(-1)) {
      table[static_cast<std::size_t>(byte - 0x80)].assign(out.data(), outPos);
    }
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(converter);
  return table;
}

const TUpperHalf& UpperHalf(int codePage) {
  static std::mutex mutex;
  static std::map<int, TUpperHalf> tables;
  const std::lock_guard lock(mutex);
  auto found = tables.find(codePage);
  if (found == tables.end()) {
    found = tables.emplace(codePage, UpperHalfOf(codePage)).first;
  }
  return found->second;
}

}  // namespace

int CodePageOfLocale(std::string_view localeName) {
  const std::string_view language = localeName.substr(0, localeName.find_first_of("_.@-"));
  const auto found = std::find_if(kLanguageCodePages.begin(), kLanguageCodePages.end(),
                                  [&](const TLanguageCodePage& entry) { return entry.Language == language; });
  return found == kLanguageCodePages.end() ? kDefaultCodePage : found->CodePage;
}

int TextCodePage() { return currentCodePage.load(std::memory_order_relaxed); }

void SetTextCodePage(int codePage) { currentCodePage.store(codePage, std::memory_order_relaxed); }

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = Utf8SequenceLength(bytes, i);
    if (length == 0) {
      return false;
    }
    i += length;
  }
  return true;
}

std::string ShownText(std::string_view bytes) { return ShownText(bytes, TextCodePage()); }

std::string ShownText(std::string_view bytes, int codePage) {
  if (IsValidUtf8(bytes)) {
    return std::string(bytes);
  }
  const TUpperHalf& upper = UpperHalf(codePage);
  std::string shown;
  shown.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      shown += c;
    } else {
      shown += upper[byte - 0x80];
    }
  }
  return shown;
}

#include "app/view/ValueRangeText.h"

#include <cmath>
#include <vector>

#include "runtime/LocaleSeparators.h"
#include "runtime/NumberFormat.h"
#include "runtime/TextToNumber.h"

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ';' || (c == ',' && LocaleDecimalSeparator != ','); }

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  for (std::size_t k = 0; k <= text.size(); ++k) {
    if (k == text.size() || IsSeparator(text[k])) {
      if (k > start) {
        words.push_back(text.substr(start, k - start));
      }
      start = k + 1;
    }
  }
  return words;
}

}  // namespace

std::string ValueRangeText(const TAxisRange& range) {
  constexpr const char* kPattern = "0.#########";
  return FormatNumber(kPattern, range.Minimum) + " " + FormatNumber(kPattern, range.Maximum);
}

std::optional<TAxisRange> ParseValueRange(std::string_view text) {
  const std::vector<std::string_view> words = Words(text);
  long double minimum = 0;
  long double maximum = 0;
  if (words.size() != 2 || !TextToNumber(words[0], minimum) || !TextToNumber(words[1], maximum)) {
    return std::nullopt;
  }
  const TAxisRange range{static_cast<double>(minimum), static_cast<double>(maximum)};
  if (!std::isfinite(range.Minimum) || !std::isfinite(range.Maximum) || !(range.Minimum < range.Maximum)) {
    return std::nullopt;
  }
  return range;
}

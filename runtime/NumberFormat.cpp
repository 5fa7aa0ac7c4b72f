#include "runtime/NumberFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "runtime/DecimalRecord.h"
#include "runtime/Exception.h"
#include "runtime/LocaleSeparators.h"

namespace {

constexpr int kGeneralPrecision = 15;
constexpr int kAllDecimals = 9999;
constexpr int kMaxExponentDigits = 4;
constexpr int kLargestFixedExponent = 18;

bool IsQuote(char c) { return c == '\'' || c == '"'; }

// The literal text of the quote that opens at `open`, and the index after its
// closing quote; an unterminated quote runs to the end of the text.
struct Quoted {
  std::string_view Literal;
  std::size_t Next = 0;
};

Quoted ReadQuoted(std::string_view text, std::size_t open) {
  const std::size_t close = text.find(text[open], open + 1);
  if (close == std::string_view::npos) {
    return {text.substr(open + 1), text.size()};
  }
  return {text.substr(open + 1, close - open - 1), close + 1};
}

bool IsExponentAt(std::string_view text, std::size_t i) {
  return (text[i] == 'E' || text[i] == 'e') && i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-');
}

// The "0" characters of an exponent, starting just after its sign.
std::size_t ExponentZeroCount(std::string_view text, std::size_t afterSign) {
  std::size_t end = afterSign;
  while (end < text.size() && text[end] == '0') {
    ++end;
  }
  return end - afterSign;
}

// The up to three sections of a pattern, split at ";" outside quotes; a
// fourth ";" ends the third section, and what follows it is not used.
struct Sections {
  static constexpr int MaxCount = 3;
  std::string_view Text[MaxCount];
  int Count = 0;

  explicit Sections(std::string_view pattern) {
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < pattern.size()) {
      if (IsQuote(pattern[i])) {
        i = ReadQuoted(pattern, i).Next;
      } else if (pattern[i] == ';') {
        Text[Count++] = pattern.substr(start, i - start);
        if (Count == MaxCount) {
          return;
        }
        start = ++i;
      } else {
        ++i;
      }
    }
    Text[Count++] = pattern.substr(start);
  }

  // Section number 1..3 to use for the wanted one: a missing or empty
  // section falls back to the first.
  int Resolve(int wanted) const { return wanted <= Count && !Text[wanted - 1].empty() ? wanted : 1; }
};

int WantedSection(long double value) {
  if (std::signbit(value)) {
    return 2;  // a negative zero too: it reaches the zero section when digits vanish
  }
  return value == 0 ? 3 : 1;
}

// What one scan of a section learns about its digit slots.
struct SectionLayout {
  int SlotCount = 0;
  int PointSlot = -1;
  bool Grouping = false;
  bool Scientific = false;
  int FirstZero = -1;
  int AfterLastZero = -1;
  int MinIntegerDigits = 0;
  int MinFractionDigits = 0;
};

SectionLayout ScanSection(std::string_view section) {
  SectionLayout layout;
  std::size_t i = 0;
  while (i < section.size()) {
    const char c = section[i];
    if (IsQuote(c)) {
      i = ReadQuoted(section, i).Next;
      continue;
    }
    if (IsExponentAt(section, i)) {
      layout.Scientific = true;
      i += 2 + ExponentZeroCount(section, i + 2);
      continue;
    }
    if (c == '#' || c == '0') {
      if (c == '0') {
        if (layout.FirstZero < 0) {
          layout.FirstZero = layout.SlotCount;
        }
        layout.AfterLastZero = layout.SlotCount + 1;
      }
      ++layout.SlotCount;
    } else if (c == '.' && layout.PointSlot < 0) {
      layout.PointSlot = layout.SlotCount;
    } else if (c == ',') {
      layout.Grouping = true;
    }
    ++i;
  }
  if (layout.PointSlot < 0) {
    layout.PointSlot = layout.SlotCount;
  }
  if (layout.FirstZero >= 0 && layout.FirstZero < layout.PointSlot) {
    layout.MinIntegerDigits = layout.PointSlot - layout.FirstZero;
  }
  if (layout.AfterLastZero > layout.PointSlot) {
    layout.MinFractionDigits = layout.AfterLastZero - layout.PointSlot;
  }
  return layout;
}

DecimalRecord DigitsFor(long double value, const SectionLayout& layout) {
  if (layout.Scientific) {
    return NumberToDecimal(value, layout.SlotCount, kAllDecimals);
  }
  return NumberToDecimal(value, DecimalRecord::MaxDigits, layout.SlotCount - layout.PointSlot);
}

// Writes a section's text for one decimal record.
class SectionWriter {
public:
  SectionWriter(std::string_view section, const SectionLayout& layout, const DecimalRecord& record,
                char decimalSeparator, char thousandSeparator)
      : section_(section),
        layout_(layout),
        record_(record),
        decimalSeparator_(decimalSeparator),
        groupSeparator_(layout.Grouping ? thousandSeparator : '\0') {
    const int exponent = record.Exponent;
    place_ = layout.Scientific ? layout.PointSlot : std::max(exponent, layout.PointSlot);
    surplus_ = layout.Scientific ? 0 : exponent - layout.PointSlot;
  }

  void Write(std::string& out) {
    std::size_t i = 0;
    while (i < section_.size()) {
      const char c = section_[i];
      if (c == '#' || c == '0') {
        WriteSlot(out);
        ++i;
      } else if (c == '.' || c == ',') {
        ++i;
      } else if (IsQuote(c)) {
        const Quoted quoted = ReadQuoted(section_, i);
        out.append(quoted.Literal);
        i = quoted.Next;
      } else if (IsExponentAt(section_, i)) {
        const std::size_t zeros = ExponentZeroCount(section_, i + 2);
        WriteExponent(out, c, section_[i + 1], static_cast<int>(zeros));
        i += 2 + zeros;
      } else {
        out.push_back(c);
        ++i;
      }
    }
  }

private:
  void WriteSlot(std::string& out) {
    if (surplus_ > 0) {
      const int positions = surplus_ + 1;
      surplus_ = 0;
      for (int k = 0; k < positions; ++k) {
        WriteDigitPosition(out);
      }
    } else if (surplus_ < 0) {
      ++surplus_;
      if (place_ <= layout_.MinIntegerDigits) {
        WriteDigit(out, '0');
      }
      --place_;
    } else {
      WriteDigitPosition(out);
    }
  }

  // The next significant digit, or once they are used up a "0" where the
  // pattern makes the digit mandatory.
  void WriteDigitPosition(std::string& out) {
    const std::string_view digits = record_.Digits();
    if (nextDigit_ < digits.size()) {
      WriteDigit(out, digits[nextDigit_++]);
    } else if (place_ > -layout_.MinFractionDigits) {
      WriteDigit(out, '0');
    }
    --place_;
  }

  void WriteDigit(std::string& out, char digit) {
    if (place_ == 0) {
      out.push_back(decimalSeparator_);
    }
    out.push_back(digit);
    if (place_ > 1 && place_ % 3 == 1 && groupSeparator_ != '\0') {
      out.push_back(groupSeparator_);
    }
  }

  void WriteExponent(std::string& out, char letter, char signForm, int zeroCount) {
    const int power = record_.DigitCount == 0 ? 0 : record_.Exponent - layout_.PointSlot;
    out.push_back(letter);
    if (power < 0) {
      out.push_back('-');
    } else if (signForm == '+') {
      out.push_back('+');
    }
    std::string digits = std::to_string(std::abs(power));
    const auto minDigits = static_cast<std::size_t>(std::min(zeroCount, kMaxExponentDigits));
    if (digits.size() < minDigits) {
      digits.insert(0, minDigits - digits.size(), '0');
    }
    out.append(digits);
  }

  std::string_view section_;
  const SectionLayout& layout_;
  const DecimalRecord& record_;
  char decimalSeparator_;
  char groupSeparator_;
  int place_ = 0;
  int surplus_ = 0;
  std::size_t nextDigit_ = 0;
};

std::string GeneralText(const DecimalRecord& record, char decimalSeparator) {
  if (record.IsNaN()) {
    return "NAN";
  }
  std::string out = record.Negative ? "-" : "";
  if (record.IsInfinite()) {
    return out + "INF";
  }
  const std::string_view digits = record.Digits();
  const int exponent = record.Exponent;
  if (exponent > 0 && exponent <= kGeneralPrecision) {
    const auto integerDigits = static_cast<std::size_t>(exponent);
    out.append(digits.substr(0, integerDigits));
    if (digits.size() < integerDigits) {
      out.append(integerDigits - digits.size(), '0');
    } else if (digits.size() > integerDigits) {
      out.push_back(decimalSeparator);
      out.append(digits.substr(integerDigits));
    }
  } else if (exponent <= 0 && exponent >= -3) {
    out.push_back('0');
    if (!digits.empty()) {
      out.push_back(decimalSeparator);
      out.append(static_cast<std::size_t>(-exponent), '0');
      out.append(digits);
    }
  } else {
    out.push_back(digits[0]);
    if (digits.size() > 1) {
      out.push_back(decimalSeparator);
      out.append(digits.substr(1));
    }
    out.push_back('E');
    out.append(std::to_string(exponent - 1));
  }
  return out;
}

}  // namespace

std::string GeneralNumberText(long double value) {
  const char decimalSeparator = LocaleDecimalSeparator;
  return GeneralText(NumberToDecimal(value, kGeneralPrecision, kAllDecimals), decimalSeparator);
}

std::string FormatNumber(std::string_view pattern, long double value) {
  if (pattern.size() > MaxFormatPatternLength) {
    throw EConvertError("Format string too long");
  }
  const char decimalSeparator = LocaleDecimalSeparator;
  const char thousandSeparator = LocaleThousandSeparator;

  const Sections sections(pattern);
  int section = sections.Resolve(WantedSection(value));
  if (sections.Text[section - 1].empty()) {
    return GeneralNumberText(value);
  }
  SectionLayout layout = ScanSection(sections.Text[section - 1]);
  const DecimalRecord record = DigitsFor(value, layout);
  if (record.IsInfinite() || record.IsNaN() || (!layout.Scientific && record.Exponent > kLargestFixedExponent)) {
    return GeneralNumberText(value);
  }
  if (record.DigitCount == 0) {
    const int zeroSection = sections.Resolve(3);
    if (zeroSection != section) {
      section = zeroSection;
      layout = ScanSection(sections.Text[section - 1]);
    }
  }
  std::string out;
  out.reserve(32);
  if (record.Negative && section == 1) {
    out.push_back('-');
  }
  SectionWriter(sections.Text[section - 1], layout, record, decimalSeparator, thousandSeparator).Write(out);
  return out;
}

std::string GroupedWholeNumber(long double value) { return FormatNumber("#,##0", std::nearbyint(value)); }

std::string ShortestNumberText(double value, char decimalSeparator) {
  std::array<char, 32> text{};
  const std::to_chars_result written = std::to_chars(text.data(), text.data() + text.size(), value);
  std::string shortest(text.data(), written.ptr);
  std::replace(shortest.begin(), shortest.end(), '.', decimalSeparator);
  return shortest;
}

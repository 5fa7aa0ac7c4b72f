#pragma once

#include <fenv.h>

#include <cstdint>
#include <string>
#include <string_view>

// Number texts as the log loader reads them: blanks (spaces only) around an
// optional sign, digits, the locale's decimal separator and an exponent. The
// work is done in 80-bit extended arithmetic, rounding to nearest with ties
// to even; the caller's floating-point environment is restored afterwards.

// Exceptions masked, rounding to nearest and 64-bit mantissas for a scope;
// the caller's environment (flags included) comes back at its end. Every
// conversion holds one. Setting the environment up costs more than a
// conversion, so a loop of conversions holds one around them all: a scope
// inside another only clears the exception flags.
class TExtendedArithmeticScope {
public:
  TExtendedArithmeticScope();
  ~TExtendedArithmeticScope();
  TExtendedArithmeticScope(const TExtendedArithmeticScope&) = delete;
  TExtendedArithmeticScope& operator=(const TExtendedArithmeticScope&) = delete;

  // Whether the arithmetic was invalid or overflowed since the innermost
  // scope began.
  static bool Failed();

private:
  bool outermost_;
  fenv_t saved_{};
};

// Extended kind. Returns false and leaves `value` unchanged when the text is
// not a number or the arithmetic overflows.
bool TextToNumber(std::string_view text, long double& value);

// Currency kind: the amount times 10000 rounded to a 64-bit integer. Returns
// false and leaves `amount` unchanged when the text is not a number or the
// amount does not fit.
bool TextToNumber(std::string_view text, std::int64_t& amount);
// The same with the decimal separator given, for threads that must not read
// the process-wide one while it may change.
bool TextToNumber(std::string_view text, std::int64_t& amount, char decimalSeparator);

// The currency amount of a text, or EConvertError naming the text.
std::int64_t TextToCurrency(std::string_view text);
std::int64_t TextToCurrency(std::string_view text, char decimalSeparator);

// The conversion error for a text that is not a number.
[[noreturn]] void RaiseConversionError(std::string_view text);

// A shortcut for the common plain texts: an optional sign, at most eighteen
// digits with at most one "." among them, an optional exponent of one or two
// digits, and blanks only around it. For these the amount is exact integer arithmetic
// and equals what TextToCurrency gives once the "." is read as the decimal
// separator. Returns false for every other text; the caller then takes the
// general path.
bool PlainDecimalToCurrency(std::string_view text, std::int64_t& amount);

// A currency amount as a double: the amount times the double nearest 0.0001,
// multiplied in extended precision and rounded once to double.
inline double CurrencyToValue(std::int64_t amount) {
  return static_cast<double>(static_cast<long double>(amount) * static_cast<long double>(0.0001));
}

#include "runtime/WholeNumber.h"

#include <charconv>
#include <stdexcept>
#include <system_error>

long long WholeNumberArgument(const std::string& text, long long low, long long high, const std::string& option) {
  const std::string range = " from " + std::to_string(low) + " to " + std::to_string(high);
  long long value = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error == std::errc::invalid_argument || stop != end || text.empty()) {
    throw std::invalid_argument(option + " takes a whole number" + range + ", not '" + text + "'");
  }
  if (error == std::errc::result_out_of_range || value < low || value > high) {
    throw std::invalid_argument(option + " takes a whole number" + range + ": " + text + " is out of range");
  }
  return value;
}

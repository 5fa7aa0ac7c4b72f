// Any text: the conversion must give a value or its conversion error, and a
// plain decimal must give the same value on the fast path as on the general one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "runtime/Exception.h"
#include "runtime/TextToNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::int64_t general = 0;
  try {
    general = TextToCurrency(text);
  } catch (const EConvertError&) {
    return 0;
  }
  std::int64_t fast = 0;
  if (PlainDecimalToCurrency(text, fast) && fast != general) {
    std::abort();
  }
  return 0;
}

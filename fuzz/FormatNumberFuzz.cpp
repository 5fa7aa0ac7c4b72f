// Any pattern and any 80-bit value: formatting must neither crash nor hang,
// and may only fail with the documented conversion error.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "runtime/Exception.h"
#include "runtime/NumberFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kValueBytes = 10;  // the 80-bit extended value
  if (size < kValueBytes) {
    return 0;
  }
  long double value = 0;
  std::memcpy(&value, data, kValueBytes);
  const std::string_view pattern(reinterpret_cast<const char*>(data + kValueBytes), size - kValueBytes);
  try {
    FormatNumber(pattern, value);
  } catch (const EConvertError&) {
  }
  GeneralNumberText(value);
  return 0;
}

#include "chart/series/TValueStorage.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace {

// Below this an array gains nothing from huge pages.
constexpr std::size_t HugePageWorthy = std::size_t{4} << 20;

std::uintptr_t PageSize() {
  static const auto size = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  return size;
}

}  // namespace

void AdviseHugePages(void* data, std::size_t bytes) {
  if (bytes < HugePageWorthy) {
    return;
  }
  const std::uintptr_t page = PageSize();
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + page - 1) / page * page;
  const std::uintptr_t end = (start + bytes) / page * page;
  if (end > first) {
    // Advice only: where the system has no huge pages the array works the same.
    madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);  // NOLINT(performance-no-int-to-ptr)
  }
}

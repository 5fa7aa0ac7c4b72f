#include "chart/series/TValueStorage.h"

#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <new>

namespace {

// Point counts are 32-bit signed, and no element is wider than 8 bytes.
constexpr std::size_t kReservedBytes = std::size_t{INT_MAX} * 8;

std::size_t PageSize() {
  static const std::size_t size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

std::size_t RoundUpToPage(std::size_t bytes) {
  const std::size_t page = PageSize();
  return (bytes + page - 1) / page * page;
}

}  // namespace

void TReservedMemory::Commit(std::size_t bytes) {
  if (base_ == nullptr) {
    // Reserved without access, so it counts against no memory limit until
    // committed.
    void* base = mmap(nullptr, kReservedBytes, PROT_NONE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (base == MAP_FAILED) {
      throw std::bad_alloc();
    }
    base_ = base;
  }
  const std::size_t target = RoundUpToPage(bytes);
  if (target <= committed_) {
    return;
  }
  if (target > kReservedBytes ||
      mprotect(static_cast<char*>(base_) + committed_, target - committed_,
               PROT_READ | PROT_WRITE) != 0) {
    throw std::bad_alloc();
  }
  committed_ = target;
}

void TReservedMemory::Release() {
  if (base_ != nullptr) {
    munmap(base_, kReservedBytes);
    base_ = nullptr;
    committed_ = 0;
  }
}

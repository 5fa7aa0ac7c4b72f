#include "chart/series/TValueStorage.h"

#include <sys/mman.h>
#include <unistd.h>

#include <new>

namespace {

std::size_t PageSize() {
  static const std::size_t size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

std::size_t RoundUpToPage(std::size_t bytes) {
  const std::size_t page = PageSize();
  return (bytes + page - 1) / page * page;
}

}  // namespace

void TReservedMemory::Commit(std::size_t bytes, std::size_t reserve) {
  if (base_ == nullptr) {
    reserve = RoundUpToPage(reserve);
    // Reserved without access, so it counts against no memory limit until
    // committed.
    void* base = mmap(nullptr, reserve, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (base == MAP_FAILED) {
      throw std::bad_alloc();
    }
    base_ = base;
    reserved_ = reserve;
  }
  const std::size_t target = RoundUpToPage(bytes);
  if (target <= committed_) {
    return;
  }
  if (target > reserved_ ||
      mprotect(static_cast<char*>(base_) + committed_, target - committed_, PROT_READ | PROT_WRITE) != 0) {
    throw std::bad_alloc();
  }
  committed_ = target;
}

void TReservedMemory::Release() {
  if (base_ != nullptr) {
    munmap(base_, reserved_);
    base_ = nullptr;
    committed_ = 0;
    reserved_ = 0;
  }
}

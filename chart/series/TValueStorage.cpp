#include "chart/series/TValueStorage.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace StorageBlocks {

namespace {

bool Mapped(std::size_t bytes) { return bytes >= kMappedBytes; }

void* Map(std::size_t bytes) {
  void* data = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return data == MAP_FAILED ? nullptr : data;
}

}  // namespace

void* Grow(void* data, std::size_t oldBytes, std::size_t newBytes) {
  if (!Mapped(newBytes)) {
    return std::realloc(data, newBytes);
  }
  if (data != nullptr && Mapped(oldBytes)) {
    void* grown = mremap(data, oldBytes, newBytes, MREMAP_MAYMOVE);
    return grown == MAP_FAILED ? nullptr : grown;
  }
  void* grown = Map(newBytes);
  if (grown != nullptr && data != nullptr) {
    std::memcpy(grown, data, oldBytes);
    std::free(data);
  }
  return grown;
}

void Free(void* data, std::size_t bytes) {
  if (data == nullptr) {
    return;
  }
  if (Mapped(bytes)) {
    munmap(data, bytes);
  } else {
    std::free(data);
  }
}

void PopulatePages(void* begin, void* end) {
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  char* first = static_cast<char*>(begin);
  first -= reinterpret_cast<std::uintptr_t>(first) % page;
  if (static_cast<char*>(end) > first) {
    madvise(first, static_cast<std::size_t>(static_cast<char*>(end) - first), MADV_POPULATE_WRITE);
  }
}

}  // namespace StorageBlocks

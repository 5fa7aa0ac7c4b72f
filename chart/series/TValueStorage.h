#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

// Storage for one coordinate (or the colours) of every point of a series: one
// ordinary allocation whose capacity doubles from FirstCapacity, so a load of
// n points moves each value a bounded number of times (the allocator moves
// large blocks by remapping their pages) and holds no more than it uses plus
// the untouched part of the last doubling. No huge pages: they are handed
// out whole, so a log's arrays would hold up to 2 MiB each they never use,
// and the memory peak of four long logs rose by an eighth with them.
template <class T>
class TValueStorage {
  static_assert(std::is_trivially_copyable_v<T>);

public:
  static constexpr int FirstCapacity = 1000;

  TValueStorage() = default;
  ~TValueStorage() { std::free(data_); }
  TValueStorage(TValueStorage&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), capacity_(std::exchange(other.capacity_, 0)) {}
  TValueStorage& operator=(TValueStorage&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(capacity_, other.capacity_);
    return *this;
  }
  TValueStorage(const TValueStorage&) = delete;
  TValueStorage& operator=(const TValueStorage&) = delete;

  int Capacity() const { return capacity_; }
  T* Data() const { return data_; }
  T& operator[](int index) const { return data_[index]; }

  // Grows until `count` elements fit; throws std::bad_alloc when memory runs
  // out, keeping the stored values.
  void EnsureCapacity(long long count) {
    if (count <= capacity_) {
      return;
    }
    RefuseBeyondLimit(count);
    long long capacity = capacity_ == 0 ? FirstCapacity : capacity_;
    while (capacity < count) {
      capacity *= 2;
    }
    capacity = std::min<long long>(capacity, INT_MAX);
    const std::size_t bytes = static_cast<std::size_t>(capacity) * sizeof(T);
    void* grown = std::realloc(data_, bytes);
    if (grown == nullptr) {
      throw std::bad_alloc();
    }
    data_ = static_cast<T*>(grown);
    capacity_ = static_cast<int>(capacity);
  }

  // Counts are 32-bit signed, so a count beyond that range is refused
  // rather than wrapped.
  static void RefuseBeyondLimit(long long count) {
    if (count > INT_MAX) {
      throw std::length_error("More points than a series can hold.");
    }
  }

  void Release() {
    std::free(data_);
    data_ = nullptr;
    capacity_ = 0;
  }

  // Has the system back [from, to) with memory in one call, where it would
  // otherwise fault in page by page as the elements are written: on some
  // virtual machines a fault costs more than filling its page. Only a hint.
  void PopulatePages(int from, int to) const {
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    char* const end = reinterpret_cast<char*>(data_ + to);
    char* begin = reinterpret_cast<char*>(data_ + from);
    begin -= reinterpret_cast<std::uintptr_t>(begin) % page;
    if (end > begin) {
      madvise(begin, static_cast<std::size_t>(end - begin), MADV_POPULATE_WRITE);
    }
  }

  // Makes room at `index` for one element, moving index..count-1 up by one.
  void OpenGap(int index, int count) {
    if (index == count) {
      return;  // appending, the common case
    }
    std::memmove(data_ + index + 1, data_ + index, static_cast<std::size_t>(count - index) * sizeof(T));
  }

  // Closes a run of `quantity` elements at `index`.
  void CloseGap(int index, int quantity, int count) {
    std::memmove(data_ + index, data_ + index + quantity,
                 static_cast<std::size_t>(count - index - quantity) * sizeof(T));
  }

private:
  T* data_ = nullptr;
  int capacity_ = 0;
};

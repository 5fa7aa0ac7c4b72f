#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <utility>

// Storage for one coordinate (or the colours) of every point of a series.
// Its capacity grows in fixed steps of GrowthStep elements. The address range
// for the largest possible count is reserved once and pages are committed as
// the capacity grows, so growing never copies the stored values: a load of n
// points costs O(n) however small the step, and the memory held is the points
// themselves plus less than one step.
class TReservedMemory {
public:
  TReservedMemory() = default;
  ~TReservedMemory() { Release(); }
  TReservedMemory(TReservedMemory&& other) noexcept { Swap(other); }
  TReservedMemory& operator=(TReservedMemory&& other) noexcept {
    TReservedMemory moved(std::move(other));
    Swap(moved);
    return *this;
  }
  TReservedMemory(const TReservedMemory&) = delete;
  TReservedMemory& operator=(const TReservedMemory&) = delete;

  void* Data() const { return base_; }
  // Makes the first `bytes` bytes usable, reserving `reserve` bytes of
  // address space on first use; throws std::bad_alloc when the system
  // refuses.
  void Commit(std::size_t bytes, std::size_t reserve);
  void Release();

private:
  void Swap(TReservedMemory& other) noexcept {
    std::swap(base_, other.base_);
    std::swap(committed_, other.committed_);
    std::swap(reserved_, other.reserved_);
  }

  void* base_ = nullptr;
  std::size_t committed_ = 0;
  std::size_t reserved_ = 0;
};

template <class T>
class TValueStorage {
public:
  static constexpr int GrowthStep = 1000;

  int Capacity() const { return capacity_; }
  T* Data() const { return static_cast<T*>(memory_.Data()); }
  T& operator[](int index) const { return Data()[index]; }

  // Grows in steps until `count` elements fit. Counts are 32-bit signed, so
  // a count beyond that range is refused rather than wrapped.
  void EnsureCapacity(long long count) {
    if (count <= capacity_) {
      return;
    }
    if (count > INT_MAX) {
      throw std::length_error("More points than a series can hold.");
    }
    const long long steps = (count - capacity_ + GrowthStep - 1) / GrowthStep;
    const int capacity = static_cast<int>(std::min<long long>(capacity_ + steps * GrowthStep, INT_MAX));
    constexpr std::size_t kReserve = std::size_t{INT_MAX} * sizeof(T);
    memory_.Commit(static_cast<std::size_t>(capacity) * sizeof(T), kReserve);
    capacity_ = capacity;
  }

  void Release() {
    memory_.Release();
    capacity_ = 0;
  }

  // Makes room at `index` for one element, moving index..count-1 up by one.
  void OpenGap(int index, int count) {
    if (index == count) {
      return;  // appending, the common case
    }
    std::memmove(Data() + index + 1, Data() + index, static_cast<std::size_t>(count - index) * sizeof(T));
  }

  // Closes a run of `quantity` elements at `index`.
  void CloseGap(int index, int quantity, int count) {
    std::memmove(Data() + index, Data() + index + quantity,
                 static_cast<std::size_t>(count - index - quantity) * sizeof(T));
  }

private:
  TReservedMemory memory_;
  int capacity_ = 0;
};

#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

// The blocks behind TValueStorage. Up to kMappedBytes they come from the
// allocator; larger ones are mapped pages of their own and grow by
// remapping, never by copying: the allocator keeps blocks of up to 32 MB on
// its heap once it has seen such blocks freed, and copies them at every
// growth.
namespace StorageBlocks {
constexpr std::size_t kMappedBytes = std::size_t{1} << 20;
// The block grown from `oldBytes` to `newBytes` with its contents, or null
// when memory runs out (the old block then stays as it was).
void* Grow(void* data, std::size_t oldBytes, std::size_t newBytes);
void Free(void* data, std::size_t bytes);
// Has the system back [begin, end) with memory in one call, where it would
// otherwise fault in page by page as the bytes are written: on some
// virtual machines a fault costs more than filling its page. Only a hint.
void PopulatePages(void* begin, void* end);
}  // namespace StorageBlocks

// Storage for one coordinate (or the colours) of every point of a series:
// one block whose capacity doubles from FirstCapacity, so a load of n points
// holds no more than it uses plus the untouched part of the last doubling,
// and large blocks grow without moving their values. No huge pages: they are
// handed out whole, so a log's arrays would hold up to 2 MiB each they never
// use, and the memory peak of four long logs rose by an eighth with them.
template <class T>
class TValueStorage {
  static_assert(std::is_trivially_copyable_v<T>);

public:
  static constexpr int FirstCapacity = 1000;
  // Counts are 32-bit signed.
  static constexpr int MaxCount = INT_MAX;

  TValueStorage() = default;
  ~TValueStorage() { Release(); }
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
    capacity = std::min<long long>(capacity, MaxCount);
    void* grown = StorageBlocks::Grow(data_, Bytes(capacity_), Bytes(static_cast<int>(capacity)));
    if (grown == nullptr) {
      throw std::bad_alloc();
    }
    data_ = static_cast<T*>(grown);
    capacity_ = static_cast<int>(capacity);
  }

  // A count beyond MaxCount is refused rather than wrapped.
  static void RefuseBeyondLimit(long long count) {
    if (count > MaxCount) {
      throw std::length_error("More points than a series can hold.");
    }
  }

  void Release() {
    StorageBlocks::Free(data_, Bytes(capacity_));
    data_ = nullptr;
    capacity_ = 0;
  }

  // Backs elements [from, to) with memory at once (see StorageBlocks).
  void PopulatePages(int from, int to) const { StorageBlocks::PopulatePages(data_ + from, data_ + to); }

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
  static std::size_t Bytes(int capacity) { return static_cast<std::size_t>(capacity) * sizeof(T); }

  T* data_ = nullptr;
  int capacity_ = 0;
};

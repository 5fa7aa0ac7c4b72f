// operator new for the whole test program, with one allocation that can be
// made to fail, so that a test can run out of memory at each allocation of
// an operation in turn, whatever the allocator holds from earlier tests.
#include "tests/chart/series/FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {

// Allocations to let through before the failing one; negative: none fails.
thread_local long long allowedAllocations = -1;
thread_local bool failed = false;

}  // namespace

void FailAllocationAfter(long long allocations) {
  allowedAllocations = allocations;
  failed = false;
}

bool AllocationFailed() {
  allowedAllocations = -1;
  return failed;
}

void* operator new(std::size_t size) {
  if (allowedAllocations == 0) {
    allowedAllocations = -1;
    failed = true;
    throw std::bad_alloc();
  }
  if (allowedAllocations > 0) {
    --allowedAllocations;
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) {
    return memory;
  }
  throw std::bad_alloc();
}

// The library's no-throw form would otherwise come from another allocator
// (a sanitizer's) and be freed here.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

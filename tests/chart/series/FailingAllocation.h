#pragma once

// Makes one allocation through operator new on this thread throw
// std::bad_alloc: the one after `allocations` more have succeeded.
void FailAllocationAfter(long long allocations);
// Whether the allocation set to fail was reached; the failure is disarmed.
bool AllocationFailed();

#pragma once

// Hands the memory freed so far back to the system where the allocator
// would keep it for later: after a load, what stays resident is what the
// panes hold, not the load's buffers.
void ReturnFreedMemory();

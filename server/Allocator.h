#pragma once
// Process-wide memory settings of the server.

namespace hq {

// Keeps memory freed after a call for the next call instead of handing it
// back to the kernel each time (glibc trims the heap top and unmaps large
// blocks by default, which costs page faults on every call under load).
// Call once at start-up, before the worker threads run.
void keepFreedMemory();

} // namespace hq

#include "Allocator.h"

#include <malloc.h>

namespace hq {

void keepFreedMemory()
{
    // Free space at the top of a heap is kept up to 256 MiB; blocks below
    // 32 MiB (any answer the server builds) come from the heaps, not from
    // their own mappings.
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
}

} // namespace hq

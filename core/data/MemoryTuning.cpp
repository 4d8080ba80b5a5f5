#include "core/data/MemoryTuning.h"

#include <malloc.h>

void KeepFreedMemoryForReuse(bool on) {
#if defined(__GLIBC__)
    // Blocks up to 256 MiB come from the heap, and up to 1 GiB of free heap is kept.
    mallopt(M_MMAP_THRESHOLD, on ? 256 * 1024 * 1024 : 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, on ? 1024 * 1024 * 1024 : 128 * 1024);
#else
    (void)on;
#endif
}

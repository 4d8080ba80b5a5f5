#pragma once

// Large record sets are loaded and dropped whole, tens of megabytes at a time.
// By default the C library hands such blocks back to the kernel on every
// release and takes them again, page by page, on the next load; that costs
// more than reading the packet itself. Keeping freed memory in the process
// makes a reload reuse it. The price: the process does not shrink after a
// large list is closed. Executables call this once at start; `off` restores
// the library's defaults (benchmarks measure both).
void KeepFreedMemoryForReuse(bool on = true);

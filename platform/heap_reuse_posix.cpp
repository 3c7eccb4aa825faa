#include "heap_reuse.h"

#include <cstdlib> // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quorix::platform {

void KeepFreedHeapForReuse()
{
#if defined(__GLIBC__)
    // Fixed thresholds also stop glibc's own adjusting of them. 512 KB is the
    // largest mapping threshold glibc takes on 32-bit systems too.
    constexpr int kMapAbove = 512 << 10;
    constexpr int kTrimAbove = 64 << 20;
    mallopt(M_MMAP_THRESHOLD, kMapAbove);
    mallopt(M_TRIM_THRESHOLD, kTrimAbove);
#endif
}

} // namespace quorix::platform

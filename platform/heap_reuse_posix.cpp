#include "heap_reuse.h"

#include <cstdlib> // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quorix::platform {

void KeepFreedHeapForReuse()
{
#if defined(__GLIBC__)
    // Fixed thresholds also stop glibc's own adjusting of them.
    constexpr int kMapAbove = 4 << 20;
    constexpr int kTrimAbove = 64 << 20;
    mallopt(M_MMAP_THRESHOLD, kMapAbove);
    mallopt(M_TRIM_THRESHOLD, kTrimAbove);
#endif
}

} // namespace quorix::platform

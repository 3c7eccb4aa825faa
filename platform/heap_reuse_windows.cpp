#include "heap_reuse.h"

namespace quorix::platform {

// Windows' heap manages its own reuse; it has no thresholds like glibc's to set.
void KeepFreedHeapForReuse() {}

} // namespace quorix::platform

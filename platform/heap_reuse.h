#pragma once

namespace quorix::platform {

// A long-running process that handles bursts of a few hundred kilobytes at a
// time (an agent's push decodes stores of 280 KB) keeps what it frees for the
// next burst. glibc otherwise maps such blocks afresh and hands freed memory
// back at once, so every command faults every page in again: with 50 rooms on
// one machine that was most of a push's CPU. Call it first thing in main.
void KeepFreedHeapForReuse();

} // namespace quorix::platform

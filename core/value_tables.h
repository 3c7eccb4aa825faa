#pragma once

#include <cstdint>

namespace quorix::core {

inline constexpr int kFrequencyCount = 363; // index 0 (17 Hz) to 362 (20220 Hz)
inline constexpr int kQCount = 101;         // index 0 (0.40) to 100 (128.00)

// Index landmarks the rest of the console relies on.
inline constexpr int kFrequencyIndexOffLow = 0;
inline constexpr int kFrequencyIndexLowest = 1;    // 19.7 Hz
inline constexpr int kFrequencyIndexHighest = 361; // 20200 Hz
inline constexpr int kFrequencyIndexOffHigh = 362; // 20220 Hz, "OFF" on the low-pass scale
inline constexpr int kMaxQIndex = 100;
inline constexpr int kMaxShelfQIndex = 28; // slope 2.00

// Both tables are built once from their constant strings on first use.
float FrequencyAt(int index);
float QAt(int index);

// Smallest index whose entry is at least the argument; the last index if none is.
int FrequencyToIndex(float hertz);
int QToIndex(float q);

} // namespace quorix::core

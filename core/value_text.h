#pragma once

#include "param_record.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorix::core {

// Equaliser gain code: tenths of a dB offset by 250 (250 = 0.0 dB), legal 10..370.
inline constexpr std::int32_t kGainZero = 250;
inline constexpr std::int32_t kGainMin = 10;
inline constexpr std::int32_t kGainMax = 370;

// Any index or code is safe: indexes beyond a table read its nearer end.
std::string FrequencyText(int frequencyIndex); // 19.7, 23, 1000, 20220
std::string QText(int qIndex);                 // always two decimals: 0.40, 128.00
std::string GainText(std::int32_t gainCode);   // one decimal: -24.0, 0.0, 12.0
// (code - 250) / 10 without integer overflow, for every code.
double GainDecibels(std::int32_t gainCode);

// The text read as a single-precision dB figure, times 10 plus 250, in single
// precision, rounded half to even; a text that is no number reads as 0.0 dB.
std::int32_t TextToGain(std::string_view text);

std::int32_t ClampGain(std::int32_t gainCode);
int ClampQIndex(int qIndex);
int ClampShelfQIndex(int qIndex);
int StepQIndexUp(int& qIndex);
int StepQIndexDown(int& qIndex);

struct FrequencyRange {
    int lower;
    int upper;
};

// Limits of a frequency edited on the graph, by the address that holds it: a
// filter's are its slider's, except that a high-pass reaches OFF (index 0);
// a band's are 19.7 Hz to 20200 Hz.
FrequencyRange GraphFrequencyRange(int frequencyAddress);
// Without a graph context the limits are 19.7 Hz to 20200 Hz.
int ClampFrequencyIndex(int frequencyIndex);
int ClampFrequencyIndex(int frequencyIndex, FrequencyRange range);

} // namespace quorix::core

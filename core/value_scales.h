#pragma once

#include <cstdint>
#include <string>

namespace quorix::core {

// How a slider maps a parameter's raw value to a position 0..MaxValue and to
// the text it shows; ValueType selects one of sixteen scales (0..15).
float ScaleRawToPosition(int valueType, float raw);
float ScalePositionToRaw(int valueType, int position);
std::string ScaleText(int valueType, int position);

// Raw value to the integer slider position: scale, clamp to 0..maxValue, round half to even.
int RawToSliderPosition(int valueType, float raw, int maxValue);

// Level sliders with a polarity button keep the inversion in the raw value:
// 250 and above means inverted, and the scale applies to raw - 250.
inline constexpr float kPolarityOffset = 250.0f;

struct PolaritySplit {
    float raw;
    bool inverted;
};

PolaritySplit SplitPolarity(float raw);
float JoinPolarity(float raw, bool inverted);

} // namespace quorix::core

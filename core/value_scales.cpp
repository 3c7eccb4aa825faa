#include "value_scales.h"

#include "number_text.h"
#include "rounding.h"
#include "value_text.h"

#include <algorithm>

namespace quorix::core {

namespace {

std::string Integer(long long value)
{
    return std::to_string(value);
}

} // namespace

float ScaleRawToPosition(int valueType, float raw)
{
    switch (valueType) {
    case 0:
    case 8:
    case 11:
    case 13:
    case 14:
        return raw;
    case 1:
    case 4:
    case 5:
    case 7:
        return raw - 1.0f;
    case 2:
    case 12:
        return 400.0f - raw;
    case 3:
    case 15:
        return raw - 10.0f;
    case 6:
        return raw - 298.0f;
    case 9:
        return raw - 25.0f;
    case 10: {
        if (raw < 100.0f)
            return raw;
        const int halfSteps = RoundHalfEven(raw - 100.0f) / 2; // whole steps above 100, rounded down
        return static_cast<float>(halfSteps + 100);
    }
    default:
        return 0.0f;
    }
}

float ScalePositionToRaw(int valueType, int position)
{
    const float p = static_cast<float>(position);
    switch (valueType) {
    case 0:
    case 8:
    case 11:
    case 13:
    case 14:
        return p;
    case 1:
    case 4:
    case 5:
    case 7:
        return p + 1.0f;
    case 2:
    case 12:
        return 400.0f - p;
    case 3:
    case 15:
        return p + 10.0f;
    case 6:
        return p + 298.0f;
    case 9:
        return p + 25.0f;
    case 10:
        return position < 100 ? p : 2.0f * (p - 100.0f) + 100.0f;
    default:
        return 0.0f;
    }
}

std::string ScaleText(int valueType, int position)
{
    const double p = position;
    switch (valueType) {
    case 0:
        return Integer(position);
    case 1:
        return FrequencyText(position + 1);
    case 2:
        return FormatFixed((p - 400.0) / 10.0, 1);
    case 3:
        return position < 90 ? FormatFixed(p / 10.0 + 1.0, 1) : Integer(position - 80);
    case 4:
        return FormatFixed((p + 1.0) * 0.5, 1);
    case 5:
        return Integer((position + 1LL) * 10);
    case 6: {
        std::string text = FrequencyText(position + 298);
        return text == "20220" ? "OFF" : text;
    }
    case 7:
        return Integer(position + 1LL);
    case 8:
        return Integer(position - 50LL);
    case 9:
        return Integer(position + 25LL);
    case 10:
        return (position <= 99 ? Integer(position) : Integer(2LL * (position - 100) + 100)) + "%";
    case 11:
        return FormatFixed(p / 10.0, 1);
    case 12:
        return FormatFixed((p - 260.0) / 10.0, 1);
    case 13:
        return position == 0 ? "OFF" : FrequencyText(position);
    case 14:
        return Integer(position * 10LL);
    case 15:
        return GainText(position + 10);
    default:
        return Integer(position);
    }
}

int RawToSliderPosition(int valueType, float raw, int maxValue)
{
    const float position = std::clamp(ScaleRawToPosition(valueType, raw), 0.0f, static_cast<float>(maxValue));
    return RoundHalfEven(position);
}

PolaritySplit SplitPolarity(float raw)
{
    if (raw >= kPolarityOffset)
        return {raw - kPolarityOffset, true};
    return {raw, false};
}

float JoinPolarity(float raw, bool inverted)
{
    return inverted ? raw + kPolarityOffset : raw;
}

} // namespace quorix::core

#include "value_text.h"

#include "address_map.h"
#include "number_text.h"
#include "param_description.h"
#include "rounding.h"
#include "value_scales.h"
#include "value_tables.h"

#include <algorithm>

namespace quorix::core {

std::string FrequencyText(int frequencyIndex)
{
    return FormatShortest(FrequencyAt(std::clamp(frequencyIndex, 0, kFrequencyCount - 1)));
}

std::string QText(int qIndex)
{
    return FormatFixed(QAt(std::clamp(qIndex, 0, kQCount - 1)), 2);
}

double GainDecibels(std::int32_t gainCode)
{
    return (static_cast<double>(gainCode) - kGainZero) / 10.0;
}

std::string GainText(std::int32_t gainCode)
{
    return FormatFixed(GainDecibels(gainCode), 1);
}

std::int32_t TextToGain(std::string_view text)
{
    // Kept in single precision on purpose: 0.05 dB must give 250.5f, which rounds to 250.
    const float decibels = static_cast<float>(ParseNumber(text).value_or(0.0));
    const float tenths = decibels * 10.0f;
    const float code = tenths + static_cast<float>(kGainZero);
    return RoundHalfEven(code);
}

std::int32_t ClampGain(std::int32_t gainCode)
{
    return std::clamp(gainCode, kGainMin, kGainMax);
}

int ClampQIndex(int qIndex)
{
    return std::clamp(qIndex, 0, kMaxQIndex);
}

int ClampShelfQIndex(int qIndex)
{
    return std::clamp(qIndex, 0, kMaxShelfQIndex);
}

int StepQIndexUp(int& qIndex)
{
    qIndex = qIndex >= kMaxQIndex ? kMaxQIndex : qIndex + 1;
    return qIndex;
}

int StepQIndexDown(int& qIndex)
{
    qIndex = qIndex <= 0 ? 0 : qIndex - 1;
    return qIndex;
}

FrequencyRange GraphFrequencyRange(int frequencyAddress)
{
    const ParamDescription& d = DescribeParam(frequencyAddress);
    if (d.kind != ParamKind::Scaled)
        return {kFrequencyIndexLowest, kFrequencyIndexHighest};
    const auto first = static_cast<int>(ScalePositionToRaw(d.scale, 0));
    const auto last = static_cast<int>(ScalePositionToRaw(d.scale, d.positions));
    const bool highPass = DefaultParamStore().at(0, frequencyAddress).paramClass == ParamClass::HighPass;
    return {highPass ? kFrequencyIndexOffLow : std::min(first, last), std::max(first, last)};
}

int ClampFrequencyIndex(int frequencyIndex)
{
    return ClampFrequencyIndex(frequencyIndex, {kFrequencyIndexLowest, kFrequencyIndexHighest});
}

int ClampFrequencyIndex(int frequencyIndex, FrequencyRange range)
{
    return frequencyIndex < range.lower ? range.lower : std::min(frequencyIndex, range.upper);
}

} // namespace quorix::core

#include "typed_value.h"

#include "number_text.h"
#include "value_tables.h"
#include "value_text.h"

namespace quorix::core {

std::string_view DefaultTypedText(TypedField field)
{
    switch (field) {
    case TypedField::Gain:
        return "0.0";
    case TypedField::Frequency:
        return "100";
    case TypedField::PeakQ:
    case TypedField::ShelfQ:
        break;
    }
    return "0.70";
}

int ParseTypedValue(TypedField field, std::string_view text)
{
    if (!ParseNumber(text))
        text = DefaultTypedText(field);
    const float number = static_cast<float>(*ParseNumber(text));
    switch (field) {
    case TypedField::Gain:
        return ClampGain(TextToGain(text));
    case TypedField::Frequency:
        return ClampFrequencyIndex(FrequencyToIndex(number));
    case TypedField::PeakQ:
        return ClampQIndex(QToIndex(number));
    case TypedField::ShelfQ:
        break;
    }
    return ClampShelfQIndex(QToIndex(number));
}

} // namespace quorix::core

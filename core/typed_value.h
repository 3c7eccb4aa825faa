#pragma once

#include <string_view>

namespace quorix::core {

// The fields of a band fader's entry box.
enum class TypedField { Gain, Frequency, PeakQ, ShelfQ };

// What a text that is not a number is read as.
std::string_view DefaultTypedText(TypedField field);

// A typed text as the field's clamped raw value: a gain code, a frequency index
// or a Q index.
int ParseTypedValue(TypedField field, std::string_view text);

} // namespace quorix::core

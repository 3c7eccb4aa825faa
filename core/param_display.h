#pragma once

#include "param_record.h"

#include <cstdint>
#include <string>

namespace quorix::core {

// The scale a plain parameter's slider shows it with (0..15, see ScaleText), or
// -1 where the console shows the raw number (switches, filter types, lists).
int ParamValueType(int kind, int menuAddress);

// A raw value as the console shows it, with its unit: "-3.5dB", "1.25KHz", "120ms".
std::string ParamValueText(int kind, int menuAddress, std::int32_t raw);

// Band fields as the console shows them.
std::string FrequencyWithUnit(int frequencyIndex);       // "19.7Hz", "1.25KHz"
std::string GainWithUnit(std::int32_t gainCode);        // "-3.5dB"
std::string QWithPrefix(int qIndex);                    // "Q 2.00"
std::string ShapeText(std::uint8_t shape);              // "P", "LS", "HS"

// The page's name by menu kind: "MusicInput" .. "Common".
const char* KindName(int kind);
// "singing", "dance", "default" for mode indices 0, 1, 2.
const char* ModeName(int mode);

} // namespace quorix::core

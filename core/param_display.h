#pragma once

#include "param_record.h"

#include <cstdint>
#include <string>

namespace quorix::core {

// A raw value as its control shows it, with its unit: "-3.5dB", "1.25KHz", "120ms",
// "50% inverted"; the raw number where no scale shows it (switches, filter types, lists).
std::string ParamValueText(int kind, int menuAddress, std::int32_t raw);

// Band fields as the console shows them.
std::string FrequencyWithUnit(int frequencyIndex); // "19.7Hz", "1.25KHz"
std::string GainWithUnit(std::int32_t gainCode);   // "-3.5dB"
std::string QWithPrefix(int qIndex);               // "Q 2.00"
std::string ShapeText(std::uint8_t shape);         // "P", "LS", "HS"

// The page's name by menu kind: "MusicInput" .. "Common".
const char* KindName(int kind);
// "singing", "dance", "default" for mode indices 0, 1, 2.
const char* ModeName(int mode);

} // namespace quorix::core

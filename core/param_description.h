#pragma once

#include <cstdint>

namespace quorix::core {

// What a parameter's raw value is.
enum class ParamKind {
    Number, // the raw number as it is: switches, flags, selections, what no control edits
    Scaled, // a position 0..positions on a scale of value_scales (ScaleText)
    List,   // the number of an item of a drop-down list
    Band,   // an equaliser band: frequency, gain, Q, slope, shape and off in one record
};

// One parameter as every part of the console shows and edits it: the windows'
// controls take their scale and range from here, the report, the comparison and
// quorix-cli print its value through it. A scaled value moves one position a step.
struct ParamDescription {
    ParamKind kind = ParamKind::Number;
    int scale = 0;         // Scaled: the value type 0..15
    int positions = 0;     // Scaled: the range, positions 0..positions
    int list = 0;          // List: the drop-down list (ShowType 0..11) that names the values
    bool polarity = false; // Scaled: a raw value of 250 and above is the value inverted

    bool operator==(const ParamDescription&) const = default;
};

// The description of the parameter at a flat address; Number for any address
// the map holds no control for (and for addresses outside the map).
const ParamDescription& DescribeParam(int address);

// A raw value on its parameter's scale: the position it stands at (not held to
// the range) and the polarity split off.
struct ScaledValue {
    int position = 0;
    bool inverted = false;
};

ScaledValue ScaledPosition(const ParamDescription& description, std::int32_t raw);

} // namespace quorix::core

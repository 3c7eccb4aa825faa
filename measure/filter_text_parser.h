#pragma once

#include "requested_filter.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorix::measure {

// Beyond these no measurement tool exports a filter: the processor runs at 48 kHz,
// a Q of 1000 is a band a few hertz wide even at the top of the range, and a
// shelf is exported at 6 or 12 dB/oct, a steep one at twice that.
inline constexpr double kHighestHertz = 24000;
inline constexpr double kLargestGainDb = 60;
inline constexpr double kHighestQ = 1000;
inline constexpr double kSteepestSlopeDb = 24;

// Why a line was refused, as data: the console and quorix-cli each word it.
enum class LineProblem {
    NoState, // neither ON nor OFF; `word` holds what stood there, if anything
    NoType,
    UnknownType,    // `word`: the type
    ShelfSlopeUnit, // a shelf's slope without "dB"
    BadBandwidth,
    MissingNumber, // `word`: the field without its number
    UnknownField,  // `word`
    NoFrequency,
    FrequencyRange, // `number`: the frequency
    NoGain,
    GainRange, // `number`: the gain
    QRange,    // `number`: the Q
    SlopeRange,
    PeakNeedsQ,
    ShelfNeedsQ, // `word`: LSC or HSC
};

struct RefusedLine {
    int line = 0;
    LineProblem problem = LineProblem::NoState;
    std::string word;
    double number = 0;
};

// The shortest text that reads back as the value, whatever the locale.
std::string Written(double value);
// quorix-cli's English for a refused line's problem.
std::string LineProblemText(const RefusedLine& refused);

struct FilterText {
    std::vector<RequestedFilter> filters;
    std::vector<RefusedLine> refused;
    bool ok() const { return refused.empty(); }
};

// Reads the filter lists room-measurement tools export, one filter per line:
//   Filter 1: ON PK Fc 125 Hz Gain -4.5 dB Q 3.20
//   Filter 2: ON LS 12dB Fc 80 Hz Gain 6 dB      Filter 3: ON HSC Fc 8000 Hz Gain -3 dB Q 0.7
//   Filter 4: ON PK Fc 250 Hz Gain 3 dB BW Oct 1  (a bandwidth becomes the Q of that width)
// Lines that do not start with "Filter" and a colon (headers, notes, comments) are
// skipped, as are filters switched OFF or of type None; a decimal comma reads as a point.
// Any other line that cannot be read is refused with its number and a reason.
FilterText ParseFilterText(std::string_view text);

} // namespace quorix::measure

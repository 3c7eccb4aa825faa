#pragma once

#include "processor_probe.h"

#include <string>
#include <vector>

namespace quorix::support {

enum class Outcome { Holds, Fails, Unchecked };

// One thing the console takes for granted about the processor, and whether this one bears it out.
struct Verdict {
    std::string key;        // stable name, as docs/real-processor.md lists it: "report-lengths", "block-size-3"
    std::string assumption; // what is assumed, in a few words
    Outcome outcome = Outcome::Unchecked;
    std::string evidence; // the bytes, sizes or times that decided it
};

// Every assumption, in the order the probe meets them.
std::vector<Verdict> CheckAssumptions(const ProbeRecord& record);

// "ok    report lengths     input 65, output 65 bytes"
std::string VerdictLine(const Verdict& verdict);

std::string Hex(std::span<const std::uint8_t> bytes);

} // namespace quorix::support

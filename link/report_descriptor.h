#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quorix::link {

struct ReportLengths {
    std::size_t input = 0;  // longest input report in bytes, with its report-id byte
    std::size_t output = 0; // longest output report in bytes, with its report-id byte
};

// Report lengths from a HID report descriptor (short items; Report Size,
// Report Count and Report ID globals, Push/Pop). Zero where the descriptor has none.
ReportLengths ParseReportLengths(std::span<const std::uint8_t> descriptor);

} // namespace quorix::link

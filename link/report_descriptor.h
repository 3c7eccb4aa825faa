#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorix::link {

struct ReportLengths {
    std::size_t input = 0;  // longest input report in bytes, with its report-id byte
    std::size_t output = 0; // longest output report in bytes, with its report-id byte
};

// The longest report, with its id byte, that the host's HID layer carries
// (Linux's HID_MAX_BUFFER_SIZE). Our reports need at least an id, a length
// byte and one payload byte.
inline constexpr std::size_t kMaxReportLength = 4096;
inline constexpr std::size_t kMinReportLength = 3;

// Report lengths from a HID report descriptor (short items; Report Size,
// Report Count and Report ID globals, Push/Pop). Zero where the descriptor has
// none; a length past kMaxReportLength comes out as kMaxReportLength + 1,
// however large the descriptor claims it to be.
ReportLengths ParseReportLengths(std::span<const std::uint8_t> descriptor);

// The report ids the descriptor declares, by direction, in increasing order;
// an unnumbered device declares none.
struct ReportIds {
    std::vector<std::uint32_t> input;
    std::vector<std::uint32_t> output;
};
ReportIds ParseReportIds(std::span<const std::uint8_t> descriptor);

// Why a device with these report lengths cannot be used, or an empty text.
std::string ReportLengthFault(const ReportLengths& lengths);

} // namespace quorix::link

#include "report_descriptor.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace quorix::link {

namespace {

struct Globals {
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;
};

// A report's bit count stops growing at the limit, so its length ends at most one byte past it.
constexpr std::uint64_t kBitCap = std::uint64_t{kMaxReportLength} * 8;

void AddBits(std::map<std::uint32_t, std::uint64_t>& bits, const Globals& globals)
{
    const std::uint64_t item = std::uint64_t{globals.reportSize} * globals.reportCount; // at most 2^64 - 2^33 + 1
    std::uint64_t& total = bits[globals.reportId];
    total = std::min(kBitCap, total + std::min(kBitCap, item));
}

std::string LengthFault(const char* which, std::size_t length)
{
    if (length < kMinReportLength)
        return std::string(which) + " reports of " + std::to_string(length) + " bytes leave no room for data";
    if (length > kMaxReportLength)
        return std::string(which) + " reports longer than the " + std::to_string(kMaxReportLength) +
               " bytes a HID device may send";
    return {};
}

// The bits of each report by direction and report id (0 for an unnumbered device).
struct ReportBits {
    std::map<std::uint32_t, std::uint64_t> input;
    std::map<std::uint32_t, std::uint64_t> output;
};

ReportBits WalkDescriptor(std::span<const std::uint8_t> descriptor)
{
    Globals globals;
    std::vector<Globals> stack;
    ReportBits bits;

    std::size_t i = 0;
    while (i < descriptor.size()) {
        const std::uint8_t prefix = descriptor[i];
        if (prefix == 0xFE) { // long item: skip it whole
            if (i + 2 >= descriptor.size())
                break;
            i += 3u + descriptor[i + 1];
            continue;
        }
        const std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (i + 1 + size > descriptor.size())
            break;
        std::uint32_t data = 0;
        for (std::size_t b = 0; b < size; ++b)
            data |= std::uint32_t{descriptor[i + 1 + b]} << (8 * b);
        switch (prefix & 0xFC) {
        case 0x74:
            globals.reportSize = data;
            break;
        case 0x94:
            globals.reportCount = data;
            break;
        case 0x84:
            globals.reportId = data;
            break;
        case 0xA4:
            stack.push_back(globals);
            break;
        case 0xB4:
            if (!stack.empty()) {
                globals = stack.back();
                stack.pop_back();
            }
            break;
        case 0x80:
            AddBits(bits.input, globals);
            break;
        case 0x90:
            AddBits(bits.output, globals);
            break;
        default:
            break;
        }
        i += 1 + size;
    }
    return bits;
}

} // namespace

ReportLengths ParseReportLengths(std::span<const std::uint8_t> descriptor)
{
    const ReportBits bits = WalkDescriptor(descriptor);
    // Reports travel with an id byte in front (0 for an unnumbered device).
    const auto longest = [](const std::map<std::uint32_t, std::uint64_t>& byId) -> std::size_t {
        std::uint64_t most = 0;
        for (const auto& [id, count] : byId)
            most = std::max(most, count);
        return most == 0 ? 0 : static_cast<std::size_t>((most + 7) / 8) + 1;
    };
    return {longest(bits.input), longest(bits.output)};
}

ReportIds ParseReportIds(std::span<const std::uint8_t> descriptor)
{
    const ReportBits bits = WalkDescriptor(descriptor);
    const auto ids = [](const std::map<std::uint32_t, std::uint64_t>& byId) {
        std::vector<std::uint32_t> out;
        for (const auto& [id, count] : byId)
            if (id != 0)
                out.push_back(id);
        return out;
    };
    return {ids(bits.input), ids(bits.output)};
}

std::string ReportLengthFault(const ReportLengths& lengths)
{
    std::string fault = LengthFault("input", lengths.input);
    if (fault.empty())
        fault = LengthFault("output", lengths.output);
    return fault;
}

} // namespace quorix::link

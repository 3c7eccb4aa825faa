#include "hex.h"

#include "link/report_descriptor.h"

#include <gtest/gtest.h>

using namespace quorix::link;

TEST(ReportDescriptor, LengthsOfNumberedVendorReports)
{
    // Vendor page, collection; report 2: 64 input bytes; report 1: 64 output bytes.
    const auto descriptor = Hex("06 00 FF 09 01 A1 01"
                                "85 02 09 01 15 00 26 FF 00 75 08 95 40 81 02"
                                "85 01 09 01 15 00 26 FF 00 75 08 95 40 91 02"
                                "C0");
    const ReportLengths lengths = ParseReportLengths(descriptor);
    EXPECT_EQ(lengths.input, 65u);
    EXPECT_EQ(lengths.output, 65u);
}

TEST(ReportDescriptor, PushPopAndTruncationAreHandled)
{
    const auto descriptor = Hex("75 08 95 10 A4 95 20 81 02 B4 91 02 95");
    const ReportLengths lengths = ParseReportLengths(descriptor);
    EXPECT_EQ(lengths.input, 33u);
    EXPECT_EQ(lengths.output, 17u);
    EXPECT_EQ(ParseReportLengths({}).input, 0u);
}

TEST(ReportDescriptor, LengthsPastWhatHidCarriesStopJustPastTheLimitAndAreRefused)
{
    // Report Size and Report Count of 2^32 - 1 each, one output item; then the same item many times.
    const auto huge = Hex("77 FF FF FF FF 97 FF FF FF FF 91 02");
    EXPECT_EQ(ParseReportLengths(huge).output, kMaxReportLength + 1);
    auto repeated = Hex("75 08 96 00 01");
    for (int i = 0; i < 40; ++i)
        repeated.insert(repeated.end(), {0x81, 0x02, 0x91, 0x02});
    EXPECT_EQ(ParseReportLengths(repeated).input, kMaxReportLength + 1);

    const struct {
        ReportLengths lengths;
        const char* fault;
    } cases[] = {
        {{65, 65}, ""},
        {{3, kMaxReportLength}, ""},
        {{65, kMaxReportLength + 1}, "output reports longer than the 4096 bytes"},
        {{kMaxReportLength + 1, 65}, "input reports longer"},
        {{65, 2}, "output reports of 2 bytes"},
        {{0, 65}, "input reports of 0 bytes"},
    };
    for (const auto& c : cases) {
        const std::string fault = ReportLengthFault(c.lengths);
        if (*c.fault == 0)
            EXPECT_EQ(fault, "");
        else
            EXPECT_NE(fault.find(c.fault), std::string::npos) << fault;
    }
}

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

#include "link/protocol_trace.h"
#include "link/trace_ring.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quorix::link;

TEST(TraceRing, HoldsTheTraceFileLinesWithPasswordDigitsNeverStored)
{
    std::ostringstream file;
    TraceRing ring;
    ProtocolTrace trace(&file, &ring);
    const std::uint8_t password[] = {0xFE, 0x08, 0x00, 0x00, 0x00, 0x0B, 0x07, 0x03, 0x09, 0x01, 0x1E};
    const std::uint8_t keepAlive[] = {0xFF};
    trace.sent(12, "Password", password);
    trace.received(13, "KeepAlive", keepAlive);
    trace.note(14, "device not usable");
    EXPECT_EQ(ring.text(), file.str());
    EXPECT_EQ(ring.text(), "      12 TX Password       FE 08 00 00 00 0B ** ** ** ** **\n"
                           "      13 RX KeepAlive      FF\n"
                           "      14 -- device not usable\n");
}

TEST(TraceRing, KeepsTenMinutesAndAtMostItsCount)
{
    const std::uint8_t byte[] = {0xFF};
    TraceRing ring;
    ring.add(0, TraceDirection::Sent, "KeepAlive", byte);
    ring.add(TraceRing::kKeepMs, TraceDirection::Sent, "KeepAlive", byte);
    EXPECT_EQ(ring.size(), 2u); // exactly ten minutes old: still kept
    ring.add(TraceRing::kKeepMs + 1, TraceDirection::Sent, "KeepAlive", byte);
    EXPECT_EQ(ring.size(), 2u);
    EXPECT_EQ(ring.text().rfind("  600000 TX", 0), 0u);

    TraceRing full;
    for (std::size_t i = 0; i <= TraceRing::kMaxEntries; ++i)
        full.add(static_cast<std::int64_t>(i), TraceDirection::Received, "KeepAlive", byte);
    EXPECT_EQ(full.size(), TraceRing::kMaxEntries);
    EXPECT_EQ(full.text().rfind("       1 RX", 0), 0u);
}

#include "link/protocol_trace.h"
#include "link/trace_ring.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

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

// Lines of every length from a signal byte to a full frame come round the
// circle of bytes many times: what is kept is always the newest lines, whole,
// and the ring gives up no more of them than room demands.
TEST(TraceRing, KeepsTheNewestWholeLinesAsItsBytesComeRound)
{
    TraceRing ring;
    std::vector<std::string> lines;
    std::vector<std::uint8_t> frame(252);
    std::vector<std::size_t> sizes;
    for (std::size_t i = 0; i < 3 * TraceRing::kMaxBytes / 120; ++i) {
        for (std::size_t b = 0; b < frame.size(); ++b)
            frame[b] = static_cast<std::uint8_t>(i + b);
        const std::span<const std::uint8_t> bytes(frame.data(), 1 + i * 37 % frame.size());
        const std::string name = i % 7 == 0 ? "" : "ReadBlock" + std::string(i % 5, '+');
        ring.add(static_cast<std::int64_t>(i / 100), TraceDirection::Received, name, bytes);
        lines.push_back(
            FormatTraceLine(static_cast<std::int64_t>(i / 100), TraceDirection::Received, name, bytes, kNothingMasked));
        sizes.push_back(name.size() + bytes.size());
    }
    ASSERT_LT(ring.size(), TraceRing::kMaxEntries); // the bytes, not the count, set the limit here
    std::string expected;
    std::size_t keptBytes = sizes[lines.size() - ring.size() - 1]; // the line given up last did not fit
    for (std::size_t i = lines.size() - ring.size(); i < lines.size(); ++i) {
        expected += lines[i];
        keptBytes += sizes[i];
    }
    EXPECT_EQ(ring.text(), expected);
    EXPECT_GT(keptBytes + 2 * frame.size(), TraceRing::kMaxBytes); // at most a line wasted at the circle's end
}

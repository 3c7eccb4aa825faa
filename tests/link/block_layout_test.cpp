#include "hex.h"
#include "protocol_figures.h"

#include "link/block_layout.h"

#include <gtest/gtest.h>

using namespace quorix;

TEST(BlockLayout, BandFrequenciesFromThirtyThousandUpMeanTheBandIsOff)
{
    struct Case {
        const char* bytes;
        int freqIndex;
        bool off;
    };
    for (const Case& c : {Case{figures::kBandFrequency30000, 0, true}, Case{figures::kBandFrequency29999, 29999, false},
                          Case{figures::kBandOff120, 120, true}}) {
        core::ParamRecord record;
        record.band.bandOff = !c.off;
        const auto bytes = Hex(c.bytes);
        EXPECT_EQ(link::DecodeRecord(bytes, 0, record, true), 8u);
        EXPECT_EQ(record.band.freqIndex, c.freqIndex) << c.bytes;
        EXPECT_EQ(record.band.bandOff, c.off) << c.bytes;
        link::Bytes encoded;
        link::AppendRecord(encoded, record, true);
        EXPECT_EQ(encoded, bytes) << c.bytes;
    }
}

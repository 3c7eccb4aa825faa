#include "core/address_map.h"
#include "core/param_description.h"
#include "core/record_check.h"
#include "core/value_scales.h"
#include "core/value_text.h"

#include <gtest/gtest.h>

using namespace quorix::core;

// Whatever a control can set is a value the wire carries and the record check
// takes, and reads back at the position that set it, for every address and
// both modes.
TEST(ParamDescription, EveryValueAControlCanSetPassesTheRecordCheckAndReadsBackAtItsPosition)
{
    const ParamStore& layout = DefaultParamStore();
    int scaled = 0;
    for (int address = 0; address < kAddressCount; ++address) {
        const ParamDescription& d = DescribeParam(address);
        const ParamRecord& record = layout.at(0, address);
        if (d.kind == ParamKind::Number)
            continue;
        ASSERT_TRUE(record.defined) << address;
        EXPECT_EQ(d.kind == ParamKind::Band, record.paramClass == ParamClass::EqBand) << address;
        if (d.kind != ParamKind::Scaled)
            continue;
        ++scaled;
        EXPECT_GT(d.positions, 0) << address;
        for (int mode = 0; mode < kModeCount; ++mode) {
            if (!layout.at(mode, address).defined)
                continue;
            for (int position = 0; position <= d.positions; ++position)
                for (bool inverted : {false, true}) {
                    if (inverted && !d.polarity)
                        continue;
                    ParamRecord r = layout.at(mode, address);
                    const float raw = JoinPolarity(ScalePositionToRaw(d.scale, position), inverted);
                    r.value = static_cast<std::int32_t>(raw);
                    ASSERT_EQ(static_cast<float>(r.value), raw) << address << " at " << position;
                    ASSERT_EQ(CheckRecord(r, LayoutFor(mode, address, r)), std::nullopt)
                        << address << " at " << position;
                    const ScaledValue back = ScaledPosition(d, r.value);
                    ASSERT_EQ(back.position, position) << address;
                    ASSERT_EQ(back.inverted, inverted) << address;
                }
        }
    }
    EXPECT_GT(scaled, 100);
}

// The band fader's gains, -24 dB to +12 dB, and every frequency and Q its tables name.
TEST(ParamDescription, EveryBandAFaderCanSetPassesTheRecordCheck)
{
    const ParamRecord& layout = DefaultParamStore().at(0, 0);
    ASSERT_EQ(DescribeParam(0).kind, ParamKind::Band);
    const FieldRange gain = WireRange(RecordField::Gain, false);
    EXPECT_LE(gain.lowest, kGainMin);
    EXPECT_GE(gain.highest, kGainMax);
    ParamRecord r = layout;
    r.band.freqIndex = ClampFrequencyIndex(100000);
    r.band.qIndex = ClampQIndex(100000);
    r.band.shelfQIndex = ClampShelfQIndex(100000);
    r.band.gain = kGainMax;
    for (bool off : {false, true}) {
        r.band.bandOff = off;
        EXPECT_EQ(CheckRecord(r, layout), std::nullopt) << off;
    }
}

TEST(ParamDescription, AddressesOutsideTheMapAreNumbers)
{
    for (int address : {-1, kAddressCount, KindLast(Common) + 1, KindLast(MusicInput) + 1})
        EXPECT_EQ(DescribeParam(address), ParamDescription{}) << address;
}

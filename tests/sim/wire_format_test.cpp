#include "hex.h"
#include "protocol_figures.h"

#include "sim/kind_layout.h"
#include "sim/processor_memory.h"
#include "sim/wire_format.h"

#include "core/address_map.h"

#include <gtest/gtest.h>

#include <span>

using namespace quorix;
using namespace quorix::sim;

TEST(SimWire, ChecksumsOfTheFigures)
{
    std::vector<const char*> frames = {
        figures::kWriteParam300At0x10F, figures::kReadStatus, figures::kReadDone,       figures::kHandshake,
        figures::kLockVerify1234,       figures::kLockClose,  figures::kHandshakeReply, figures::kStatusUser2Reply,
        figures::kWriteParamAck};
    for (const auto& write : figures::kFoldingWrites)
        frames.push_back(write.frame);
    for (const char* text : frames) {
        const auto frame = Hex(text);
        EXPECT_EQ(wire::Checksum(std::span(frame).first(frame.size() - 1)), frame.back()) << text;
    }
    EXPECT_EQ(wire::ReplyFrame(Hex("51 55 4F 52 49 58 5F 31")), Hex(figures::kHandshakeReply));
}

TEST(SimWire, ValuesTravelAsTwoBase250Digits)
{
    wire::Bytes out;
    wire::AppendValue(out, 300);
    wire::AppendValue(out, 62499);
    EXPECT_EQ(out, Hex("01 32 F9 F9"));
    EXPECT_EQ(wire::ValueAt(out, 2), 62499);
    EXPECT_THROW(wire::AppendValue(out, 62500), std::out_of_range);
    EXPECT_THROW(wire::AppendValue(out, -1), std::out_of_range);
}

TEST(SimWire, BandFrequenciesFromThirtyThousandUpMeanTheBandIsOff)
{
    ProcessorMemory memory;
    const auto record = memory.record(0, 3);
    const auto put = [&](const char* text) {
        const auto bytes = Hex(text);
        std::copy(bytes.begin(), bytes.end(), record.begin());
        return memory.band(0, 3);
    };
    EXPECT_EQ(put(figures::kBandFrequency30000), (BandSetting{0, 0, 0, true, 250, 10}));
    EXPECT_EQ(put(figures::kBandFrequency29999), (BandSetting{0, 0, 29999, false, 250, 10}));
    memory.setBand(0, 3, {1, 12, 120, true, 300, 16});
    EXPECT_EQ(wire::Bytes(record.begin(), record.end()), Hex(figures::kBandOff120));
}

// The processor's table and the console's address map are written apart; they
// must still describe the same memory.
TEST(SimWire, TheKindTableAgreesWithTheConsolesAddressMap)
{
    const core::ParamStore& defaults = core::DefaultParamStore();
    for (int kind = 0; kind < layout::kKindCount; ++kind) {
        EXPECT_EQ(layout::RecordCount(kind), core::KindLast(kind) - core::KindFirst(kind) + 1) << kind;
        EXPECT_EQ(layout::IsBlockKind(kind), !core::IsSkippedKind(kind)) << kind;
        for (int menu = 0; menu < layout::RecordCount(kind); ++menu) {
            const bool band = defaults.at(0, kind * 256 + menu).paramClass == core::ParamClass::EqBand;
            EXPECT_EQ(layout::IsBand(kind, menu), band) << kind << "/" << menu;
        }
    }
    EXPECT_EQ(layout::BlockSize(0), 122u);
    EXPECT_EQ(layout::BlockSize(3), 176u);
    EXPECT_EQ(layout::BlockSize(10), 88u);
}

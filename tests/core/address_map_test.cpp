#include "core/address_map.h"
#include "core/checked_index.h"
#include "core/param_store.h"
#include "core/value_tables.h"

#include <gtest/gtest.h>

#include <array>

using namespace quorix::core;

namespace {

struct Defaults : ::testing::Test {
    ParamStore store;
    ParamStore image;
    void SetUp() override { InitParamStore(store, image); }
};

} // namespace

TEST_F(Defaults, KindRangesFollowTheLayout)
{
    const std::array<int, 11> last = {15, 276, 532, 810, 1048, 1301, 1555, 1817, 2056, 2312, 2603};
    for (int k = 0; k < kKindCount; ++k) {
        EXPECT_EQ(KindFirst(k), k * 256);
        EXPECT_EQ(KindLast(k), last[static_cast<std::size_t>(k)]) << "kind " << k;
        EXPECT_TRUE(store.at(0, KindLast(k)).defined) << "kind " << k;
        EXPECT_FALSE(store.at(0, KindLast(k) + 1).defined) << "kind " << k;
    }
    for (int k : {2, 5, 6, 9})
        EXPECT_TRUE(IsSkippedKind(k));
    for (int k : {0, 1, 3, 4, 7, 8, 10})
        EXPECT_FALSE(IsSkippedKind(k));
}

TEST_F(Defaults, MusicSingingModeStartsWithItsTunedGains)
{
    const std::array<int, 15> singing = {330, 250, 350, 250, 250, 250, 250, 400, 250, 60, 250, 320, 250, 250, 300};
    for (int band = 0; band < 15; ++band) {
        EXPECT_EQ(store.at(0, band).band.gain, singing[static_cast<std::size_t>(band)]) << "band " << band;
        EXPECT_EQ(store.at(1, band).band.gain, 250);
        EXPECT_EQ(store.at(2, band).band.gain, 250);
    }
}

TEST_F(Defaults, GlobalKindsExistInTheSingingModeOnly)
{
    EXPECT_TRUE(store.at(0, 2600).defined);
    EXPECT_FALSE(store.at(1, 2600).defined);
    EXPECT_FALSE(store.at(2, 2048).defined);
    EXPECT_TRUE(store.at(2, 1817).defined); // the default set covers kinds 0..7
}

TEST_F(Defaults, RecordsCarryTheirClassDefaultAndSharing)
{
    struct Case {
        int address;
        ParamClass cls;
        int value;
        bool perMode;
    };
    const Case cases[] = {
        {0x0F, ParamClass::HighPass, FrequencyToIndex(10), true},
        {256 + 0x00, ParamClass::HighPass, FrequencyToIndex(45), false},
        {512 + 0x00, ParamClass::HighPass, FrequencyToIndex(80), false},
        {256 + 0x14, ParamClass::LowPass, 362, false},
        {512 + 0x14, ParamClass::Plain, 100, false},
        {768 + 0x03, ParamClass::Plain, FrequencyToIndex(8000), false},
        {768 + 0x07, ParamClass::LowPass, FrequencyToIndex(10000), false},
        {768 + 0x2A, ParamClass::Plain, 2, false},
        {1024 + 0x04, ParamClass::Plain, 80, false},
        {1024 + 0x06, ParamClass::HighPass, 0, true},
        {1024 + 0x07, ParamClass::HighPass, 1, true},
        {1024 + 0x12, ParamClass::Plain, 140, false},
        {1024 + 0x18, ParamClass::Plain, 100, true},
        {1536 + 0x05, ParamClass::HighPass, 0, true},
        {1536 + 0x13, ParamClass::Plain, 100, true},
        {1792 + 0x03, ParamClass::Plain, 30, false},
        {1792 + 0x09, ParamClass::LowPass, 0, true},
        {1792 + 0x0A, ParamClass::LowPass, FrequencyToIndex(320), true},
        {1792 + 0x19, ParamClass::Plain, 1, false},
        {2048 + 0x07, ParamClass::Plain, 80, false},
        {2560 + 0x00, ParamClass::Plain, 20, false},
        {2560 + 0x0A, ParamClass::Plain, 80, false},
        {2560 + 0x24, ParamClass::Plain, 2, false},
        {2560 + 0x26, ParamClass::Plain, 5, false},
        {2560 + 0x29, ParamClass::Plain, 1, false},
    };
    for (const Case& c : cases) {
        const ParamRecord& r = store.at(0, c.address);
        EXPECT_EQ(r.paramClass, c.cls) << c.address;
        EXPECT_EQ(r.value, c.value) << c.address;
        EXPECT_EQ(r.perMode, c.perMode) << c.address;
        EXPECT_TRUE(r.defined) << c.address;
    }
}

TEST_F(Defaults, EqualiserBandsStartFlatAtTheirCentres)
{
    EXPECT_EQ(store.at(1, 1792 + 0x0B).paramClass, ParamClass::EqBand);
    const Band& band = store.at(1, 1792 + 0x0B).band; // subwoofer EQ1 of the low five-band set
    EXPECT_EQ(band.freqIndex, FrequencyToIndex(25));
    EXPECT_EQ(band.gain, 250);
    EXPECT_EQ(band.qIndex, 16);
    EXPECT_EQ(band.shelfQIndex, 10);
    EXPECT_EQ(band.shape, 0);
    EXPECT_FALSE(band.bandOff);
    EXPECT_EQ(store.at(0, 768 + 0x08).band.freqIndex, FrequencyToIndex(60));  // 回声EQ1
    EXPECT_EQ(store.at(0, 1280 + 0x08).band.freqIndex, FrequencyToIndex(57)); // surround EQ1
}

TEST_F(Defaults, ImageHoldsTheSingingAndDanceModes)
{
    for (int a = 0; a < kAddressCount; ++a) {
        EXPECT_EQ(image.at(0, a), store.at(0, a));
        EXPECT_EQ(image.at(1, a), store.at(1, a));
        EXPECT_FALSE(image.at(2, a).defined);
    }
}

TEST(AddressMap, NamesTheParametersInChinese)
{
    EXPECT_EQ(ParamName(0, 0x0F), "高通频点");
    EXPECT_EQ(ParamName(0, 0x00), "EQ1");
    EXPECT_EQ(ParamName(1, 0x00), "高通频点");
    EXPECT_EQ(ParamName(1, 0x14), "低通频点");
    EXPECT_EQ(ParamName(2, 0x14), "通道音量");
    EXPECT_EQ(ParamName(3, 0x08), "回声EQ1");
    EXPECT_EQ(ParamName(3, 0x1E), "混响EQ5");
    EXPECT_EQ(ParamName(3, 0x23), "效果EQ5");
    EXPECT_EQ(ParamName(3, 0x24), "");
    EXPECT_EQ(ParamName(4, 0x11), "EQ10");
    EXPECT_EQ(ParamName(6, 0x04), "中置通道音量");
    EXPECT_EQ(ParamName(6, 0x12), "中置通道延时");
    EXPECT_EQ(ParamName(7, 0x15), "音乐通道");
    EXPECT_EQ(ParamName(9, 0x07), "录音输出音量");
    EXPECT_EQ(ParamName(10, 0x09), "最大麦克风音量");
    EXPECT_THROW(ParamName(0, 0x10), IndexError);
}

TEST(ParamStore, BadIndicesFailLoudlyAndNameTheIndex)
{
    ParamStore store;
    EXPECT_THROW(store.at(3, 0), IndexError);
    EXPECT_THROW(store.at(-1, 0), IndexError);
    EXPECT_THROW(store.at(0, 3000), IndexError);
    EXPECT_THROW(KindFirst(11), IndexError);
    EXPECT_THROW(KindLast(-1), IndexError);
    EXPECT_THROW(FrequencyAt(363), IndexError);
    EXPECT_THROW(QAt(-1), IndexError);
    try {
        store.at(0, 3000);
        FAIL();
    } catch (const IndexError& e) {
        EXPECT_NE(std::string(e.what()).find("3000"), std::string::npos);
    }
}

TEST(ParamStore, ModeVariesFastestInMemory)
{
    ParamStore store;
    store.at(2, 1).value = 7;
    EXPECT_EQ(store.record(1 * 3 + 2).value, 7);
}

TEST(ParamStore, MirrorCopiesSharedRecordsIntoTheDanceMode)
{
    ParamStore store;
    ParamStore image;
    InitParamStore(store, image);
    store.at(0, 256 + 1).band.gain = 300; // microphone band: shared
    store.at(0, 0).band.gain = 111;       // music band: per mode
    store.at(2, 256 + 1).band.gain = 5;
    MirrorSharedParameters(store);
    EXPECT_EQ(store.at(1, 256 + 1).band.gain, 300);
    EXPECT_EQ(store.at(1, 0).band.gain, 250);
    EXPECT_EQ(store.at(2, 256 + 1).band.gain, 5);
}

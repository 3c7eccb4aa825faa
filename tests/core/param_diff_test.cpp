#include "core/address_map.h"
#include "core/param_diff.h"
#include "core/param_display.h"
#include "core/value_tables.h"

#include <gtest/gtest.h>

using namespace quorix::core;

namespace {

std::vector<std::string> Lines(const std::vector<ParamDifference>& differences)
{
    std::vector<std::string> lines;
    for (const ParamDifference& d : differences)
        lines.push_back(std::string(ModeName(d.mode)) + " " + ParamLabel(d.address) + " " + d.field + ": " + d.left +
                        " -> " + d.right);
    return lines;
}

} // namespace

TEST(ParamDiff, EveryBandFieldIsNamedWithItsDisplayText)
{
    const ParamStore& defaults = DefaultParamStore();
    ParamStore changed = defaults;
    Band& band = changed.at(1, 2).band; // dance EQ3 of the music input
    band.freqIndex = FrequencyToIndex(1250.0f);
    band.gain = 215;
    band.qIndex = QToIndex(2.0f);
    band.shelfQIndex = QToIndex(1.0f);
    band.shape = 1;
    band.bandOff = true;

    EXPECT_EQ(Lines(DiffImages(defaults, changed)), (std::vector<std::string>{
                                                        "dance 0x02 EQ3 frequency: 63.7Hz -> 1.26KHz",
                                                        "dance 0x02 EQ3 gain: 0.0dB -> -3.5dB",
                                                        "dance 0x02 EQ3 Q: Q 1.00 -> Q 2.00",
                                                        "dance 0x02 EQ3 slope: Q 0.71 -> Q 1.00",
                                                        "dance 0x02 EQ3 shape: P -> LS",
                                                        "dance 0x02 EQ3 on/off: on -> off",
                                                    }));
    EXPECT_TRUE(DiffImages(defaults, changed, {.modes = {0}}).empty());
    EXPECT_TRUE(DiffImages(defaults, defaults).empty());
}

TEST(ParamDiff, PlainValuesUseTheirScales)
{
    const ParamStore& defaults = DefaultParamStore();
    ParamStore changed = defaults;
    changed.at(0, Effects * 256 + 0x14).value = 120;    // reverb time, tens of ms
    changed.at(1, MainOutput * 256 + 0x16).value = 120; // main left delay, tenths of ms
    changed.at(0, Mic12 * 256 + 0x10).value = 35;       // compressor threshold
    changed.at(0, MainOutput * 256 + 0x06).value = 2;   // high-pass type: a list entry

    EXPECT_EQ(FormatDifferences(DiffImages(defaults, changed)),
              "[Mic12]\n"
              "Mic12 singing 0x10 启动电平 value: 0.0dB -> -3.5dB\n"
              "[Effects]\n"
              "Effects singing 0x14 混响时间 value: 5000ms -> 1200ms\n"
              "[MainOutput]\n"
              "MainOutput singing 0x06 高通类型 value: 0 -> 2\n"
              "MainOutput dance 0x16 左通道延时 value: 0.0ms -> 12.0ms\n");
}

TEST(ParamDiff, CommonParametersCompareAtModeZeroOnlyAndTheDefaultSetOnRequest)
{
    const ParamStore& defaults = DefaultParamStore();
    ParamStore changed = defaults;
    changed.at(0, kCommonBase + 0x1E).value = 1;
    changed.at(1, kCommonBase + 0x1E) = changed.at(0, kCommonBase + 0x1E); // never compared
    changed.at(2, 0).band.gain = 300;

    EXPECT_EQ(Lines(DiffImages(defaults, changed)), std::vector<std::string>{"singing 0x1E 演唱/劲舞 value: 0 -> 1"});
    EXPECT_EQ(DiffImages(defaults, changed, {.modes = {0, 1, 2}}).size(), 2u);
    EXPECT_TRUE(DiffImages(defaults, changed, {.modes = {0, 1}, .kind = MusicInput}).empty());
    EXPECT_EQ(DiffImages(defaults, changed, {.modes = {2}, .kind = MusicInput}).size(), 1u);

    ParamStore undefined = defaults;
    undefined.at(0, 0x20).value = 5; // not defined in either image
    EXPECT_TRUE(DiffImages(defaults, undefined).empty());
}

#include "core/address_map.h"
#include "core/typed_value.h"
#include "core/value_tables.h"
#include "core/value_text.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quorix::core;

TEST(ValueTables, LandmarksAndLookups)
{
    EXPECT_FLOAT_EQ(FrequencyAt(0), 17.0f);
    EXPECT_FLOAT_EQ(FrequencyAt(1), 19.7f);
    EXPECT_FLOAT_EQ(FrequencyAt(86), 101.0f);
    EXPECT_FLOAT_EQ(FrequencyAt(143), 303.0f);
    EXPECT_FLOAT_EQ(FrequencyAt(205), 1000.0f);
    EXPECT_FLOAT_EQ(FrequencyAt(298), 5990.0f);
    EXPECT_FLOAT_EQ(FrequencyAt(361), 20200.0f);
    EXPECT_FLOAT_EQ(FrequencyAt(362), 20220.0f);
    EXPECT_FLOAT_EQ(QAt(10), 0.71f);
    EXPECT_FLOAT_EQ(QAt(16), 1.0f);
    EXPECT_FLOAT_EQ(QAt(28), 2.0f);
    EXPECT_FLOAT_EQ(QAt(100), 128.0f);

    const std::pair<float, int> frequencies[] = {{10, 0},     {19.7f, 1},   {100, 86},
                                                 {5900, 298}, {20220, 362}, {30000, 362}};
    for (auto [hz, index] : frequencies)
        EXPECT_EQ(FrequencyToIndex(hz), index) << hz;
    const std::pair<float, int> qs[] = {{0.7f, 10}, {0.6f, 8}, {1.0f, 16}, {500, 100}, {0.1f, 0}};
    for (auto [q, index] : qs)
        EXPECT_EQ(QToIndex(q), index) << q;
}

TEST(ValueText, FormatsFrequencyQAndGain)
{
    EXPECT_EQ(FrequencyText(1), "19.7");
    EXPECT_EQ(FrequencyText(9), "23");
    EXPECT_EQ(FrequencyText(205), "1000");
    EXPECT_EQ(FrequencyText(325), "10100");
    EXPECT_EQ(FrequencyText(362), "20220");
    EXPECT_EQ(QText(0), "0.40");
    EXPECT_EQ(QText(16), "1.00");
    EXPECT_EQ(QText(56), "10.10");
    EXPECT_EQ(QText(59), "12.00");
    EXPECT_EQ(QText(100), "128.00");
    EXPECT_EQ(GainText(250), "0.0");
    EXPECT_EQ(GainText(10), "-24.0");
    EXPECT_EQ(GainText(370), "12.0");
    EXPECT_EQ(GainText(249), "-0.1");
}

TEST(ValueText, TextsAndStepsOfValuesNoControlMakes)
{
    constexpr int kLow = std::numeric_limits<int>::min();
    constexpr int kHigh = std::numeric_limits<int>::max();
    EXPECT_EQ(FrequencyText(kLow), "17");
    EXPECT_EQ(FrequencyText(kHigh), "20220");
    EXPECT_EQ(QText(-1), "0.40");
    EXPECT_EQ(QText(kHigh), "128.00");
    EXPECT_EQ(GainText(kLow), "-214748389.8");
    EXPECT_EQ(GainText(kHigh), "214748339.7");
    int q = kHigh;
    EXPECT_EQ(StepQIndexUp(q), kMaxQIndex);
    q = kLow;
    EXPECT_EQ(StepQIndexDown(q), 0);
}

TEST(ValueText, GainParsingRoundsHalfToEvenInSinglePrecision)
{
    EXPECT_EQ(TextToGain("2.25"), 272);
    EXPECT_EQ(TextToGain("0.05"), 250);
    EXPECT_EQ(TextToGain("15"), 400);
    EXPECT_EQ(TextToGain("-3.5"), 215);
    EXPECT_EQ(ClampGain(400), 370);
    EXPECT_EQ(ClampGain(-5), 10);
}

TEST(ValueText, QStepsAndClamps)
{
    int q = 99;
    EXPECT_EQ(StepQIndexUp(q), 100);
    EXPECT_EQ(StepQIndexUp(q), 100);
    q = 0;
    EXPECT_EQ(StepQIndexDown(q), 0);
    EXPECT_EQ(q, 0);
    EXPECT_EQ(ClampQIndex(101), 100);
    EXPECT_EQ(ClampShelfQIndex(29), 28);
    EXPECT_EQ(ClampShelfQIndex(-1), 0);
}

// A filter dragged on the graph stops where its slider stops, a high-pass at OFF; a band spans the audible table.
TEST(ValueText, FrequencyClampDependsOnTheParameter)
{
    struct Case {
        int address;
        int index;
        int expected;
    };
    const Case cases[] = {
        {FlatAddress(MusicInput, 0x0F), 0, 0},    {FlatAddress(MainOutput, 0x07), 200, 143},
        {FlatAddress(Effects, 0x0D), 0, 0},       {FlatAddress(SubOutput, 0x0A), 0, 1},
        {FlatAddress(SubOutput, 0x0A), 300, 143}, {FlatAddress(Mic12, 0x14), 100, 298},
        {FlatAddress(Mic12, 0x14), 362, 362},     {FlatAddress(Effects, 0x07), 362, 361},
        {FlatAddress(Effects, 0x0E), 200, 298},   {FlatAddress(Mic12, 0x01), 362, 361},
        {FlatAddress(MusicInput, 0x00), 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampFrequencyIndex(c.index, GraphFrequencyRange(c.address)), c.expected)
            << "address " << c.address << " index " << c.index;
    EXPECT_EQ(ClampFrequencyIndex(0), 1);
    EXPECT_EQ(ClampFrequencyIndex(362), 361);
}

TEST(TypedValue, NumbersAreConvertedAndClampedTextIsReplacedByTheDefault)
{
    struct Case {
        TypedField field;
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {TypedField::Gain, "15", 370},   {TypedField::Gain, "abc", 250},   {TypedField::Gain, "0.05", 250},
        {TypedField::Gain, "-30", 10},   {TypedField::Gain, " 3,5 ", 285}, {TypedField::Gain, "1e30", 370},
        {TypedField::Gain, "nan", 250},  {TypedField::Gain, "inf", 250},   {TypedField::Frequency, "1000", 205},
        {TypedField::Frequency, "", 86}, {TypedField::Frequency, "5", 1},  {TypedField::Frequency, "99999", 361},
        {TypedField::PeakQ, "x", 10},    {TypedField::PeakQ, "500", 100},  {TypedField::ShelfQ, "5", 28},
        {TypedField::ShelfQ, "0.7", 10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseTypedValue(c.field, c.text), c.expected) << c.text;
}

#include "core/value_scales.h"

#include <gtest/gtest.h>

using namespace quorix::core;

TEST(ValueScales, RawToPosition)
{
    struct Case {
        int scale;
        float raw;
        float position;
    };
    const Case cases[] = {
        {0, 37, 37},    {1, 1, 0},      {1, 143, 142},  {2, 400, 0},    {2, 0, 400},
        {3, 10, 0},     {4, 200, 199},  {5, 1, 0},      {6, 298, 0},    {6, 362, 64},
        {7, 90, 89},    {8, 50, 50},    {9, 25, 0},     {10, 99, 99},   {10, 100, 100},
        {10, 101, 100}, {10, 102, 101}, {10, 103, 101}, {10, 200, 150}, {11, 1200, 1200},
        {12, 140, 260}, {13, 0, 0},     {14, 50, 50},   {15, 250, 240}, {16, 77, 0},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(ScaleRawToPosition(c.scale, c.raw), c.position) << "scale " << c.scale << " raw " << c.raw;
}

TEST(ValueScales, PositionToRaw)
{
    struct Case {
        int scale;
        int position;
        float raw;
    };
    const Case cases[] = {
        {0, 37, 37},    {1, 0, 1},      {2, 400, 0},    {3, 0, 10},     {4, 199, 200},  {5, 0, 1},      {6, 64, 362},
        {7, 89, 90},    {8, 50, 50},    {9, 0, 25},     {10, 99, 99},   {10, 101, 102}, {10, 150, 200}, {11, 5, 5},
        {12, 260, 140}, {13, 143, 143}, {14, 920, 920}, {15, 240, 250}, {16, 5, 0},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(ScalePositionToRaw(c.scale, c.position), c.raw) << "scale " << c.scale;
}

TEST(ValueScales, TextsWithoutUnits)
{
    struct Case {
        int scale;
        int position;
        const char* text;
    };
    const Case cases[] = {
        {0, 42, "42"},     {1, 0, "19.7"},    {1, 142, "303"},   {2, 0, "-40.0"},     {2, 400, "0.0"},
        {3, 0, "1.0"},     {3, 89, "9.9"},    {3, 90, "10"},     {3, 180, "100"},     {4, 0, "0.5"},
        {4, 199, "100.0"}, {5, 199, "2000"},  {6, 63, "20200"},  {6, 64, "OFF"},      {6, 0, "5990"},
        {7, 0, "1"},       {8, 0, "-50"},     {8, 100, "50"},    {9, 50, "75"},       {10, 99, "99%"},
        {10, 100, "100%"}, {10, 101, "102%"}, {10, 150, "200%"}, {11, 1200, "120.0"}, {12, 0, "-26.0"},
        {12, 400, "14.0"}, {13, 0, "OFF"},    {13, 1, "19.7"},   {14, 920, "9200"},   {15, 0, "-24.0"},
        {15, 240, "0.0"},  {15, 360, "12.0"}, {99, 7, "7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleText(c.scale, c.position), c.text) << "scale " << c.scale << " position " << c.position;
}

TEST(ValueScales, OutOfRangeRawValuesClampToTheSliderEnds)
{
    EXPECT_EQ(RawToSliderPosition(2, -5, 400), 400);
    EXPECT_EQ(ScaleText(2, RawToSliderPosition(2, -5, 400)), "0.0");
    EXPECT_EQ(RawToSliderPosition(2, 500, 400), 0);
    EXPECT_EQ(ScaleText(2, RawToSliderPosition(2, 500, 400)), "-40.0");
    EXPECT_EQ(RawToSliderPosition(0, 80.5f, 100), 80); // half to even
    EXPECT_EQ(RawToSliderPosition(0, 81.5f, 100), 82);
}

TEST(ValueScales, PolarityLivesAbove250)
{
    const PolaritySplit inverted = SplitPolarity(260);
    EXPECT_TRUE(inverted.inverted);
    EXPECT_FLOAT_EQ(inverted.raw, 10);
    EXPECT_EQ(ScaleText(10, RawToSliderPosition(10, inverted.raw, 150)), "10%");
    EXPECT_FLOAT_EQ(JoinPolarity(10, true), 260);
    EXPECT_FLOAT_EQ(JoinPolarity(10, false), 10);
    EXPECT_FALSE(SplitPolarity(249).inverted);
    // Scale 0 with MaxValue 80 covers 0..80 and 250..330.
    EXPECT_EQ(RawToSliderPosition(0, SplitPolarity(330).raw, 80), 80);
}

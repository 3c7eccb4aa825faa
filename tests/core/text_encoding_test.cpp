#include "core/checked_index.h"
#include "core/digit_buffer.h"
#include "core/text_encoding.h"

#include <gtest/gtest.h>

using namespace quorix::core;

TEST(TextToAnsiBytes, WritesGbkWithTheHighByteFirst)
{
    EXPECT_EQ(TextToAnsiBytes("KTV"), (std::vector<std::uint8_t>{'K', 'T', 'V'}));
    EXPECT_EQ(TextToAnsiBytes("中A"), (std::vector<std::uint8_t>{0xD6, 0xD0, 'A'}));
    EXPECT_EQ(TextToAnsiBytes("😀x"), (std::vector<std::uint8_t>{'?', 'x'})); // no GBK form
}

TEST(DigitBuffer, StoresDigitValuesAndRefusesIndicesPast20)
{
    DigitBuffer buffer;
    buffer.DigitsToBuffer("1234", 0);
    buffer.DigitsToBuffer("987654", 4);
    EXPECT_EQ(buffer.at(0), 1);
    EXPECT_EQ(buffer.at(3), 4);
    EXPECT_EQ(buffer.at(4), 9);
    EXPECT_EQ(buffer.at(9), 4);
    buffer.DigitsToBuffer("5", 20);
    EXPECT_EQ(buffer.at(20), 5);
    EXPECT_THROW(buffer.DigitsToBuffer("12", 20), IndexError);
    EXPECT_EQ(buffer.at(20), 5); // a refused text writes nothing
    EXPECT_THROW(buffer.at(21), IndexError);
}

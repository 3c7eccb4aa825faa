#include "core/checked_index.h"
#include "core/digit_buffer.h"
#include "core/text_encoding.h"

#include <gtest/gtest.h>

using namespace quorix::core;

namespace {

std::vector<std::uint8_t> Hex(std::string_view hex)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    return bytes;
}

} // namespace

// The same bytes from iconv and from Windows' code page 936.
TEST(TextToAnsiBytes, TheConsolesTextsRoundTripThroughGbk)
{
    const struct {
        const char* text;
        const char* gbk;
    } cases[] = {
        {"KTV", "4B5456"},
        {"中A", "D6D041"},
        {"KTV 演唱 1", "4B545620D1DDB3AA2031"},
        {"Quorix_Series - 已联机", "51756F7269785F536572696573202D20D2D1C1AABBFA"},
        {"从机器读数据时出错！", "B4D3BBFAC6F7B6C1CAFDBEDDCAB1B3F6B4EDA3A1"},
        {"低通滤波器类型", "B5CDCDA8C2CBB2A8C6F7C0E0D0CD"},
        {"后期反射高频阻尼", "BAF3C6DAB7B4C9E4B8DFC6B5D7E8C4E1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToAnsiBytes(c.text), Hex(c.gbk)) << c.text;
        EXPECT_EQ(AnsiBytesToText(Hex(c.gbk)), c.text) << c.text;
    }
}

TEST(TextToAnsiBytes, WhatGbkCannotHoldBecomesOneQuestionMarkACharacter)
{
    EXPECT_EQ(TextToAnsiBytes("😀x"), (std::vector<std::uint8_t>{'?', 'x'}));
    EXPECT_EQ(TextToAnsiBytes("\xC3"), (std::vector<std::uint8_t>{'?'})); // a cut-off sequence
    EXPECT_EQ(AnsiBytesToText(Hex("D6")), "?");                           // a lead byte without its pair
    EXPECT_EQ(AnsiBytesToText(Hex("D67F41")), "?A");
}

TEST(DigitBuffer, StoresDigitValuesAndRefusesIndicesPast20)
{
    DigitBuffer buffer;
    buffer.digitsToBuffer("1234", 0);
    buffer.digitsToBuffer("987654", 4);
    EXPECT_EQ(buffer.at(0), 1);
    EXPECT_EQ(buffer.at(3), 4);
    EXPECT_EQ(buffer.at(4), 9);
    EXPECT_EQ(buffer.at(9), 4);
    buffer.digitsToBuffer("5", 20);
    EXPECT_EQ(buffer.at(20), 5);
    EXPECT_THROW(buffer.digitsToBuffer("12", 20), IndexError);
    EXPECT_EQ(buffer.at(20), 5); // a refused text writes nothing
    EXPECT_THROW(buffer.at(21), IndexError);
}

#include "core/tag_address.h"

#include <gtest/gtest.h>

using quorix::core::ParseTagAddress;

TEST(ParseTagAddress, ResolvesThreePartTags)
{
    EXPECT_EQ(ParseTagAddress("Group,3,&HF"), 783);
    EXPECT_EQ(ParseTagAddress("EQF,1,&H14"), 276);
    EXPECT_EQ(ParseTagAddress("Common,10,8"), 2568);
    EXPECT_EQ(ParseTagAddress("EQ,0,5"), 5);
    EXPECT_EQ(ParseTagAddress("EQT,4,6"), 1030);
    EXPECT_EQ(ParseTagAddress("Group,3,&hf"), 783);
}

TEST(ParseTagAddress, AnythingElseIsMinusOne)
{
    for (const char* tag : {"Button", "&HA10", "", "EQ,0", "EQ,0,5,1", "EQ,x,5", "EQ,0,&HZZ", "EQ,0,", "EQ,-1,5",
                            "EQ,99999999999999,1"})
        EXPECT_EQ(ParseTagAddress(tag), -1) << '"' << tag << '"';
}

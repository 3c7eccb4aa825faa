#include "core/valid_utf8.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

using quorix::core::ValidUtf8;

namespace {

const std::string kR = "\xEF\xBF\xBD"; // U+FFFD

} // namespace

TEST(ValidUtf8, KeepsWellFormedTextAndReplacesEachIllFormedStartOnce)
{
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {"plain, with a NUL \0 kept"s, "plain, with a NUL \0 kept"s},
        {"调音台 \xF0\x9F\x8E\xA4", "调音台 \xF0\x9F\x8E\xA4"}, // up to four bytes
        {"a\xFF\xFE"
         "b",
         "a" + kR + kR + "b"},                   // bytes no character starts with
        {"\xC0\xAF", kR + kR},                   // an overlong '/'
        {"\xE0\x80\xAF", kR + kR + kR},          // overlong in three bytes
        {"\xED\xA0\x80", kR + kR + kR},          // a surrogate
        {"\xF4\x90\x80\x80", kR + kR + kR + kR}, // past U+10FFFF
        {"\xE4\xB8"
         "x",
         kR + "x"}, // a character cut short: one replacement
        {"end \xF0\x9F\x8E", "end " + kR},
        {"\x80"
         "中",
         kR + "中"}, // a lone continuation byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValidUtf8(c.text), c.expected) << c.text;
}

#include "json/long_value_parse.h"

#include <gtest/gtest.h>

#include <string>

using quorix::json::ParseStrictJson;
using quorix::json::ParseStrictJsonWithLongValue;

// Whatever the text, the quick path comes to what the parser says of it.
TEST(LongValueParse, ComesToTheParsersOwnDocumentOrRefusal)
{
    const std::string base64(3000, 'Q');
    const std::string texts[] = {
        R"({"id":"a","command":"push","configuration":")" + base64 + R"(","preset":1})",
        "{ \"configuration\" :\n\t\"" + base64 + "\" , \"id\" : \"x\" }",
        R"({"configuration":""})",
        // Not the outermost object's key: left to the parser.
        R"({"a":{"configuration":")" + base64 + R"("}})",
        R"([{"configuration":"QUJD"}])",
        R"(["configuration","QUJD"])",
        R"({"id":"configuration","configuration":"QUJD"})",
        R"({"id":"\"configuration\":\"QUJD","configuration":"RUZH"})",
        R"({"id":"\\","configuration":"RUZH"})",
        // A value the quick pass does not take whole.
        R"({"configuration":"QU\nJD"})",
        "{\"configuration\":\"\xc3\xa9\"}",
        "{\"configuration\":\"QU\x01JD\"}",
        R"({"configuration":17})",
        R"({"configur\u0061tion":"QUJD"})",
        // Refused, with the refusal's place in the text as it came.
        R"({"configuration":")" + base64 + R"(","configuration":"QUJD"})",
        R"({"configuration":")" + base64 + R"(",})",
        R"({"configuration":")" + base64 + R"(" "id":"x"})",
        R"({"configuration":")" + base64,
        R"({"configuration":")" + base64 + R"("})" + "]",
        R"({"configuration")",
        "",
    };
    for (const std::string& text : texts) {
        const auto quick = ParseStrictJsonWithLongValue(text, "configuration");
        const auto plain = ParseStrictJson(text);
        EXPECT_EQ(quick.document, plain.document) << text.substr(0, 80);
        EXPECT_EQ(quick.refusal, plain.refusal) << text.substr(0, 80);
    }
}

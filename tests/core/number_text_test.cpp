#include "decimal_comma_locale.h"

#include "core/number_text.h"

#include <gtest/gtest.h>

using namespace quorix::core;

TEST(NumberText, ReadsAndWritesAFullStopWhateverTheLocale)
{
    const quorix::test_support::DecimalCommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << "no locale with a decimal comma is installed (scripts/bootstrap makes de_DE.UTF-8)";
    EXPECT_EQ(ParseNumber("1.5"), 1.5);
    EXPECT_EQ(ParseNumber("-20.25"), -20.25);
    EXPECT_EQ(ParseNumber("1,5"), 1.5); // what an installer may type, in any locale
    EXPECT_EQ(FormatFixed(1234.5, 2), "1234.50");
    EXPECT_EQ(FormatFixed(-0.001, 1), "0.0");
    EXPECT_EQ(FormatShortest(0.1f), "0.1");
    EXPECT_EQ(ParseNumberList("25,40.5,63"), (std::vector<double>{25, 40.5, 63}));
}

#include "decimal_comma_locale.h"

#include "graph/response_csv.h"

#include "core/address_map.h"

#include <gtest/gtest.h>

using namespace quorix;

TEST(ResponseCsv, IsTheSameInALocaleWithADecimalComma)
{
    core::ParamStore store;
    core::ParamStore image;
    core::InitParamStore(store, image);
    store.at(0, 3).band.gain = -45; // a band that is not flat, so the cells hold fractions
    const core::ViewState view;
    const std::string plain = graph::ResponseCsv(store, view, 200);
    ASSERT_NE(plain.find('.'), std::string::npos);

    const test_support::DecimalCommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << "no locale with a decimal comma is installed (scripts/bootstrap makes de_DE.UTF-8)";
    EXPECT_EQ(graph::ResponseCsv(store, view, 200), plain);
}

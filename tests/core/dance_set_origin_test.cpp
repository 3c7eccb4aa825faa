#include "core/address_map.h"
#include "core/dance_set_origin.h"

#include <gtest/gtest.h>

using namespace quorix::core;

namespace {

constexpr int kMusicHighPass = 0x0F;           // per mode, page 0
constexpr int kMainMusicLevel = 4 * 256 + 0x00; // per mode, page 4

int FirstShared(int kind)
{
    for (int a = KindFirst(kind); a <= KindLast(kind); ++a)
        if (!DefaultParamStore().at(0, a).PerMode)
            return a;
    return -1;
}

TEST(DanceSetOrigin, TheDanceSetIsTheConsolesUntilItCameFromTheProcessorAndEditedOnceChanged)
{
    ParamStore store = DefaultParamStore();
    ASSERT_TRUE(store.at(1, kMusicHighPass).PerMode);
    DanceSetOrigin origin(store);
    EXPECT_EQ(origin.origin(store, 0), DanceOrigin::Console);
    EXPECT_EQ(origin.pagesNeverRead(store).front(), 0);

    // A read of the singing set, its mirror into the dance set and singing edits leave the dance set unread.
    store.at(0, kMusicHighPass).Value = 40;
    const int shared = FirstShared(3);
    ASSERT_GE(shared, 0);
    store.at(0, shared).Value += 7;
    MirrorSharedParameters(store);
    EXPECT_EQ(origin.origin(store, 0), DanceOrigin::Console);
    EXPECT_EQ(origin.origin(store, 3), DanceOrigin::Console);

    store.at(1, kMusicHighPass).Value = 41;
    EXPECT_EQ(origin.origin(store, 0), DanceOrigin::Edited);
    EXPECT_EQ(origin.origin(store, 4), DanceOrigin::Console) << "each page on its own";
    EXPECT_EQ(origin.pagesNeverRead(store), (std::vector<int>{4, 5, 6, 7})) << "pages 1 to 3 are shared";

    origin.cameFromProcessor(store);
    EXPECT_EQ(origin.origin(store, 0), DanceOrigin::Read);
    EXPECT_TRUE(origin.pagesNeverRead(store).empty());
    store.at(1, kMainMusicLevel).Value += 1;
    EXPECT_EQ(origin.origin(store, 4), DanceOrigin::Edited);
    store.at(1, kMainMusicLevel).Value -= 1;
    EXPECT_EQ(origin.origin(store, 4), DanceOrigin::Read) << "an edit taken back leaves what was read";
}

} // namespace

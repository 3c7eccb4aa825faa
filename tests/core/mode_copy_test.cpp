#include "core/address_map.h"
#include "core/mode_copy.h"
#include "core/param_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorix::core;

namespace {

struct CopyFixture : ::testing::Test {
    ParamStore store;
    ParamStore image;
    ViewState view;
    NullParamWriter writer;
    ParamEditor edits{store, view, writer};
    bool answer = true;
    int failAfter = -1;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::vector<std::pair<int, int>> sent; // address, mode at the time of the send

    CopyModeHooks hooks{
        [this](std::string_view q) {
            questions.emplace_back(q);
            return answer;
        },
        [this](int a) {
            if (failAfter >= 0 && static_cast<int>(sent.size()) >= failAfter)
                return false;
            sent.emplace_back(a, view.currentMode);
            return true;
        },
        [this](std::string_view m) { messages.emplace_back(m); },
    };

    void SetUp() override { InitParamStore(store, image); }
};

} // namespace

TEST_F(CopyFixture, CopiesEveryModeDependentRecord)
{
    const ParamStore before = store;
    EXPECT_TRUE(CopyMode(edits, view, hooks));
    EXPECT_EQ(questions, (std::vector<std::string>{std::string(kCopySingingToDanceQuestion)}));
    for (int a = 0; a < kFirstGlobalAddress; ++a)
        EXPECT_EQ(store.at(1, a), before.at(0, a));
    EXPECT_EQ(messages, (std::vector<std::string>{"完成!"}));
    EXPECT_EQ(view.currentMode, 0);
}

TEST_F(CopyFixture, SendsEachModeSpecificParameterOnceInTheOtherMode)
{
    view.currentMode = 1;
    EXPECT_TRUE(CopyMode(edits, view, hooks));
    EXPECT_EQ(questions.front(), kCopyDanceToSingingQuestion);
    int perMode = 0;
    for (int a = 0; a < kAddressCount; ++a)
        perMode += store.at(0, a).perMode ? 1 : 0;
    ASSERT_EQ(static_cast<int>(sent.size()), perMode);
    EXPECT_EQ(sent.front(), (std::pair<int, int>{0, 0}));
    for (auto [address, mode] : sent) {
        EXPECT_TRUE(store.at(0, address).perMode);
        EXPECT_EQ(mode, 0);
    }
    EXPECT_EQ(view.currentMode, 1);
}

TEST_F(CopyFixture, NoStopsBeforeAnythingChanges)
{
    answer = false;
    const ParamStore before = store;
    EXPECT_FALSE(CopyMode(edits, view, hooks));
    EXPECT_EQ(store, before);
    EXPECT_TRUE(messages.empty());
}

TEST_F(CopyFixture, AFailedSendStopsWithoutTheCompletionMessage)
{
    failAfter = 3;
    EXPECT_FALSE(CopyMode(edits, view, hooks));
    EXPECT_EQ(sent.size(), 3u);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(view.currentMode, 0);
    EXPECT_EQ(store.at(1, 0).band.gain, 330); // the store was already copied
}

// The master levels, common and recording records exist at mode index 0 only.
TEST_F(CopyFixture, DanceToSingingKeepsTheGlobalRecords)
{
    view.currentMode = 1;
    store.at(0, 0xA08).value = 70;             // a master level limit
    store.at(0, kCommonBase + 0x1F).value = 1; // automatic mode control
    const ParamStore before = store;
    EXPECT_TRUE(CopyMode(edits, view, hooks));
    for (int mode = 0; mode < kModeCount; ++mode)
        for (int a = kFirstGlobalAddress; a < kAddressCount; ++a)
            EXPECT_EQ(store.at(mode, a), before.at(mode, a)) << "mode " << mode << " address " << a;
    EXPECT_EQ(store.at(0, 3), before.at(1, 3));
}

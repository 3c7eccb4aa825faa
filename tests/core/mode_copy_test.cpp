#include "tests/scripted_prompter.h"

#include "core/address_map.h"
#include "core/mode_copy.h"
#include "core/param_writer.h"
#include "core/processor_record.h"

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
    ProcessorRecord record;
    ScriptedPrompter prompter;
    int failAfter = -1;
    std::vector<std::pair<int, int>> sent; // address, mode at the time of the send

    void SetUp() override
    {
        InitParamStore(store, image);
        prompter.answer = true;
    }
    // Every dance value read from the processor, or written to it: no value of the console's own.
    void readDanceSet()
    {
        for (int kind = 0; kind < 8; ++kind)
            record.kindRead(1, kind);
        record.writeLost(1, 5 * 256);
    }
    bool copy()
    {
        return CopyMode(edits, view, record, prompter, [this](int a) {
            if (failAfter >= 0 && static_cast<int>(sent.size()) >= failAfter)
                return false;
            sent.emplace_back(a, view.currentMode);
            return true;
        });
    }
};

} // namespace

TEST_F(CopyFixture, CopiesEveryModeDependentRecord)
{
    const ParamStore before = store;
    EXPECT_TRUE(copy());
    EXPECT_EQ(prompter.questions, (std::vector<std::string>{std::string(kCopySingingToDanceQuestion)}));
    for (int a = 0; a < kFirstGlobalAddress; ++a)
        EXPECT_EQ(store.at(1, a), before.at(0, a));
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{"完成!"}));
    EXPECT_EQ(prompter.severities, (std::vector<Severity>{Severity::Warning}));
    EXPECT_EQ(view.currentMode, 0);
}

TEST_F(CopyFixture, SendsEachModeSpecificParameterOnceInTheOtherMode)
{
    view.currentMode = 1;
    readDanceSet();
    EXPECT_TRUE(copy());
    EXPECT_EQ(prompter.questions.front(), kCopyDanceToSingingQuestion);
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
    prompter.answer = false;
    const ParamStore before = store;
    EXPECT_FALSE(copy());
    EXPECT_EQ(store, before);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CopyFixture, AFailedSendStopsWithoutTheCompletionMessage)
{
    failAfter = 3;
    EXPECT_FALSE(copy());
    EXPECT_EQ(sent.size(), 3u);
    EXPECT_TRUE(prompter.messages.empty());
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
    EXPECT_TRUE(copy());
    for (int mode = 0; mode < kModeCount; ++mode)
        for (int a = kFirstGlobalAddress; a < kAddressCount; ++a)
            EXPECT_EQ(store.at(mode, a), before.at(mode, a)) << "mode " << mode << " address " << a;
    EXPECT_EQ(store.at(0, 3), before.at(1, 3));
}

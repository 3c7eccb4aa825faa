// SPDX-License-Identifier: GPL-3.0-or-later
#include "presets_fixture.h"

#include "presets/config_file_message.h"
#include "presets/configuration_files.h"
#include "presets/file_open_on_connect.h"

#include <fstream>

using namespace quorix;

namespace {

struct RecordingNotice : presets::WaitingNotice {
    std::vector<std::string> shown;
    bool visible = false;
    std::function<void()> cancel;

    void showWaiting(std::string_view text, std::function<void()> onCancel) override
    {
        shown.emplace_back(text);
        visible = true;
        cancel = std::move(onCancel);
    }
    void hideWaiting() override { visible = false; }
};

struct FileOpenOnConnectTest : PresetsTest {
    presets::ConfigurationFiles files{context, flow, folder};
    RecordingNotice notice;
    presets::FileOpenOnConnect opener{device, clock, flow, notice, files};
    std::filesystem::path file;

    void SetUp() override
    {
        PresetsTest::SetUp();
        port.unplug(); // the console starts before the processor is there
        core::ParamStore tuned = store;
        tuned.at(0, 3).band.gain = 320;
        tuned.at(0, 1024).value = 42;
        file = folder / "room 1.quorix";
        ASSERT_TRUE(core::SaveConfigurationFile(file, tuned).ok);
    }

    // Plugs the processor in and runs until its full read has ended, passing the
    // outcome on as the window does, then lets the question come.
    void connectAndRead()
    {
        port.replug();
        const std::size_t reads = host.synchronisations.size();
        clock.runUntil([&] { return host.synchronisations.size() > reads; }, 20000);
        opener.synchronised(host.synchronisations.back());
        clock.advance(1);
    }

    int blockWrites() const
    {
        int n = 0;
        for (const auto& [name, bytes] : sent())
            n += name == "WriteBlock";
        return n;
    }
};

TEST_F(FileOpenOnConnectTest, OfflineItWaitsThenAsksOnceOnlineAndYesWritesAndReadsBackTheFile)
{
    opener.start(file);
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_NE(notice.shown[0].find("room 1.quorix"), std::string::npos);
    clock.advance(10000);
    EXPECT_TRUE(notice.visible);
    EXPECT_TRUE(flow.questions.empty());

    flow.answer = true;
    connectAndRead();
    EXPECT_FALSE(notice.visible);
    ASSERT_EQ(flow.questions.size(), 1u);
    EXPECT_EQ(flow.questions[0].rfind(presets::kWriteFileQuestion, 0), 0u);
    EXPECT_NE(flow.questions[0].find("room 1.quorix"), std::string::npos);
    EXPECT_EQ(processor.band(0, 3).gain, 320);
    EXPECT_EQ(processor.value(0, 1024), 42);
    EXPECT_EQ(store.at(0, 3).band.gain, 320);
    expectStoreMatchesProcessor();
    EXPECT_TRUE(flow.messages.empty());

    port.unplug(); // a later connection asks nothing
    clock.advance(10000);
    connectAndRead();
    EXPECT_EQ(flow.questions.size(), 1u);
}

TEST_F(FileOpenOnConnectTest, NoOrACancelledWaitSendsNothingOfTheFile)
{
    for (const bool cancelled : {false, true}) {
        SCOPED_TRACE(cancelled ? "cancelled" : "answered no");
        flow.questions.clear();
        port.unplug();
        clock.advance(10000);
        opener.start(file);
        if (cancelled) {
            notice.cancel();
            EXPECT_FALSE(notice.visible);
        }
        flow.answer = false;
        connectAndRead();
        EXPECT_EQ(flow.questions.size(), cancelled ? 0u : 1u);
        EXPECT_EQ(blockWrites(), 0);
        EXPECT_NE(processor.value(0, 1024), 42);
    }
}

TEST_F(FileOpenOnConnectTest, AFileThatIsNotAConfigurationIsRefusedAtOnceWithTheReadersMessage)
{
    std::ofstream(folder / "notes.quorix") << "not a configuration";
    for (const auto& bad : {folder / "notes.quorix", folder / "missing.quorix"}) {
        SCOPED_TRACE(bad.filename().string());
        flow.messages.clear();
        core::ParamStore unused;
        opener.start(bad);
        EXPECT_EQ(flow.messages,
                  std::vector<std::string>{presets::ConfigFileMessage(core::LoadConfigurationFile(bad, unused))});
        EXPECT_TRUE(notice.shown.empty());
    }
    connectAndRead();
    EXPECT_TRUE(flow.questions.empty());
    EXPECT_EQ(blockWrites(), 0);
}

TEST_F(FileOpenOnConnectTest, AFailedReadOrALinkLostBeforeTheQuestionKeepsWaiting)
{
    opener.start(file);
    opener.synchronised(false);
    clock.advance(1);
    EXPECT_TRUE(notice.visible);
    opener.synchronised(true); // the link went again before the question could come
    clock.advance(1);
    EXPECT_TRUE(flow.questions.empty());
    EXPECT_TRUE(notice.visible);
    EXPECT_EQ(notice.shown.size(), 2u);

    connectAndRead();
    EXPECT_EQ(flow.questions.size(), 1u);
    EXPECT_EQ(processor.value(0, 1024), 42);
}

} // namespace

#include "presets_fixture.h"

#include "presets/configuration_files.h"
#include "presets/preset_texts.h"

#include <fstream>

using namespace quorix;

namespace {

struct ConfigurationFilesTest : PresetsTest {
    presets::ConfigurationFiles files{context, flow, folder};

    // A band and a plain value of the working settings, changed through the link.
    void tune(int gain, int value)
    {
        store.at(0, 3).band.gain = gain;
        ASSERT_TRUE(writeParam(3));
        store.at(0, 1024).value = value;
        ASSERT_TRUE(writeParam(1024));
    }
    void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
    {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

TEST_F(ConfigurationFilesTest, SavedThenOpenedWhileOnlineTheConfigurationEndsOnTheProcessorAndTheWindow)
{
    connect();
    tune(300, 55);
    flow.files = {folder / "evening"};
    ASSERT_TRUE(files.saveConfigurationFile());
    const auto saved = folder / "evening.quorix";
    ASSERT_EQ(std::filesystem::file_size(saved), core::kConfigFileSize);
    core::ParamStore decoded;
    ASSERT_TRUE(core::LoadConfigurationFile(saved, decoded).ok);
    EXPECT_EQ(decoded, store);

    tune(200, 12);
    const int refreshes = host.refreshes;
    flow.files = {saved};
    EXPECT_TRUE(told([&](auto done) { files.openConfigurationFile(done); }));
    EXPECT_EQ(image, decoded);
    EXPECT_EQ(processor.band(0, 3).gain, 300);
    EXPECT_EQ(processor.value(0, 1024), 55);
    EXPECT_EQ(store.at(0, 3).band.gain, 300);
    EXPECT_EQ(store.at(0, 1024).value, 55);
    expectStoreMatchesProcessor();
    EXPECT_GT(host.refreshes, refreshes);
    EXPECT_TRUE(flow.messages.empty());
}

TEST_F(ConfigurationFilesTest, AFileOpenedWritesToTheCurrentPresetAndReadsItBack)
{
    connect();
    view.currentPreset = 4; // as a recall of USER2 leaves it
    flow.files = {folder / "a.QUORIX", folder / "a.QUORIX"};
    ASSERT_TRUE(files.saveConfigurationFile());
    EXPECT_TRUE(std::filesystem::exists(folder / "a.QUORIX")) << "an extension in any case is kept";
    ASSERT_TRUE(told([&](auto done) { files.openConfigurationFile(done); }));
    EXPECT_EQ(processor.currentPreset(), 4);
    for (const auto& [name, bytes] : sent()) {
        if (name == "WriteBlock" || name == "ReadBlockBack") {
            EXPECT_EQ(bytes[2], 4) << name;
        }
    }
    expectStoreMatchesProcessor(4);
}

TEST_F(ConfigurationFilesTest, OpeningOfflineIsRefusedAndSendsNothing)
{
    const int requests = processor.requestsReceived();
    const core::ParamStore before = image;
    EXPECT_FALSE(told([&](auto done) { files.openConfigurationFile(done); }));
    EXPECT_EQ(flow.messages, std::vector<std::string>{std::string(presets::kOfflineRefusal)});
    EXPECT_EQ(flow.severities, std::vector<core::Severity>{core::Severity::Warning});
    EXPECT_TRUE(flow.askedFiles.empty());
    EXPECT_EQ(processor.requestsReceived(), requests);
    EXPECT_EQ(image, before);
}

TEST_F(ConfigurationFilesTest, ARefusedFileChangesNothingSendsNothingAndSaysWhy)
{
    connect();
    const auto whole = core::EncodeConfiguration(store);
    core::ParamStore unsendable = store;
    unsendable.at(0, 1024).value = 70000; // beyond what two base-250 digits carry
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"truncated", {whole.begin(), whole.end() - 1}},
        {"oversized",
         [&] {
             auto b = whole;
             b.push_back(0);
             return b;
         }()},
        {"empty", {}},
        {"a value that cannot travel", core::EncodeConfiguration(unsendable)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        flow.files = {folder / "bad.quorix"};
        writeBytes(flow.files.front(), c.bytes);
        flow.messages.clear();
        const int requests = processor.requestsReceived();
        const core::ParamStore storeBefore = store, imageBefore = image;
        EXPECT_FALSE(told([&](auto done) { files.openConfigurationFile(done); }));
        EXPECT_EQ(processor.requestsReceived(), requests);
        EXPECT_EQ(store, storeBefore);
        EXPECT_EQ(image, imageBefore);
        ASSERT_EQ(flow.messages.size(), 1u);
        EXPECT_NE(flow.messages[0].find("bad.quorix"), std::string::npos) << flow.messages[0];
    }
}

TEST_F(ConfigurationFilesTest, CancelledOrMissingChoicesDoNothing)
{
    connect();
    const int requests = processor.requestsReceived();
    EXPECT_FALSE(files.saveConfigurationFile());
    EXPECT_FALSE(told([&](auto done) { files.openConfigurationFile(done); }));
    flow.files = {folder / "nowhere.quorix"};
    EXPECT_FALSE(told([&](auto done) { files.openConfigurationFile(done); }));
    EXPECT_TRUE(flow.messages.empty());
    EXPECT_EQ(processor.requestsReceived(), requests);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(ConfigurationFilesTest, TheDialogsOfferConfigurationFilesFromTheModeFolder)
{
    connect();
    EXPECT_FALSE(files.saveConfigurationFile());
    EXPECT_FALSE(told([&](auto done) { files.openConfigurationFile(done); }));
    ASSERT_EQ(flow.askedFiles.size(), 2u);
    const struct {
        std::string caption;
        bool save;
    } expected[] = {{"保存配置文件", true}, {"浏览配置文件", false}};
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(expected[i].caption);
        EXPECT_EQ(flow.askedFiles[i].caption, expected[i].caption);
        EXPECT_EQ(flow.askedFiles[i].save, expected[i].save);
        EXPECT_EQ(flow.askedFiles[i].filter, "音响配置文件 (*.QUORIX)");
        EXPECT_EQ(flow.askedFiles[i].folder, folder);
    }
}

TEST_F(ConfigurationFilesTest, AnExistingFileBehindTheAddedExtensionIsReplacedOnlyOnYes)
{
    const auto existing = folder / "late.quorix";
    std::ofstream(existing) << "keep";
    flow.files = {folder / "late", folder / "late", existing};
    flow.answer = false;
    EXPECT_FALSE(files.saveConfigurationFile());
    EXPECT_EQ(flow.questions, std::vector<std::string>{std::string(presets::kOverwriteQuestion)});
    EXPECT_EQ(std::filesystem::file_size(existing), 4u);
    flow.answer = true;
    EXPECT_TRUE(files.saveConfigurationFile());
    EXPECT_EQ(std::filesystem::file_size(existing), core::kConfigFileSize);
    EXPECT_TRUE(files.saveConfigurationFile());
    EXPECT_EQ(flow.questions.size(), 2u) << "the dialog itself asked about the name it was given";
}

TEST_F(ConfigurationFilesTest, ASaveThatFailsSaysSo)
{
    flow.files = {folder / "missing-folder" / "x"};
    EXPECT_FALSE(files.saveConfigurationFile());
    ASSERT_EQ(flow.messages.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(folder / "missing-folder"));
}

TEST_F(ConfigurationFilesTest, AFailedWriteSkipsTheReadBack)
{
    connect();
    flow.files = {folder / "f.quorix"};
    ASSERT_TRUE(files.saveConfigurationFile());
    store.at(0, 1024).value = 9; // only in the console
    processor.dropNextReplies(100);
    EXPECT_FALSE(told([&](auto done) { files.openConfigurationFile(done); }));
    for (const auto& [name, bytes] : sent())
        EXPECT_NE(name, "ReadBlockBack");
    EXPECT_EQ(store.at(0, 1024).value, 9);
    expectedRefusals = processor.refusals().count();
}

} // namespace

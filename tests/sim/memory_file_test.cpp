#include "sim/memory_file.h"
#include "sim/virtual_processor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quorix::sim;
namespace fs = std::filesystem;

namespace {

struct MemoryFile : ::testing::Test {
    fs::path dir;

    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("quorix-sim-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void write(const fs::path& path, const std::vector<std::uint8_t>& bytes)
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

} // namespace

TEST_F(MemoryFile, TheWholeMemoryRoundTrips)
{
    VirtualProcessor original;
    original.setVariant('3');
    original.setPasswords("4321", "987654");
    original.setValue(1, 1024, 77);
    original.setBand(0, 3, {2, 9, 140, true, 321, 33});
    ProcessorContents contents = original.contents();
    contents.current = 6;
    contents.presets[6].setValue(0, 2560, 41);
    original.setContents(contents);

    const fs::path file = dir / "memory.qxvp";
    ASSERT_TRUE(original.saveToFile(file).ok);
    EXPECT_EQ(fs::file_size(file), MemoryFileSize());
    VirtualProcessor restored;
    const MemoryFileResult loaded = restored.loadFromFile(file);
    ASSERT_TRUE(loaded.ok) << loaded.message;
    EXPECT_EQ(restored.contents(), original.contents());
    EXPECT_EQ(restored.currentPreset(), 6);
    EXPECT_EQ(restored.variant(), '3');
}

TEST_F(MemoryFile, ForeignOrDamagedFilesAreRefusedAndChangeNothing)
{
    VirtualProcessor source;
    const auto good = EncodeProcessorContents(source.contents());
    auto truncated = good;
    truncated.resize(good.size() - 1);
    auto longer = good;
    longer.push_back(0);
    auto badVariant = good;
    badVariant[8] = 'X';
    auto badPreset = good;
    badPreset[9] = 8;
    auto badPassword = good;
    badPassword[12] = 'a';
    auto badDigit = good;
    badDigit[good.size() - 1] = 250;
    auto foreign = good;
    foreign[0] = 'P';
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"empty", {}, "signature"},
        {"foreign", foreign, "signature"},
        {"truncated", truncated, "truncated"},
        {"signature only", {good.begin(), good.begin() + 8}, "truncated"},
        {"longer", longer, "longer"},
        {"variant", badVariant, "variant"},
        {"preset", badPreset, "preset"},
        {"password", badPassword, "password"},
        {"digit", badDigit, "base-250"},
    };
    for (const Case& c : cases) {
        VirtualProcessor processor;
        processor.setValue(0, 2560, 12);
        const ProcessorContents before = processor.contents();
        const fs::path file = dir / c.what;
        write(file, c.bytes);
        const MemoryFileResult result = processor.loadFromFile(file);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_NE(result.message.find(c.message), std::string::npos) << c.what << ": " << result.message;
        EXPECT_NE(result.message.find(file.string()), std::string::npos) << c.what;
        EXPECT_EQ(processor.contents(), before) << c.what;
    }
    VirtualProcessor processor;
    EXPECT_FALSE(processor.loadFromFile(dir / "missing").ok);
}

// Only a file that does not exist, in a folder that does, lets a fresh memory
// start there; whatever else keeps a file from being read is a refusal.
TEST_F(MemoryFile, OnlyAFileNotThereYetInAFolderThatIsIsAbsent)
{
    write(dir / "plain", {1});
    const struct {
        fs::path path;
        bool absent;
    } cases[] = {
        {dir / "missing", true},
        {dir / "nowhere" / "memory", false},
        {dir, false},
        {dir / "plain" / "memory", false},
    };
    for (const auto& c : cases) {
        VirtualProcessor processor;
        const MemoryFileResult result = processor.loadFromFile(c.path);
        EXPECT_FALSE(result.ok) << c.path;
        EXPECT_EQ(result.absent, c.absent) << c.path << ": " << result.message;
    }
}

// The file holds both passwords: it is saved as configuration files are, and a new one is its owner's alone.
TEST_F(MemoryFile, IsSavedSafelyAndPrivately)
{
    VirtualProcessor processor;
    const fs::path file = dir / "memory.qxvp";
    const fs::path stale = dir / ".memory.qxvp.quorix-save-Ab12Cd"; // left by a save that was killed
    write(stale, {1, 2, 3});
    ASSERT_TRUE(processor.saveToFile(file).ok);
    EXPECT_FALSE(fs::exists(stale));
#ifndef _WIN32 // a new Windows file takes its folder's access list, private in the user's own folders
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
#endif

    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(file, readOnly);
    processor.setValue(0, 2560, 9);
    const MemoryFileResult refused = processor.saveToFile(file);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.message.find("memory.qxvp"), std::string::npos) << refused.message;
    VirtualProcessor reloaded;
    ASSERT_TRUE(reloaded.loadFromFile(file).ok);
    EXPECT_EQ(reloaded.value(0, 2560), 20);
    EXPECT_EQ(fs::status(file).permissions(), readOnly);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 1);
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add); // Windows removes no read-only file
}

TEST_F(MemoryFile, ContentsThatAFileCouldNotHoldAreRefused)
{
    VirtualProcessor processor;
    ProcessorContents contents = processor.contents();
    contents.current = 8;
    EXPECT_THROW(processor.setContents(contents), std::invalid_argument);
    EXPECT_THROW(processor.setVariant('2'), std::invalid_argument);
    EXPECT_THROW(processor.setPasswords("123", "123456"), std::invalid_argument);
    EXPECT_THROW(processor.setPasswords("1234", "12345a"), std::invalid_argument);
    EXPECT_THROW(processor.setValue(0, 2560, 62500), std::out_of_range);
    EXPECT_THROW(processor.setValue(1, 2560, 1), std::out_of_range); // the common kind has no dance set
    EXPECT_THROW(processor.setValue(0, 0x10, 1), std::out_of_range); // no record there
    EXPECT_EQ(processor.contents(), VirtualProcessor().contents());
}

#include "recording_file_system.h"

#include "core/atomic_save.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quorix;
using Step = test_support::RecordingFileSystem::Step;
namespace fs = std::filesystem;

namespace {

struct AtomicSave : ::testing::Test {
    fs::path dir;

    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("quorix-save-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    static std::span<const std::uint8_t> bytes(const std::string& text)
    {
        return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
    }
    std::string read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::vector<fs::path> entries() { return {fs::directory_iterator(dir), fs::directory_iterator{}}; }
};

} // namespace

// Dropping the flush of the file or of its folder, or writing the target in
// place, leaves a moment where a power cut loses both contents.
TEST_F(AtomicSave, APowerCutAtAnyMomentLeavesTheOldOrTheNewContent)
{
    for (const bool existed : {true, false}) {
        const fs::path target = dir / (existed ? "old.quorix" : "new.quorix");
        if (existed)
            write(target, "old content");
        const std::string before = existed ? "old content" : test_support::RecordingFileSystem::kMissing;
        test_support::RecordingFileSystem files(dir, target.filename().string());

        ASSERT_FALSE(
            core::SaveAtomically(target, bytes("new content"), platform::NewFileAccess::Everyone, files).failed());
        EXPECT_EQ(read(target), "new content");
        EXPECT_EQ(files.surelyOnDisk(), "new content") << "existed " << existed;
        for (const std::string& possible : files.possibleAfterACut())
            EXPECT_TRUE(possible == before || possible == "new content") << possible << ", existed " << existed;
        fs::remove(target);
    }
}

TEST_F(AtomicSave, AStepThatFailsKeepsTheOldFileAndLeavesNoTemporary)
{
    struct Case {
        Step failing;
        const char* onDisk; // a failed folder flush comes after the rename, and is still reported
    };
    const Case cases[] = {
        {Step::WriteNewFile, "old"},
        {Step::SyncFile, "old"},
        {Step::ReplaceFile, "old"},
        {Step::SyncFolder, "new"},
    };
    const fs::path target = dir / "t.quorix";
    for (const Case& c : cases) {
        write(target, "old");
        test_support::RecordingFileSystem files(dir, "t.quorix");
        files.failAt(c.failing);
        EXPECT_TRUE(core::SaveAtomically(target, bytes("new"), platform::NewFileAccess::Everyone, files).failed())
            << static_cast<int>(c.failing);
        EXPECT_EQ(read(target), c.onDisk) << static_cast<int>(c.failing);
        EXPECT_EQ(entries(), std::vector<fs::path>{target}) << static_cast<int>(c.failing);
    }
}

#include "temporary_folder.h"

#include "platform/native_file_system.h"
#include "platform/utf8_path.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace quorix;
namespace fs = std::filesystem;

namespace {

using NativeFileSystem = test_support::TemporaryFolder;

std::span<const std::uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace

TEST_F(NativeFileSystem, ANewFileIsWrittenOnlyWhereNoneExists)
{
    platform::NativeFileSystem files;
    const fs::path path = dir / "a";
    ASSERT_FALSE(files.writeNewFile(path, Bytes("first"), platform::NewFileAccess::Everyone));
    EXPECT_EQ(files.writeNewFile(path, Bytes("second"), platform::NewFileAccess::Everyone), std::errc::file_exists);
    EXPECT_EQ(read(path), "first");
    EXPECT_FALSE(files.syncFile(path));
    EXPECT_TRUE(files.syncFile(dir / "missing"));
}

TEST_F(NativeFileSystem, AReplaceTakesTheNewFilesPlaceAndItsNameIsGone)
{
    platform::NativeFileSystem files;
    write(dir / "target", "old");
    write(dir / "temporary", "new");
    ASSERT_FALSE(files.replaceFile(dir / "temporary", dir / "target"));
    EXPECT_EQ(read(dir / "target"), "new");
    EXPECT_FALSE(fs::exists(dir / "temporary"));
    EXPECT_TRUE(files.replaceFile(dir / "temporary", dir / "target")); // nothing left to move
    EXPECT_EQ(read(dir / "target"), "new");
}

TEST_F(NativeFileSystem, AFolderIsFlushedOrSaysItCannotBe)
{
    platform::NativeFileSystem files;
    const std::error_code error = files.syncFolder(dir);
    EXPECT_TRUE(!error || error == std::errc::not_supported || error == std::errc::invalid_argument) << error.message();
    EXPECT_TRUE(files.syncFolder(dir / "missing"));
}

TEST_F(NativeFileSystem, ANewPrivateFileIsTheOwnersAlone)
{
    platform::NativeFileSystem files;
    ASSERT_FALSE(files.writeNewFile(dir / "private", Bytes("x"), platform::NewFileAccess::OwnerOnly));
    ASSERT_FALSE(files.writeNewFile(dir / "shared", Bytes("x"), platform::NewFileAccess::Everyone));
#ifdef _WIN32
    // Windows has no mode bits: a new file takes its folder's access list, which in the
    // user's own folders is private already. Both are plain writable files.
    EXPECT_EQ(fs::status(dir / "private").permissions(), fs::status(dir / "shared").permissions());
#else
    EXPECT_EQ(fs::status(dir / "private").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_NE(fs::status(dir / "shared").permissions() & fs::perms::owner_write, fs::perms::none);
#endif
}

TEST_F(NativeFileSystem, ChineseNamesReachTheDiskAsTheyAreWritten)
{
    platform::NativeFileSystem files;
    const std::string name = "调音 设置.quorix";
    const fs::path path = dir / platform::PathFromUtf8(name);
    ASSERT_FALSE(files.writeNewFile(path, Bytes("x"), platform::NewFileAccess::Everyone));
    const fs::path found = fs::directory_iterator(dir)->path();
    EXPECT_EQ(platform::PathToUtf8(found.filename()), name);
#ifdef _WIN32
    EXPECT_EQ(found.filename().wstring(), L"调音 设置.quorix");
#else
    EXPECT_EQ(found.filename().native(), name);
#endif
}

#ifndef _WIN32
// What a save's result never shows: a flush that flushes nothing, and a rename
// done as a copy into the target, which a crash halfway would leave half written.
TEST_F(NativeFileSystem, AFlushReachesTheSystemAndAReplaceMovesTheNewFileItself)
{
    platform::NativeFileSystem files;
    // A device cannot be flushed, and a flush that is really asked for says so.
    EXPECT_EQ(files.syncFile("/dev/null"), std::errc::invalid_argument);

    write(dir / "target", "old");
    fs::create_hard_link(dir / "target", dir / "old copy");
    write(dir / "temporary", "new");
    struct stat temporary {};
    ASSERT_EQ(::stat((dir / "temporary").c_str(), &temporary), 0);
    ASSERT_FALSE(files.replaceFile(dir / "temporary", dir / "target"));
    struct stat target {};
    ASSERT_EQ(::stat((dir / "target").c_str(), &target), 0);
    EXPECT_EQ(target.st_ino, temporary.st_ino);
    EXPECT_EQ(read(dir / "old copy"), "old"); // the old file was not written over
}
#endif

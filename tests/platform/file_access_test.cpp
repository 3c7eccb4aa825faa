#include "temporary_folder.h"

#include "platform/file_access.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

using namespace quorix;
namespace fs = std::filesystem;

namespace {

using FileAccess = test_support::TemporaryFolder;

// Whether this system let the test make `link` point at `target`.
bool MakeLink(const fs::path& target, const fs::path& link)
{
#ifdef _WIN32
    // Windows lets an ordinary user create links only in developer mode, and Wine
    // reports success without making one.
    ::CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    const DWORD attributes = ::GetFileAttributesW(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
#else
    fs::create_symlink(target, link);
    return true;
#endif
}

} // namespace

TEST_F(FileAccess, LinksAreFollowedToTheFileTheyNameAndOtherPathsKept)
{
    write(dir / "real", "x");
    std::error_code error;
    EXPECT_EQ(platform::FollowLinks(dir / "real", error), dir / "real");
    EXPECT_FALSE(error);
    EXPECT_EQ(platform::FollowLinks(dir / "not yet", error), dir / "not yet");
    EXPECT_FALSE(error);

    if (!MakeLink(dir / "real", dir / "link"))
        GTEST_SKIP() << "this system does not let the user create symbolic links";
    const fs::path followed = platform::FollowLinks(dir / "link", error);
    ASSERT_FALSE(error) << error.message();
    EXPECT_TRUE(fs::equivalent(followed, dir / "real"));
    EXPECT_EQ(followed.filename(), "real");
}

TEST_F(FileAccess, AReadOnlyFileMayNotBeWritten)
{
    write(dir / "ro", "x");
    write(dir / "rw", "x");
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_TRUE(platform::MayWrite(dir / "rw"));
    EXPECT_FALSE(platform::MayWrite(dir / "missing"));
#ifndef _WIN32
    if (::geteuid() == 0) // root may write any file; the save reads the mode bits itself
        return;
#endif
    EXPECT_FALSE(platform::MayWrite(dir / "ro"));
}

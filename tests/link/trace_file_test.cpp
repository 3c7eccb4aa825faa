#include "link/trace_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using namespace quorix;
namespace fs = std::filesystem;

namespace {

struct TraceFile : ::testing::Test {
    fs::path dir = fs::temp_directory_path() /
                   ("quorix-trace-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));

    void SetUp() override
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(dir / "pushed.quorix", fs::perms::owner_all, ignored);
        fs::remove_all(dir, ignored);
    }

    static std::string read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

} // namespace

TEST_F(TraceFile, RefusesAFolderAndAReadOnlyFile)
{
    std::string problem;
    EXPECT_EQ(link::TraceFile::open(dir, problem), nullptr);
    EXPECT_NE(problem.find("folder"), std::string::npos) << problem;

    // Read-only even to an administrator: no write permission for anyone.
    const fs::path readOnly = dir / "pushed.quorix";
    std::ofstream(readOnly) << "configuration";
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    problem.clear();
    EXPECT_EQ(link::TraceFile::open(readOnly, problem), nullptr);
    EXPECT_NE(problem.find("read-only"), std::string::npos) << problem;
    EXPECT_EQ(read(readOnly), "configuration");
}

TEST_F(TraceFile, WritesThroughALinkToItsTarget)
{
    const fs::path target = dir / "trace.txt";
    std::ofstream(target) << "an older trace, longer than the new one";
    std::error_code linkError;
    fs::create_symlink(target.filename(), dir / "link", linkError);
    if (linkError || !fs::is_symlink(dir / "link"))
        GTEST_SKIP() << "this system does not let the user create symbolic links";
    std::string problem;
    auto trace = link::TraceFile::open(dir / "link", problem);
    ASSERT_NE(trace, nullptr) << problem;
    trace->stream() << "line\n" << std::flush;
    EXPECT_TRUE(trace->close());
    EXPECT_TRUE(fs::is_symlink(dir / "link"));
    EXPECT_EQ(read(target), "line\n");
}

#ifdef __linux__
TEST_F(TraceFile, AWriteThatFailsIsKeptAndToldOnce)
{
    std::string problem;
    auto trace = link::TraceFile::open("/dev/full", problem);
    ASSERT_NE(trace, nullptr) << problem;
    int told = 0;
    trace->onFailure([&] { ++told; });
    for (int line = 0; line < 3; ++line)
        trace->stream() << "   120 TX Handshake      FE 00\n" << std::flush;
    EXPECT_EQ(told, 1);
    EXPECT_NE(trace->failure().find("space"), std::string::npos) << trace->failure();
    EXPECT_FALSE(trace->close());
    EXPECT_EQ(told, 1);
}
#endif

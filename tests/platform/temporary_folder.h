#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace quorix::test_support {

// A fresh folder per test, removed afterwards.
struct TemporaryFolder : ::testing::Test {
    std::filesystem::path dir;

    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              ("quorix-platform-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::permissions(dir / "ro", std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(dir, ignored);
    }

    static std::string read(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void write(const std::filesystem::path& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
};

} // namespace quorix::test_support

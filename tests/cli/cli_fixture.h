#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

// Runs the built quorix-cli with its output and error text together.
struct CliRun {
    int exitCode;
    std::string output;
};

// `shell` runs before it in the same shell, to set limits.
inline CliRun RunCli(const std::string& arguments, const std::string& shell = "")
{
    const std::string command = shell + std::string(QUORIX_CLI) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

struct CliFixture : ::testing::Test {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("quorix-cli-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

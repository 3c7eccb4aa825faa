#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// The system's archive tool (bsdtar, from libarchive-tools), as an installer would use it.
inline std::string RunArchiveTool(const std::string& arguments, const std::filesystem::path& archive)
{
    FILE* pipe = ::popen(("bsdtar " + arguments + " '" + archive.string() + "' 2>&1").c_str(), "r");
    std::string output;
    if (!pipe)
        return output;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    ::pclose(pipe);
    return output;
}

// The names of the files in the archive, one a line.
inline std::string ArchiveListing(const std::filesystem::path& archive)
{
    return RunArchiveTool("-tf", archive);
}

// Every file of the archive, extracted and run together.
inline std::string ArchiveBytes(const std::filesystem::path& archive)
{
    return RunArchiveTool("-xOf", archive);
}

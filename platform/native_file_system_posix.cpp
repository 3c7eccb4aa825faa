#include "native_file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace quorix::platform {

namespace {

std::error_code LastError()
{
    return {errno, std::generic_category()};
}

std::error_code WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? LastError() : std::make_error_code(std::errc::io_error);
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code SyncOpened(const char* path, int flags)
{
    const int fd = ::open(path, flags | O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return LastError();
    std::error_code error;
    if (::fsync(fd) != 0)
        error = LastError();
    ::close(fd);
    return error;
}

} // namespace

std::error_code NativeFileSystem::writeNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                                               NewFileAccess access)
{
    const mode_t mode = access == NewFileAccess::OwnerOnly ? 0600 : 0666;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return LastError();
    std::error_code error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && !error)
        error = LastError();
    if (error)
        ::unlink(path.c_str());
    return error;
}

std::error_code NativeFileSystem::syncFile(const std::filesystem::path& path)
{
    return SyncOpened(path.c_str(), 0);
}

std::error_code NativeFileSystem::replaceFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code{} : LastError();
}

std::error_code NativeFileSystem::syncFolder(const std::filesystem::path& folder)
{
    return SyncOpened(folder.empty() ? "." : folder.c_str(), O_DIRECTORY);
}

} // namespace quorix::platform

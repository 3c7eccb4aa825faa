#include "synced_file.h"

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quorix::core {

namespace {

std::error_code LastError()
{
    return {errno, std::generic_category()};
}

#ifdef _WIN32
int OpenNew(const std::filesystem::path& path)
{
    return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long long WriteSome(int fd, const std::uint8_t* data, std::size_t size)
{
    return ::_write(fd, data, static_cast<unsigned>(size > 0x40000000u ? 0x40000000u : size));
}
int Flush(int fd) { return ::_commit(fd); }
int Close(int fd) { return ::_close(fd); }
#else
int OpenNew(const std::filesystem::path& path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
long long WriteSome(int fd, const std::uint8_t* data, std::size_t size)
{
    return ::write(fd, data, size);
}
int Flush(int fd) { return ::fsync(fd); }
int Close(int fd) { return ::close(fd); }
#endif

std::error_code WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const long long written = WriteSome(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? LastError() : std::make_error_code(std::errc::io_error);
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return {};
}

} // namespace

std::error_code WriteNewFileSynced(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    const int fd = OpenNew(path);
    if (fd < 0)
        return LastError();
    std::error_code error = WriteAll(fd, bytes);
    if (!error && Flush(fd) != 0)
        error = LastError();
    if (Close(fd) != 0 && !error)
        error = LastError();
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
    return error;
}

std::error_code SyncFolder([[maybe_unused]] const std::filesystem::path& folder)
{
#ifdef _WIN32
    return {}; // a rename is made durable by the file system's journal; a folder cannot be flushed here
#else
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return LastError();
    std::error_code error;
    if (::fsync(fd) != 0)
        error = LastError();
    ::close(fd);
    return error;
#endif
}

bool MayWrite(const std::filesystem::path& file)
{
#ifdef _WIN32
    return ::_waccess(file.c_str(), 2) == 0;
#else
    return ::access(file.c_str(), W_OK) == 0;
#endif
}

} // namespace quorix::core

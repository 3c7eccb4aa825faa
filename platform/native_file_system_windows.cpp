#include "native_file_system.h"

#include "windows_error.h"

#include <algorithm>

namespace quorix::platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr std::size_t kLargestWrite = 1u << 30;

std::error_code WriteAll(HANDLE file, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kLargestWrite));
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return WindowsError();
        if (written == 0)
            return std::make_error_code(std::errc::io_error);
        bytes = bytes.subspan(written);
    }
    return {};
}

std::error_code FlushOpened(const std::filesystem::path& path, DWORD flags)
{
    const HANDLE handle =
        ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return WindowsError();
    std::error_code error;
    if (!::FlushFileBuffers(handle))
        error = WindowsError();
    ::CloseHandle(handle);
    return error;
}

} // namespace

std::error_code NativeFileSystem::writeNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                                               NewFileAccess)
{
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return WindowsError();
    std::error_code error = WriteAll(file, bytes);
    if (!::CloseHandle(file) && !error)
        error = WindowsError();
    if (error)
        ::DeleteFileW(path.c_str());
    return error;
}

std::error_code NativeFileSystem::syncFile(const std::filesystem::path& path)
{
    return FlushOpened(path, FILE_ATTRIBUTE_NORMAL);
}

std::error_code NativeFileSystem::replaceFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return WindowsError();
}

std::error_code NativeFileSystem::syncFolder(const std::filesystem::path& folder)
{
    // NTFS flushes a folder opened for writing; elsewhere the write-through rename is what there is.
    return FlushOpened(folder.empty() ? std::filesystem::path(L".") : folder, FILE_FLAG_BACKUP_SEMANTICS);
}

} // namespace quorix::platform

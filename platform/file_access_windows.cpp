#include "file_access.h"

#include "windows_error.h"

#include <string>

namespace quorix::platform {

namespace fs = std::filesystem;

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The final path of a reparse point, as the system resolves it when the file is opened.
fs::path FinalPath(const fs::path& path, std::error_code& error)
{
    const HANDLE handle =
        ::CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = WindowsError(); // a dangling link is refused: Windows has no target to create
        return path;
    }
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (length >= buffer.size()) {
        buffer.resize(length);
        length = ::GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    }
    if (length == 0)
        error = WindowsError();
    else if (length >= buffer.size())
        error = std::make_error_code(std::errc::filename_too_long);
    ::CloseHandle(handle);
    if (error)
        return path;
    buffer.resize(length);
    // The C runtime's calls take no "\\?\" paths: give the plain drive or share form.
    if (buffer.starts_with(LR"(\\?\UNC\)"))
        return fs::path(LR"(\\)" + buffer.substr(8));
    if (buffer.starts_with(LR"(\\?\)"))
        return fs::path(buffer.substr(4));
    return fs::path(buffer);
}

} // namespace

fs::path FollowLinks(const fs::path& path, std::error_code& error)
{
    error.clear();
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = ::GetLastError();
        if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND)
            error = WindowsError(code);
        return path;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return path;
    return FinalPath(path, error);
}

bool MayWrite(const fs::path& file)
{
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    const HANDLE handle =
        ::CreateFileW(file.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_SHARING_VIOLATION; // open elsewhere, yet ours to replace
    ::CloseHandle(handle);
    return true;
}

} // namespace quorix::platform

#pragma once

#include <windows.h>

#include <system_error>

namespace quorix::platform {

// The Windows errors a save tells apart, as the portable conditions the POSIX side
// reports; any other keeps its system code and message.
inline std::error_code WindowsError(DWORD code = ::GetLastError())
{
    switch (code) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return std::make_error_code(std::errc::file_exists);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
        return std::make_error_code(std::errc::permission_denied);
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
        return std::make_error_code(std::errc::not_supported);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::make_error_code(std::errc::no_space_on_device);
    default:
        return {static_cast<int>(code), std::system_category()};
    }
}

} // namespace quorix::platform

#include "trace_file.h"

#include "platform/file_access.h"

#include <cerrno>
#include <system_error>

namespace quorix::link {

namespace fs = std::filesystem;

std::unique_ptr<TraceFile> TraceFile::open(const fs::path& path, std::string& problem)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error && error != std::errc::no_such_file_or_directory) {
        problem = error.message();
        return nullptr;
    }
    if (fs::is_directory(status)) {
        problem = "it is a folder";
        return nullptr;
    }
    // A file without any write permission is read-only even to an administrator.
    constexpr auto kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (fs::is_regular_file(status) &&
        ((status.permissions() & kAnyWrite) == fs::perms::none || !platform::MayWrite(path))) {
        problem = "the file is read-only, or this user may not write it";
        return nullptr;
    }
    std::unique_ptr<TraceFile> trace(new TraceFile);
    errno = 0;
    if (!trace->m_buffer.file.open(path, std::ios::out | std::ios::trunc | std::ios::binary)) {
        problem = errno != 0 ? std::generic_category().message(errno) : "it cannot be opened";
        return nullptr;
    }
    return trace;
}

bool TraceFile::close()
{
    m_stream.flush();
    if (m_buffer.failure.empty()) {
        errno = 0;
        if (!m_buffer.file.close())
            m_buffer.fail();
    }
    return m_buffer.failure.empty();
}

TraceFile::Buffer::int_type TraceFile::Buffer::overflow(int_type c)
{
    if (!failure.empty())
        return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    errno = 0;
    if (traits_type::eq_int_type(file.sputc(traits_type::to_char_type(c)), traits_type::eof())) {
        fail();
        return traits_type::eof();
    }
    return c;
}

std::streamsize TraceFile::Buffer::xsputn(const char* text, std::streamsize count)
{
    if (!failure.empty())
        return 0;
    errno = 0;
    const std::streamsize written = file.sputn(text, count);
    if (written != count)
        fail();
    return written;
}

int TraceFile::Buffer::sync()
{
    if (!failure.empty())
        return -1;
    errno = 0;
    if (file.pubsync() != 0) {
        fail();
        return -1;
    }
    return 0;
}

void TraceFile::Buffer::fail()
{
    failure = errno != 0 ? std::generic_category().message(errno) : "it could not be written whole";
    if (onFailure)
        onFailure();
}

} // namespace quorix::link

#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

namespace quorix::link {

// The file the protocol trace goes to. It is opened as every other output is:
// through a symbolic link to its target, refusing a folder and a file that
// this user may not write or that nobody may write; a device or a pipe is
// written as it is. Each line reaches the file when it is flushed; the first
// write that fails is remembered, and the trace writes nothing after it, so a
// full disk or /dev/full is reported rather than leaving a silently cut trace.
class TraceFile {
public:
    // Null, with the reason in `problem`, when the file cannot be written.
    static std::unique_ptr<TraceFile> open(const std::filesystem::path& path, std::string& problem);

    std::ostream& stream() { return m_stream; }
    // Called once, at the first write that fails.
    void onFailure(std::function<void()> handler) { m_buffer.onFailure = std::move(handler); }
    // Why a write failed; empty while every line has reached the file.
    const std::string& failure() const { return m_buffer.failure; }
    // Flushes and closes the file: false when any of the trace was lost.
    bool close();

private:
    // Passes every write on to the file and keeps the first failure.
    struct Buffer final : std::streambuf {
        std::filebuf file;
        std::string failure;
        std::function<void()> onFailure;

        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* text, std::streamsize count) override;
        int sync() override;
        void fail();
    };

    TraceFile() : m_stream(&m_buffer) {}

    Buffer m_buffer;
    std::ostream m_stream;
};

} // namespace quorix::link

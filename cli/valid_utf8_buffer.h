#pragma once

#include <streambuf>
#include <string>

namespace quorix::cli {

// Passes what is written on to `next` with whatever is not UTF-8 replaced
// (core::ValidUtf8), so no message carries ill-formed text from its input to a
// terminal or a log. A character cut by a flush waits for the rest of it.
class ValidUtf8Buffer final : public std::streambuf {
public:
    explicit ValidUtf8Buffer(std::streambuf& next) : m_next(next) {}
    ~ValidUtf8Buffer() override;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    // Passes on the held text up to its last whole line, or all but an unfinished character.
    void pass(bool wholeLinesOnly);

    std::streambuf& m_next;
    std::string m_held;
};

} // namespace quorix::cli

#include "valid_utf8_buffer.h"

#include "core/valid_utf8.h"

#include <algorithm>

namespace quorix::cli {

namespace {

// How many bytes at the end of `text` begin a character whose rest is still to come.
std::size_t UnfinishedTail(const std::string& text)
{
    const std::size_t lookBack = std::min<std::size_t>(text.size(), 3);
    for (std::size_t back = 1; back <= lookBack; ++back) {
        const auto c = static_cast<unsigned char>(text[text.size() - back]);
        if ((c & 0xC0) == 0x80)
            continue; // a continuation byte: its lead is further back
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

} // namespace

ValidUtf8Buffer::~ValidUtf8Buffer()
{
    const std::string rest = core::ValidUtf8(m_held);
    m_next.sputn(rest.data(), static_cast<std::streamsize>(rest.size()));
    m_next.pubsync();
}

ValidUtf8Buffer::int_type ValidUtf8Buffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    m_held.push_back(traits_type::to_char_type(c));
    if (c == '\n')
        pass(true);
    return c;
}

std::streamsize ValidUtf8Buffer::xsputn(const char* text, std::streamsize count)
{
    m_held.append(text, static_cast<std::size_t>(count));
    pass(true);
    return count;
}

int ValidUtf8Buffer::sync()
{
    pass(false);
    return m_next.pubsync();
}

void ValidUtf8Buffer::pass(bool wholeLinesOnly)
{
    const std::size_t end = wholeLinesOnly ? (m_held.rfind('\n') == std::string::npos ? 0 : m_held.rfind('\n') + 1)
                                           : m_held.size() - UnfinishedTail(m_held);
    if (end == 0)
        return;
    const std::string text = core::ValidUtf8(std::string_view(m_held).substr(0, end));
    m_next.sputn(text.data(), static_cast<std::streamsize>(text.size()));
    m_held.erase(0, end);
}

} // namespace quorix::cli

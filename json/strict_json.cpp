#include "strict_json.h"

#include "core/valid_utf8.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace quorix::json {

namespace {

using nlohmann::ordered_json;

// A refusal stays one line of about 200 characters, whatever the text holds.
constexpr std::size_t kDeepest = 8;       // a configuration nests six containers
constexpr std::size_t kMostFields = 512;  // a page has 256 addresses
constexpr std::size_t kMostElements = 64; // a configuration has twelve pages in three modes
constexpr std::size_t kLongestKey = 24;   // of a key quoted in a path
constexpr std::size_t kLongestPath = 80;
constexpr std::size_t kLongestReason = 90;
constexpr std::size_t kExcerpt = 30; // bytes of text shown before the fault

bool IsIdentifier(const std::string& key)
{
    if (key.empty() || std::isdigit(static_cast<unsigned char>(key[0])))
        return false;
    for (const char c : key)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    return true;
}

// Builds the document while keeping the path of the value being read.
class StrictSax {
public:
    explicit StrictSax(std::string_view text) : m_text(text) {}

    // The SAX interface of nlohmann::json names these methods so.
    // NOLINTBEGIN(readability-identifier-naming)
    bool null() { return value(nullptr); }
    bool boolean(bool v) { return value(v); }
    bool number_integer(ordered_json::number_integer_t v) { return value(v); }
    bool number_unsigned(ordered_json::number_unsigned_t v) { return value(v); }
    bool number_float(ordered_json::number_float_t v, const std::string&) { return value(v); }
    bool string(std::string& v) { return value(std::move(v)); }
    bool binary(ordered_json::binary_t&) { return refuse("binary values are not JSON"); }

    bool start_object(std::size_t) { return open(ordered_json::object()); }
    bool start_array(std::size_t) { return open(ordered_json::array()); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(std::string& k)
    {
        Frame& frame = m_frames.back();
        frame.key = std::move(k);
        frame.hasKey = true;
        if (frame.container->contains(frame.key))
            return refuse("this key comes twice in its object");
        if (frame.container->size() >= kMostFields)
            return refuse("more fields than a configuration has");
        return true;
    }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& error)
    {
        return refuseAt(reason(error.what()), position);
    }
    // NOLINTEND(readability-identifier-naming)

    ordered_json& document() { return m_root; }
    const std::string& refusal() const { return m_refusal; }

private:
    struct Frame {
        ordered_json* container;
        std::string key;
        bool hasKey = false;
    };

    // "[json.exception.parse_error.101] parse error at line 1, column 3: syntax error while parsing
    // value - invalid literal; last read: '...'; expected ..." without the library's prefix, the
    // position (told separately) and the echoed token, which may be megabytes long.
    static std::string reason(std::string what)
    {
        if (const auto end = what.find("] "); what.rfind("[json.exception.", 0) == 0 && end != std::string::npos)
            what.erase(0, end + 2);
        if (what.rfind("parse error", 0) == 0)
            if (const auto colon = what.find(": "); colon != std::string::npos)
                what.erase(0, colon + 2);
        if (what.rfind("syntax error while parsing ", 0) == 0)
            what.erase(0, std::string_view("syntax error while parsing ").size());
        if (const auto at = what.find("; last read: '"); at != std::string::npos) {
            const auto expected = what.rfind("'; expected ");
            what.erase(at, expected == std::string::npos || expected < at ? std::string::npos : expected + 1 - at);
        }
        if (const auto at = what.find(" parsing '"); at != std::string::npos)
            what.erase(at);
        return what;
    }

    std::string path() const
    {
        std::string text;
        for (const Frame& frame : m_frames) {
            if (frame.container->is_array()) {
                // An array holds the open containers inside it already; the value being read comes next.
                const bool innermost = &frame == &m_frames.back();
                text += "[" + std::to_string(frame.container->size() - (innermost ? 0 : 1)) + "]";
            } else if (frame.hasKey) {
                const std::string key = OneLine(frame.key, kLongestKey);
                text += IsIdentifier(frame.key) ? (text.empty() ? "" : ".") + key : "[\"" + key + "\"]";
            }
        }
        return text.empty() ? "the document" : text;
    }

    bool refuse(const std::string& what)
    {
        m_refusal = OneLine(OneLine(path(), kLongestPath) + ": " + what, kLongestRefusal);
        return false;
    }

    bool refuseAt(const std::string& what, std::size_t position)
    {
        position = std::min(position, m_text.size());
        std::size_t line = 1, column = 1;
        for (std::size_t i = 0; i < position; ++i) {
            const bool newline = m_text[i] == '\n';
            line += newline ? 1 : 0;
            column = newline ? 1 : column + 1;
        }
        const std::size_t from = position > kExcerpt ? position - kExcerpt : 0;
        return refuse("not JSON: " + OneLine(what, kLongestReason) + " at line " + std::to_string(line) + ", column " +
                      std::to_string(column) + ", after \"" + OneLine(m_text.substr(from, position - from), kExcerpt) +
                      "\"");
    }

    bool open(ordered_json container)
    {
        if (m_frames.size() >= kDeepest)
            return refuse("nested deeper than a configuration is");
        ordered_json* placed = place(std::move(container));
        if (!placed)
            return false;
        m_frames.push_back({placed, {}, false});
        return true;
    }

    bool close()
    {
        m_frames.pop_back();
        if (!m_frames.empty())
            m_frames.back().hasKey = false;
        return true;
    }

    template <typename T>
    bool value(T&& v)
    {
        if (!place(ordered_json(std::forward<T>(v))))
            return false;
        if (!m_frames.empty())
            m_frames.back().hasKey = false;
        return true;
    }

    ordered_json* place(ordered_json v)
    {
        if (m_frames.empty()) {
            m_root = std::move(v);
            return &m_root;
        }
        Frame& frame = m_frames.back();
        if (frame.container->is_array()) {
            if (frame.container->size() >= kMostElements) {
                refuse("more elements than a configuration has");
                return nullptr;
            }
            frame.container->push_back(std::move(v));
            return &frame.container->back();
        }
        return &((*frame.container)[frame.key] = std::move(v));
    }

    std::string_view m_text;
    ordered_json m_root;
    std::vector<Frame> m_frames;
    std::string m_refusal;
};

} // namespace

std::string OneLine(std::string_view raw, std::size_t limit)
{
    const std::string text = core::ValidUtf8(raw);
    constexpr std::string_view kCut = "…";
    std::string out;
    std::vector<std::size_t> ends; // where each piece of `out` ends, to cut between them
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::string piece;
        if (c == '\n')
            piece = "\\n";
        else if (c == '\t')
            piece = "\\t";
        else if (c < 0x20 || c == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            piece = code;
        } else {
            // A whole UTF-8 sequence at a time, so a cut never splits a character.
            std::size_t length = 1;
            while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80)
                ++length;
            piece = text.substr(i, length);
            i += length - 1;
        }
        if (out.size() + piece.size() > limit) {
            while (!ends.empty() && ends.back() + kCut.size() > limit)
                ends.pop_back();
            out.resize(ends.empty() ? 0 : ends.back());
            out += kCut;
            break;
        }
        out += piece;
        ends.push_back(out.size());
    }
    return out;
}

StrictJson ParseStrictJson(std::string_view text)
{
    StrictSax sax(text);
    bool parsed = false;
    try {
        parsed = ordered_json::sax_parse(text, &sax);
    } catch (const nlohmann::json::exception& error) {
        return {std::nullopt, OneLine(error.what(), kLongestRefusal)};
    }
    if (!parsed)
        return {std::nullopt, sax.refusal()};
    return {std::move(sax.document()), {}};
}

} // namespace quorix::json

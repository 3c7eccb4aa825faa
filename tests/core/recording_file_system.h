#pragma once

#include "platform/native_file_system.h"
#include "platform/utf8_path.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace quorix::test_support {

// Does each call on the disk and keeps a model of what a power cut would leave
// of one watched file: a file's bytes survive once the file was flushed; a
// folder's entries may reach the disk at any moment, and surely do once the
// folder was flushed. A step can be made to fail instead.
class RecordingFileSystem final : public platform::FileSystem {
public:
    enum class Step { WriteNewFile, SyncFile, ReplaceFile, SyncFolder };
    static constexpr const char* kMissing = "<missing>";
    static constexpr const char* kUnflushed = "<unflushed>";

    // Takes the files now in `folder` as safely on the disk.
    RecordingFileSystem(const std::filesystem::path& folder, std::string watched) : m_watched(std::move(watched))
    {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            m_nodes.push_back({{std::istreambuf_iterator<char>(in), {}}, true});
            m_live[name(entry.path())] = m_nodes.size() - 1;
        }
        m_durable = m_live;
    }

    void failAt(Step step) { m_failing = step; }

    // Every content a power cut after one of the calls so far could have left in the watched file.
    const std::set<std::string>& possibleAfterACut() const { return m_possible; }
    // What the watched file holds after a power cut now, whatever the system still delays.
    std::string surelyOnDisk() const { return survivor(m_durable); }

    std::error_code writeNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                                 platform::NewFileAccess access) override
    {
        if (m_failing == Step::WriteNewFile)
            return failure();
        return step(m_native.writeNewFile(path, bytes, access), [&] {
            m_nodes.push_back({{bytes.begin(), bytes.end()}, false});
            m_live[name(path)] = m_nodes.size() - 1;
        });
    }
    std::error_code syncFile(const std::filesystem::path& path) override
    {
        if (m_failing == Step::SyncFile)
            return failure();
        return step(m_native.syncFile(path), [&] { m_nodes.at(m_live.at(name(path))).flushed = true; });
    }
    std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        if (m_failing == Step::ReplaceFile)
            return failure();
        return step(m_native.replaceFile(from, to), [&] {
            m_live[name(to)] = m_live.at(name(from));
            m_live.erase(name(from));
        });
    }
    std::error_code syncFolder(const std::filesystem::path& folder) override
    {
        if (m_failing == Step::SyncFolder)
            return failure();
        return step(m_native.syncFolder(folder), [&] { m_durable = m_live; });
    }

private:
    struct Node {
        std::string bytes;
        bool flushed = false;
    };

    static std::string name(const std::filesystem::path& path) { return platform::PathToUtf8(path.filename()); }
    static std::error_code failure() { return std::make_error_code(std::errc::io_error); }

    std::string survivor(const std::map<std::string, std::size_t>& names) const
    {
        const auto it = names.find(m_watched);
        if (it == names.end())
            return kMissing;
        const Node& node = m_nodes.at(it->second);
        return node.flushed ? node.bytes : kUnflushed;
    }

    template <typename Model>
    std::error_code step(std::error_code done, Model model)
    {
        if (!done)
            model();
        m_possible.insert(survivor(m_live));
        m_possible.insert(survivor(m_durable));
        return done;
    }

    platform::NativeFileSystem m_native;
    std::string m_watched;
    std::optional<Step> m_failing;
    std::vector<Node> m_nodes;
    std::map<std::string, std::size_t> m_live;
    std::map<std::string, std::size_t> m_durable;
    std::set<std::string> m_possible;
};

} // namespace quorix::test_support

#include "atomic_save.h"

#include "synced_file.h"

#include <random>
#include <system_error>

namespace quorix::core {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinkHops = 40;
constexpr int kNameAttempts = 16;

std::string Reason(const std::error_code& error)
{
    return error.message();
}

// Follows symbolic links the way an editor does, so the link stays a link.
fs::path FollowLinks(fs::path path, std::error_code& error)
{
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        if (!fs::is_symlink(fs::symlink_status(path, error)) || error) {
            if (error == std::errc::no_such_file_or_directory)
                error.clear();
            return path;
        }
        const fs::path next = fs::read_symlink(path, error);
        if (error)
            return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return path;
}

void RemoveStaleTemporaries(const fs::path& folder, const std::string& prefix)
{
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

std::error_code WriteTemporary(const fs::path& folder, const std::string& prefix, std::span<const std::uint8_t> bytes,
                               fs::path& temporary)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    std::error_code error;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = prefix;
        for (int i = 0; i < 6; ++i)
            name += kLetters[letter(random)];
        temporary = folder / name;
        error = WriteNewFileSynced(temporary, bytes);
        if (error != std::errc::file_exists)
            return error;
    }
    return error;
}

} // namespace

std::string TemporaryPrefix(const fs::path& target)
{
    return "." + target.filename().string() + ".quorix-save-";
}

std::string SaveAtomically(const fs::path& target, std::span<const std::uint8_t> bytes)
{
    std::error_code error;
    const fs::path file = FollowLinks(target, error);
    if (error)
        return Reason(error);
    const fs::file_status status = fs::status(file, error);
    const bool exists = fs::exists(status);
    if (error && exists)
        return Reason(error);
    if (exists && !fs::is_regular_file(status))
        return "目标不是普通文件";
    // A file without any write permission is read-only even to an administrator.
    constexpr auto anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (exists && ((status.permissions() & anyWrite) == fs::perms::none || !MayWrite(file)))
        return "文件是只读的，或当前用户没有写入权限";

    const fs::path folder = file.parent_path();
    const std::string prefix = TemporaryPrefix(file);
    RemoveStaleTemporaries(folder, prefix);
    fs::path temporary;
    if ((error = WriteTemporary(folder, prefix, bytes, temporary)))
        return Reason(error);

    std::error_code ignored;
    if (exists)
        fs::permissions(temporary, status.permissions(), fs::perm_options::replace, error);
    if (!error)
        fs::rename(temporary, file, error);
    if (error) {
        fs::remove(temporary, ignored);
        return Reason(error);
    }
    // Some file systems cannot flush a folder; the rename is then as durable as they make it.
    error = SyncFolder(folder);
    if (error && error != std::errc::invalid_argument && error != std::errc::not_supported)
        return Reason(error);
    return {};
}

} // namespace quorix::core

#include "atomic_save.h"

#include "platform/file_access.h"
#include "platform/native_file_system.h"
#include "platform/utf8_path.h"

#include <random>
#include <system_error>

namespace quorix::core {

namespace fs = std::filesystem;

namespace {

constexpr int kNameAttempts = 16;
constexpr std::size_t kNameLetters = 6;

SaveFailure Reason(const std::error_code& error)
{
    return {SaveProblem::System, error};
}

void RemoveStaleTemporaries(const fs::path& folder, const std::string& prefix)
{
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = platform::PathToUtf8(it->path().filename());
        if (name.size() == prefix.size() + kNameLetters && name.starts_with(prefix)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

std::error_code WriteTemporary(const fs::path& folder, const std::string& prefix, std::span<const std::uint8_t> bytes,
                               platform::NewFileAccess access, platform::FileSystem& files, fs::path& temporary)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    std::error_code error;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = prefix;
        for (std::size_t i = 0; i < kNameLetters; ++i)
            name += kLetters[letter(random)];
        temporary = folder / platform::PathFromUtf8(name);
        error = files.writeNewFile(temporary, bytes, access);
        if (error != std::errc::file_exists)
            return error;
    }
    return error;
}

} // namespace

std::string TemporaryPrefix(const fs::path& target)
{
    return "." + platform::PathToUtf8(target.filename()) + ".quorix-save-";
}

SaveFailure SaveAtomically(const fs::path& target, std::span<const std::uint8_t> bytes, platform::NewFileAccess access)
{
    platform::NativeFileSystem files;
    return SaveAtomically(target, bytes, access, files);
}

SaveFailure SaveAtomically(const fs::path& target, std::span<const std::uint8_t> bytes, platform::NewFileAccess access,
                           platform::FileSystem& files)
{
    std::error_code error;
    const fs::path file = platform::FollowLinks(target, error);
    if (error)
        return Reason(error);
    const fs::file_status status = fs::status(file, error);
    const bool exists = fs::exists(status);
    if (error && exists)
        return Reason(error);
    if (exists && !fs::is_regular_file(status))
        return {SaveProblem::NotARegularFile, {}};
    // A file without any write permission is read-only even to an administrator.
    constexpr auto kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (exists && ((status.permissions() & kAnyWrite) == fs::perms::none || !platform::MayWrite(file)))
        return {SaveProblem::ReadOnly, {}};

    const fs::path folder = file.parent_path();
    const std::string prefix = TemporaryPrefix(file);
    RemoveStaleTemporaries(folder, prefix);
    fs::path temporary;
    if ((error = WriteTemporary(folder, prefix, bytes, access, files, temporary)))
        return Reason(error);

    if (exists)
        fs::permissions(temporary, status.permissions(), fs::perm_options::replace, error);
    if (!error)
        error = files.syncFile(temporary);
    if (!error)
        error = files.replaceFile(temporary, file);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return Reason(error);
    }
    // Some file systems cannot flush a folder; the rename is then as durable as they make it.
    error = files.syncFolder(folder);
    if (error && error != std::errc::invalid_argument && error != std::errc::not_supported)
        return Reason(error);
    return {};
}

} // namespace quorix::core

#include "support_bundle.h"

#include "core/atomic_save.h"

#include <archive.h>
#include <archive_entry.h>

#include <ctime>
#include <memory>

namespace quorix::support {

namespace {

la_ssize_t Append(archive*, void* target, const void* buffer, size_t length)
{
    auto& out = *static_cast<std::vector<std::uint8_t>*>(target);
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    out.insert(out.end(), bytes, bytes + length);
    return static_cast<la_ssize_t>(length);
}

std::string Failure(archive* writer)
{
    const char* why = archive_error_string(writer);
    return std::string("the bundle could not be packed: ") + (why ? why : "unknown error");
}

} // namespace

BundleFile TextFile(std::string name, const std::string& text)
{
    return {std::move(name), {text.begin(), text.end()}};
}

std::string PackBundle(const std::vector<BundleFile>& files, std::vector<std::uint8_t>& out)
{
    out.clear();
    const std::unique_ptr<archive, decltype(&archive_write_free)> writer(archive_write_new(), archive_write_free);
    archive* a = writer.get();
    if (archive_write_set_format_zip(a) != ARCHIVE_OK || archive_write_zip_set_compression_deflate(a) != ARCHIVE_OK ||
        archive_write_set_bytes_in_last_block(a, 1) != ARCHIVE_OK ||
        archive_write_open(a, &out, nullptr, Append, nullptr) != ARCHIVE_OK)
        return Failure(a);
    const std::time_t now = std::time(nullptr);
    for (const BundleFile& file : files) {
        const std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                                  archive_entry_free);
        archive_entry_set_pathname(entry.get(), file.name.c_str());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), static_cast<la_int64_t>(file.bytes.size()));
        archive_entry_set_mtime(entry.get(), now, 0);
        if (archive_write_header(a, entry.get()) != ARCHIVE_OK)
            return Failure(a);
        if (!file.bytes.empty() &&
            archive_write_data(a, file.bytes.data(), file.bytes.size()) != static_cast<la_ssize_t>(file.bytes.size()))
            return Failure(a);
    }
    if (archive_write_close(a) != ARCHIVE_OK)
        return Failure(a);
    return {};
}

BundleSaved SaveBundle(const std::filesystem::path& path, const std::vector<BundleFile>& files)
{
    std::vector<std::uint8_t> archive;
    if (std::string problem = PackBundle(files, archive); !problem.empty())
        return {.packing = std::move(problem)};
    return {.save = core::SaveAtomically(path, archive, platform::NewFileAccess::OwnerOnly)};
}

} // namespace quorix::support

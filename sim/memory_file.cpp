#include "memory_file.h"

#include "core/atomic_save.h"
#include "platform/utf8_path.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace quorix::sim {

namespace {

constexpr std::string_view kSignature = "QXVPROC1";

template <typename Visit>
void ForEachBlock(Visit visit)
{
    for (int set = 0; set < ProcessorMemory::kSets; ++set)
        for (int kind = 0; kind < layout::kKindCount; ++kind)
            if (ProcessorMemory::holds(set, kind))
                visit(set, kind);
}

std::size_t MemorySize()
{
    std::size_t size = 0;
    ForEachBlock([&](int, int kind) { size += layout::BlockSize(kind); });
    return size;
}

void AppendMemory(std::vector<std::uint8_t>& out, const ProcessorMemory& memory)
{
    ForEachBlock([&](int set, int kind) {
        const auto block = memory.block(set, kind);
        out.insert(out.end(), block.begin(), block.end());
    });
}

void ReadMemory(std::span<const std::uint8_t> bytes, ProcessorMemory& memory)
{
    std::size_t position = 0;
    ForEachBlock([&](int set, int kind) {
        const auto block = memory.block(set, kind);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(position), block.size(), block.begin());
        position += block.size();
    });
}

bool Digits(std::span<const std::uint8_t> bytes, std::string& text)
{
    if (!std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b >= '0' && b <= '9'; }))
        return false;
    text.assign(bytes.begin(), bytes.end());
    return true;
}

MemoryFileResult Refused(std::string message)
{
    return {false, std::move(message)};
}

} // namespace

std::size_t MemoryFileSize()
{
    return kMemoryFileHeader + (1 + kPresetCount) * MemorySize();
}

std::vector<std::uint8_t> EncodeProcessorContents(const ProcessorContents& contents)
{
    std::vector<std::uint8_t> out(kSignature.begin(), kSignature.end());
    out.push_back(static_cast<std::uint8_t>(contents.variant));
    out.push_back(static_cast<std::uint8_t>(contents.current));
    out.insert(out.end(), contents.lockPassword.begin(), contents.lockPassword.end());
    out.insert(out.end(), contents.rightsPassword.begin(), contents.rightsPassword.end());
    AppendMemory(out, contents.working);
    for (const ProcessorMemory& preset : contents.presets)
        AppendMemory(out, preset);
    return out;
}

MemoryFileResult DecodeProcessorContents(std::span<const std::uint8_t> bytes, ProcessorContents& contents)
{
    const std::size_t head = std::min(bytes.size(), kSignature.size());
    if (bytes.empty() ||
        !std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(head), kSignature.begin()))
        return Refused("not a virtual processor memory file (no QXVPROC1 signature)");
    if (bytes.size() < MemoryFileSize())
        return Refused("truncated: " + std::to_string(bytes.size()) + " of " + std::to_string(MemoryFileSize()) +
                       " bytes");
    if (bytes.size() > MemoryFileSize())
        return Refused("longer than the " + std::to_string(MemoryFileSize()) + " bytes of a memory file");
    ProcessorContents read;
    read.variant = static_cast<char>(bytes[8]);
    if (read.variant != '1' && read.variant != '3')
        return Refused("model variant " + std::to_string(bytes[8]) + " is neither '1' nor '3'");
    read.current = bytes[9];
    if (read.current >= kPresetCount)
        return Refused("preset in use " + std::to_string(read.current) + " is not 0..7");
    if (!Digits(bytes.subspan(10, kLockDigits), read.lockPassword) ||
        !Digits(bytes.subspan(10 + kLockDigits, kRightsDigits), read.rightsPassword))
        return Refused("a password holds something other than digits");
    const auto memories = bytes.subspan(kMemoryFileHeader);
    const auto bad =
        std::find_if(memories.begin(), memories.end(), [](std::uint8_t b) { return b >= wire::kDigitBase; });
    if (bad != memories.end())
        return Refused("byte " + std::to_string(kMemoryFileHeader + static_cast<std::size_t>(bad - memories.begin())) +
                       " (" + std::to_string(*bad) + ") is not a base-250 digit");
    const std::size_t size = MemorySize();
    ReadMemory(memories.first(size), read.working);
    for (std::size_t p = 0; p < read.presets.size(); ++p)
        ReadMemory(memories.subspan((p + 1) * size, size), read.presets[p]);
    contents = std::move(read);
    return {true, {}};
}

MemoryFileResult SaveProcessorFile(const std::filesystem::path& path, const ProcessorContents& contents)
{
    // It holds both passwords in clear: a new file is for its owner's eyes only.
    const core::SaveFailure failure =
        core::SaveAtomically(path, EncodeProcessorContents(contents), platform::NewFileAccess::OwnerOnly);
    if (failure.failed())
        return Refused("cannot save " + platform::PathToUtf8(path) + ": " +
                       (failure.problem == core::SaveProblem::System ? failure.error.message() : "not writable"));
    return {true, {}};
}

MemoryFileResult LoadProcessorFile(const std::filesystem::path& path, ProcessorContents& contents)
{
    namespace fs = std::filesystem;
    const std::string name = platform::PathToUtf8(path);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error == std::errc::no_such_file_or_directory) {
        std::error_code ignored;
        const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
        if (!fs::is_directory(folder, ignored))
            return Refused("cannot open " + name + ": its folder does not exist");
        MemoryFileResult result = Refused(name + " does not exist");
        result.absent = true;
        return result;
    }
    if (error)
        return Refused("cannot open " + name + ": " + error.message());
    // A pipe or a device would hang the reader or never end.
    if (!fs::is_regular_file(status))
        return Refused(name + " is not a regular file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Refused("cannot open " + name);
    // One byte more than a memory file holds is enough to refuse a longer file.
    std::vector<std::uint8_t> bytes(MemoryFileSize() + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    MemoryFileResult result = DecodeProcessorContents(bytes, contents);
    if (!result.ok)
        result.message = name + ": " + result.message;
    return result;
}

} // namespace quorix::sim

#include "read_small_file.h"

#include <fstream>
#include <system_error>

namespace quorix::core {

SmallFile ReadSmallFile(const std::filesystem::path& path, std::uintmax_t limit)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status))
        return {SmallFileProblem::Unreadable, {}};
    if (!std::filesystem::is_regular_file(status))
        return {SmallFileProblem::NotARegularFile, {}};
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return {SmallFileProblem::Unreadable, {}};
    if (size > limit)
        return {SmallFileProblem::TooLarge, {}};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {SmallFileProblem::Unreadable, {}};
    // Read in pieces, no further than one piece past the limit, in case the file grew since it was measured.
    std::string bytes;
    char piece[65536];
    while (in.read(piece, sizeof piece) || in.gcount() > 0) {
        bytes.append(piece, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > limit)
            return {SmallFileProblem::TooLarge, {}};
    }
    if (in.bad())
        return {SmallFileProblem::Unreadable, {}};
    return {SmallFileProblem::None, std::move(bytes)};
}

} // namespace quorix::core

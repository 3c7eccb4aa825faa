#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace quorix::core {

// A bad index into the store or a table is a programming error: fail loudly and
// name the index rather than touch neighbouring memory.
class IndexError : public std::out_of_range {
public:
    IndexError(const char* what, long long index, long long first, long long last)
        : std::out_of_range(std::string(what) + " index " + std::to_string(index) + " outside " +
                            std::to_string(first) + ".." + std::to_string(last))
    {}
};

inline std::size_t CheckIndex(const char* what, long long index, long long first, long long last)
{
    if (index < first || index > last)
        throw IndexError(what, index, first, last);
    return static_cast<std::size_t>(index - first);
}

} // namespace quorix::core

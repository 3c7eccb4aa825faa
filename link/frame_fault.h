#pragma once

#include <stdexcept>
#include <string>

namespace quorix::link {

// A request that cannot be built or a reply that cannot be decoded: the block
// routines catch it and report it through their own error message.
class FrameFault : public std::runtime_error {
public:
    explicit FrameFault(const std::string& what) : std::runtime_error(what) {}
};

} // namespace quorix::link

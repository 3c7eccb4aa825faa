#pragma once

#include "link/link_host.h"

#include <optional>
#include <ostream>

namespace quorix::cli {

// The link's screen, as lines on the terminal.
class CliHost final : public link::LinkHost {
public:
    explicit CliHost(std::ostream& out) : m_out(out) {}

    std::optional<bool> synchronisation() const { return m_synchronised; }

    void report(const link::LinkReport& report) override;

private:
    std::ostream& m_out;
    std::optional<bool> m_synchronised;
};

} // namespace quorix::cli

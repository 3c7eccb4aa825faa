#pragma once

#include "link/null_link_host.h"

#include <optional>
#include <ostream>

namespace quorix::cli {

// The link's screen, as lines on the terminal.
class CliHost final : public link::NullLinkHost {
public:
    explicit CliHost(std::ostream& out) : m_out(out) {}

    std::optional<bool> synchronisation() const { return m_synchronised; }

    void showMessage(std::string_view text, link::MessageIcon icon) override;
    void setProgress(int value, int maximum) override;
    void ApplyDeviceVariant(bool variantFlag) override;
    void synchronised(bool ok) override { m_synchronised = ok; }

private:
    std::ostream& m_out;
    std::optional<bool> m_synchronised;
};

} // namespace quorix::cli

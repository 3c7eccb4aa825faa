#pragma once

#include <cstdint>
#include <optional>

namespace quorix::ui {

// Whether a loss of the link is told in a message box. The first loss of an
// outage is; a loss before the link has stayed up for 30 s since it came back
// belongs to the same outage and shows in the caption only.
class LossNotice {
public:
    static constexpr std::int64_t kSteadyMs = 30000;

    void online(std::int64_t nowMs) { m_onlineSince = nowMs; }
    // A loss at `nowMs`: true when it is to be told.
    bool lost(std::int64_t nowMs);

private:
    std::optional<std::int64_t> m_onlineSince;
    bool m_outage = false; // a loss was told, and the link has not stayed up since
};

} // namespace quorix::ui

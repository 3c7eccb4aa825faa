#include "loss_notice.h"

namespace quorix::ui {

bool LossNotice::lost(std::int64_t nowMs)
{
    const bool steady = m_onlineSince && nowMs - *m_onlineSince >= kSteadyMs;
    const bool tell = !m_outage || steady;
    m_outage = true;
    m_onlineSince.reset();
    return tell;
}

} // namespace quorix::ui

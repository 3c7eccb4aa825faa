#pragma once

#include "link_report.h"

namespace quorix::link {

// The link's one way to its screen. A report comes from inside a link step:
// a host that shows a message box does so after that step has returned, never
// from inside report().
class LinkHost {
public:
    virtual ~LinkHost() = default;
    virtual void report(const LinkReport& report) = 0;
};

} // namespace quorix::link

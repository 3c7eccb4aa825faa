#pragma once

#include "link_host.h"

namespace quorix::link {

// A host with no screen. Tools and tests override it to watch what they need.
class NullLinkHost : public LinkHost {
public:
    void report(const LinkReport&) override {}
};

} // namespace quorix::link

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string_view>

namespace quorix::presets {

// A notice the window shows without blocking itself, with a button that gives
// up what the notice waits for.
class WaitingNotice {
public:
    virtual ~WaitingNotice() = default;
    virtual void showWaiting(std::string_view text, std::function<void()> onCancel) = 0;
    virtual void hideWaiting() = 0;
};

} // namespace quorix::presets

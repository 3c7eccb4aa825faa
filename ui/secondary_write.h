#pragma once

#include "core/param_store.h"

#include <functional>

namespace quorix::ui {

// What a control of a secondary window does with a change: it stores the raw
// value at mode index 0 (or into both modes, for a shared value) and writes that
// one parameter to the processor; the link sends nothing while offline.
class SecondaryWrite {
public:
    SecondaryWrite(core::ParamStore& store, std::function<bool(int address)> writeParam);

    void store(int address, int value, bool bothModes = false);
    void send(int address);
    void operator()(int address, int value, bool bothModes = false)
    {
        store(address, value, bothModes);
        send(address);
    }

    const core::ParamStore& values() const { return m_store; }

private:
    core::ParamStore& m_store;
    std::function<bool(int)> m_writeParam;
};

} // namespace quorix::ui

#pragma once

namespace quorix::core {

// Where the edit path hands its writes. The link implements it: it queues the
// single-parameter write of (mode index, address), builds the frame from the
// store when it goes on the wire, and sends nothing while offline.
class ParamWriter {
public:
    virtual ~ParamWriter() = default;
    // Returns at once; a failure comes back later as the link's own event.
    virtual void queueWrite(int mode, int address) = 0;
};

// For tools with no processor: edits stay in the store.
class NullParamWriter final : public ParamWriter {
public:
    void queueWrite(int, int) override {}
};

} // namespace quorix::core

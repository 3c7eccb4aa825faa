#pragma once

#include "param_store.h"

namespace quorix::core {

// Where what the processor holds comes into the store: the copies a block read
// brings, and the tone the processor resets by itself. In the console this is
// the tuning document, so the views hear of every copy; a program with no views
// (quorix-cli, the agent, the soak) takes them straight into its store.
class StoreTaker {
public:
    virtual ~StoreTaker() = default;
    // One copy set as the processor holds it: nothing is written back, no undo step is made.
    virtual void setCopy(int mode, int address, const ParamRecord& record) = 0;
};

// Takes copies straight into a store that no view shows.
class StoreCopies final : public StoreTaker {
public:
    explicit StoreCopies(ParamStore& store) : m_store(store) {}
    void setCopy(int mode, int address, const ParamRecord& record) override { m_store.at(mode, address) = record; }

private:
    ParamStore& m_store;
};

// The dance copy of every shared parameter takes its singing copy, as far as they differ.
void MirrorSharedParameters(const ParamStore& store, StoreTaker& taker);

} // namespace quorix::core

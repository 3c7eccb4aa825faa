#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace quorix::core {

// How the processor is known to hold the store's value of one parameter copy.
enum class CopyState : std::uint8_t {
    Read,          // read from it, or taken from what was read
    Acknowledged,  // written and the write answered
    Queued,        // a write is on its way
    EditedOffline, // changed on screen while no write could go out
    Lost,          // a write that never arrived, or a transfer cut off part way
    Unreadable,    // never read nor written: the console's own value
};

// What the processor holds, per parameter copy (mode index 0 or 1 × flat
// address; addresses 2048 and above exist at mode index 0 only). The link keeps
// it: every write it queues, answers or loses, and every completed block read.
// The console is in step only when nothing is queued, edited offline or lost;
// a copy stays marked until a write of it is answered or it is read again.
class ProcessorRecord {
public:
    // Nothing read yet: every copy holds the console's own value.
    ProcessorRecord();

    CopyState state(int mode, int address) const;
    bool inStep() const;                                  // nothing Queued, EditedOffline or Lost
    std::vector<std::pair<int, int>> unconfirmed() const; // (mode, address) Queued/EditedOffline/Lost, by address
    // Copies still holding the console's own value (Unreadable), by address.
    std::vector<std::pair<int, int>> neverRead() const;

    // Whether a block read can bring this copy back: kinds 0, 1, 3, 4 and 7 in
    // both modes (the dance set through its own block preset), kinds 8 and 10.
    static bool readable(int mode, int address);

    void writeQueued(int mode, int address);
    void editedOffline(int mode, int address);
    void writeAcknowledged(int mode, int address);
    void writeLost(int mode, int address);
    void read(int mode, int address);
    // Every copy of kind `kind` at `mode` was read into the store.
    void kindRead(int mode, int kind);
    // A transfer that changes the processor's memory was cut off: what it
    // meant to write is unknown on the processor; copies already marked stay.
    void transferCutOff(int mode, int firstAddress, int lastAddress);
    // The processor put values of its own over these copies (a preset recall):
    // what was read or written before is gone; other marks stay.
    void replacedByProcessor(int mode, int firstAddress, int lastAddress);

    // The store was laid out anew: every copy holds the console's own value again.
    void reset();

    // Told of every change of state, with the copy that changed.
    void setListener(std::function<void(int mode, int address)> listener) { m_listener = std::move(listener); }

private:
    static int index(int mode, int address);
    void set(int mode, int address, CopyState state);

    std::vector<CopyState> m_states;
    int m_unconfirmed = 0;
    std::function<void(int, int)> m_listener;
};

// Whether a copy in `state` is one the console must still bring into step.
inline bool Unconfirmed(CopyState state)
{
    return state == CopyState::Queued || state == CopyState::EditedOffline || state == CopyState::Lost;
}

} // namespace quorix::core

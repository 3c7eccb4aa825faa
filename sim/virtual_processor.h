#pragma once

#include "link/frame.h"

#include "core/param_store.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace quorix::sim {

// The processor side of the protocol, for use without hardware.
//
// Memory. The processor runs its *working settings*: a store of the console's
// shape holding the singing (mode index 0) and dance (mode index 1) sets of
// kinds 0..7 and, at mode index 0, the global kinds 8..10. Beside it lie eight
// *presets* 0..7 (KTV, PRO, SPCH, USER1..USER5), each a full copy of working
// settings; `current` names the preset in use and ReadStatus reports it.
// - Single writes (WriteParam) and block writes change the working settings.
// - A block read or block write naming a preset other than the current one first
//   *recalls* it: its copy replaces the working settings' kinds 0..7 and it
//   becomes current. Global kinds are not part of a recall.
// - StoreMode p copies the working settings into preset p and makes it current;
//   the factory presets 0..2 cannot be overwritten (the request is acknowledged).
// - Block data travel from and to the singing set; a preset number of 11 or more
//   addresses the dance set of the current preset.
// - Everything starts from the console's defaults; the factory presets hold
//   three distinct tunings (see factory_presets.h) and USER1..5 start as KTV.
// Passwords (keyboard lock 4 digits, rights 6 digits) are kept here and only here.
class VirtualProcessor {
public:
    using Bytes = link::Bytes;

    VirtualProcessor();

    // Bytes written by the console (the payload of its output reports), in order.
    void receive(std::span<const std::uint8_t> bytes);
    // Where the processor's answers go (frames and single signal bytes).
    void setOutput(std::function<void(const Bytes&)> output) { m_output = std::move(output); }

    void setVariant(char variant) { m_variant = variant; }
    void setPasswords(std::string lock, std::string rights);
    const std::string& lockPassword() const { return m_lockPassword; }
    const std::string& rightsPassword() const { return m_rightsPassword; }

    const core::ParamStore& working() const { return m_working; }
    core::ParamStore& working() { return m_working; }
    const core::ParamStore& preset(int number) const;
    int currentPreset() const { return m_current; }

    // Sends the tone-reset byte and sets the tone back to its neutral step.
    void sendToneReset();

    // Faults, for tests and demonstrations.
    void dropNextReplies(int count) { m_dropReplies = count; }
    void corruptNextChecksum() { m_corruptChecksum = true; }
    // The next block-read reply carries `delta` bytes more (or fewer) than it should.
    void resizeNextBlock(int delta) { m_blockDelta = delta; }
    void setKeepAliveSilent(bool silent) { m_keepAliveSilent = silent; }

    int requestsReceived() const { return m_requests; }

private:
    void handleFrame(std::span<const std::uint8_t> frame);
    void reply(Bytes payload);
    void recall(int number);
    Bytes readBlock(int preset, int kind);
    void writeBlock(int preset, int kind, std::span<const std::uint8_t> data);
    char passwordAnswer(int kind, int operation, std::span<const std::uint8_t> digits);

    core::ParamStore m_working;
    std::array<core::ParamStore, 8> m_presets;
    int m_current = 0;
    char m_variant = '1';
    std::string m_lockPassword = "0000";
    std::string m_rightsPassword = "000000";
    std::function<void(const Bytes&)> m_output;

    Bytes m_frame; // request being assembled
    int m_requests = 0;
    int m_dropReplies = 0;
    bool m_corruptChecksum = false;
    int m_blockDelta = 0;
    bool m_keepAliveSilent = false;
};

} // namespace quorix::sim

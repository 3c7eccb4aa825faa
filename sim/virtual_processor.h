#pragma once

#include "memory_file.h"
#include "processor_contents.h"
#include "refusal_log.h"
#include "request_assembler.h"

#include "core/param_store.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace quorix::sim {

// The processor side of the protocol, for use without hardware. It reads and
// writes the wire with its own code (wire_format, kind_layout), never with the
// console's, and answers nothing it would not understand: every refused report,
// frame or request is written to refusals() with its reason.
//
// Memory. The processor runs its *working settings*: the singing (mode 0) and
// dance (mode 1) sets of kinds 0..7 and, in the singing set, the global kinds
// 8..10. Beside them lie eight *presets* 0..7 (KTV, PRO, SPCH, USER1..USER5),
// each a full copy of working settings; `current` names the preset in use and
// ReadStatus reports it.
// - Single writes (WriteParam) change the working settings.
// - A block read or write naming a preset other than the current one first
//   *recalls* it: its kinds 0..7 replace the working settings' and it becomes
//   current. Global kinds are not part of a recall.
// - A block write lands in the working settings and, for a user preset, in that
//   preset's stored copy too (opening a file while USER2 is in use rewrites USER2).
// - StoreMode p (3..7) copies the working settings into preset p and makes it current.
// - Block data travel from and to the singing set; a preset number of 11 or more
//   moves the dance set of the current preset.
// - Everything starts from the console's defaults; the factory presets hold
//   three distinct tunings (see factory_presets.h) and USER1..5 start as KTV.
// Passwords (keyboard lock 4 digits, rights 6 digits) are kept here and only here.
class VirtualProcessor final : private RequestAssembler::Events {
public:
    using Bytes = std::vector<std::uint8_t>;

    VirtualProcessor();

    // Bytes written by the console (the payload of its output reports), in order.
    void receive(std::span<const std::uint8_t> bytes);
    // Where the processor's answers go (frames and single signal bytes).
    void setOutput(std::function<void(const Bytes&)> output) { m_output = std::move(output); }
    // The USB connection went away: a request cut short is forgotten.
    void dropPartialRequest() { m_assembler.reset(); }

    void setVariant(char variant);
    char variant() const { return m_contents.variant; }
    // 4 and 6 digits; anything else throws std::invalid_argument.
    void setPasswords(std::string lock, std::string rights);
    const std::string& lockPassword() const { return m_contents.lockPassword; }
    const std::string& rightsPassword() const { return m_contents.rightsPassword; }
    int currentPreset() const { return m_contents.current; }

    // The memory seen in the console's shape (a copy; change it with the setters).
    const core::ParamStore working() const;
    const core::ParamStore preset(int number) const;
    // Single records of the working settings; mode 0 singing, 1 dance. A record
    // that does not exist, or a value that cannot travel, throws std::out_of_range.
    int value(int mode, int address) const { return m_contents.working.value(mode, address); }
    void setValue(int mode, int address, int value) { m_contents.working.setValue(mode, address, value); }
    BandSetting band(int mode, int address) const { return m_contents.working.band(mode, address); }
    void setBand(int mode, int address, const BandSetting& band) { m_contents.working.setBand(mode, address, band); }

    // The whole memory: working settings, presets, preset in use, variant, passwords.
    const ProcessorContents& contents() const { return m_contents; }
    void setContents(ProcessorContents contents);
    MemoryFileResult saveToFile(const std::filesystem::path& path) const;
    // A file that is not a whole memory file is refused and changes nothing.
    MemoryFileResult loadFromFile(const std::filesystem::path& path);

    // Sends the tone-reset byte and sets the tone back to its neutral step.
    void sendToneReset();

    // Faults, for tests and demonstrations.
    void dropNextReplies(int count) { m_dropReplies = count; }
    void corruptNextChecksum() { m_corruptChecksum = true; }
    // The next block-read reply carries `delta` bytes more (or fewer) than it should.
    void resizeNextBlock(int delta) { m_blockDelta = delta; }
    void setKeepAliveSilent(bool silent) { m_keepAliveSilent = silent; }
    // Block requests that name the dance set (preset number 11 or more) get no answer.
    void setDanceSetSilent(bool silent) { m_danceSetSilent = silent; }
    // Each of the next `count` replies goes out twice.
    void duplicateNextReplies(int count) { m_duplicateReplies = count; }
    // The next request is answered with a valid frame that belongs to another
    // request: the handshake answer, or for a handshake the status answer.
    void answerNextWithWrongCommand() { m_wrongCommand = true; }
    // The next block write is answered but lost: the memory keeps what it held.
    void loseNextBlockWrite() { m_loseBlockWrite = true; }
    // The next block reply with a band carries, in its first band, gain 34 341 and
    // Q index 55 429 under a checksum that matches: noise that passed it.
    void garbleNextBlock() { m_garbleBlock = true; }
    // These bytes interrupt the next reply frame halfway through.
    void insertNoiseInNextReply(Bytes noise) { m_noise = std::move(noise); }

    // Whether a fault is still waiting for its reply, so the line is not yet clean.
    bool faultPending() const { return m_dropReplies > 0 || m_corruptChecksum || !m_noise.empty(); }
    bool keepAliveSilent() const { return m_keepAliveSilent; }

    // Requests understood (answered or not, as the faults decide).
    int requestsReceived() const { return m_requests; }
    const RefusalLog& refusals() const { return m_refusals; }
    RefusalLog& refusals() { return m_refusals; }

private:
    void onKeepAlive() override;
    void onRequest(std::span<const std::uint8_t> frame) override;
    void onRefused(std::string reason, std::span<const std::uint8_t> bytes) override;

    Bytes answer(std::span<const std::uint8_t> frame);
    Bytes handshakeAnswer() const;
    Bytes statusAnswer() const;
    void reply(Bytes payload);
    void transmit(const Bytes& bytes);
    void recall(int number);
    Bytes readBlock(int preset, int kind);
    void writeBlock(int preset, int kind, std::span<const std::uint8_t> data);
    char passwordAnswer(int kind, int operation, std::span<const std::uint8_t> digits);

    ProcessorContents m_contents;
    std::function<void(const Bytes&)> m_output;
    RequestAssembler m_assembler;
    RefusalLog m_refusals;

    int m_requests = 0;
    int m_dropReplies = 0;
    bool m_corruptChecksum = false;
    int m_blockDelta = 0;
    bool m_keepAliveSilent = false;
    bool m_danceSetSilent = false;
    int m_duplicateReplies = 0;
    bool m_wrongCommand = false;
    bool m_loseBlockWrite = false;
    bool m_garbleBlock = false;
    Bytes m_noise;
};

} // namespace quorix::sim

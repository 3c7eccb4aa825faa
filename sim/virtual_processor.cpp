#include "virtual_processor.h"

#include "factory_presets.h"
#include "kind_layout.h"
#include "store_bridge.h"
#include "wire_format.h"

#include "core/address_map.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace quorix::sim {

namespace {

constexpr int kToneAddress = 0xA26;
constexpr int kNeutralTone = 5;

bool IsDigits(const std::string& text, std::size_t count)
{
    return text.size() == count && text.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

VirtualProcessor::VirtualProcessor()
{
    for (int p = 0; p < kPresetCount; ++p) {
        core::ParamStore tuning = core::DefaultParamStore();
        ApplyFactoryTuning(tuning, p);
        m_contents.presets[static_cast<std::size_t>(p)] = MemoryFromStore(tuning);
    }
    m_contents.working = m_contents.presets[0];
}

void VirtualProcessor::setVariant(char variant)
{
    if (variant != '1' && variant != '3')
        throw std::invalid_argument("the model variant is '1' or '3'");
    m_contents.variant = variant;
}

void VirtualProcessor::setPasswords(std::string lock, std::string rights)
{
    if (!IsDigits(lock, kLockDigits) || !IsDigits(rights, kRightsDigits))
        throw std::invalid_argument("passwords are 4 and 6 digits");
    m_contents.lockPassword = std::move(lock);
    m_contents.rightsPassword = std::move(rights);
}

const core::ParamStore VirtualProcessor::working() const
{
    return StoreFromMemory(m_contents.working);
}

const core::ParamStore VirtualProcessor::preset(int number) const
{
    if (number < 0 || number >= kPresetCount)
        throw std::out_of_range("no preset " + std::to_string(number));
    return StoreFromMemory(m_contents.presets[static_cast<std::size_t>(number)]);
}

void VirtualProcessor::setContents(ProcessorContents contents)
{
    // Through the encoding, so that contents made in code obey the file's rules too.
    const MemoryFileResult result = DecodeProcessorContents(EncodeProcessorContents(contents), m_contents);
    if (!result.ok)
        throw std::invalid_argument(result.message);
}

MemoryFileResult VirtualProcessor::saveToFile(const std::filesystem::path& path) const
{
    return SaveProcessorFile(path, m_contents);
}

MemoryFileResult VirtualProcessor::loadFromFile(const std::filesystem::path& path)
{
    return LoadProcessorFile(path, m_contents);
}

void VirtualProcessor::sendToneReset()
{
    m_contents.working.setValue(0, kToneAddress, kNeutralTone);
    transmit({wire::kToneReset});
}

void VirtualProcessor::receive(std::span<const std::uint8_t> bytes)
{
    m_assembler.receive(bytes, *this);
}

void VirtualProcessor::onKeepAlive()
{
    if (!m_keepAliveSilent)
        transmit({wire::kKeepAlive});
}

void VirtualProcessor::onRefused(std::string reason, std::span<const std::uint8_t> bytes)
{
    m_refusals.add(std::move(reason), bytes);
}

void VirtualProcessor::onRequest(std::span<const std::uint8_t> frame)
{
    if (std::string why = RequestRefusal(frame); !why.empty()) {
        m_refusals.add(std::move(why), frame);
        return;
    }
    ++m_requests;
    const bool block = frame[1] == wire::ReadBlock || frame[1] == wire::ReadBlockBack || frame[1] == wire::WriteBlock;
    if (m_danceSetSilent && block && frame[2] >= kDanceSetPreset)
        return;
    Bytes payload = answer(frame);
    if (m_wrongCommand) {
        m_wrongCommand = false;
        payload = frame[1] == wire::Handshake ? statusAnswer() : handshakeAnswer();
    }
    reply(std::move(payload));
}

VirtualProcessor::Bytes VirtualProcessor::handshakeAnswer() const
{
    return {'Q', 'U', 'O', 'R', 'I', 'X', '_', static_cast<std::uint8_t>(m_contents.variant)};
}

VirtualProcessor::Bytes VirtualProcessor::statusAnswer() const
{
    return {0, static_cast<std::uint8_t>(m_contents.current)};
}

VirtualProcessor::Bytes VirtualProcessor::answer(std::span<const std::uint8_t> frame)
{
    const std::uint8_t command = frame[1];
    const int mode = frame[2];
    const int kind = frame[3];
    const int menu = frame[4];
    const auto data = frame.subspan(wire::kHeaderLength, frame.size() - wire::kHeaderLength - 1);
    Bytes ack = {command, 0};
    switch (command) {
    case wire::Handshake:
        return handshakeAnswer();
    case wire::WriteParam: {
        const auto record = m_contents.working.record(mode, kind * 256 + menu);
        std::copy(data.begin(), data.end(), record.begin());
        return ack;
    }
    case wire::ReadBlock:
    case wire::ReadBlockBack:
        return readBlock(mode, kind);
    case wire::WriteBlock:
        writeBlock(mode, kind, data);
        return ack;
    case wire::StoreMode:
        m_contents.presets[static_cast<std::size_t>(mode)] = m_contents.working;
        m_contents.current = mode;
        return ack;
    case wire::Password:
        return {0, static_cast<std::uint8_t>(passwordAnswer(kind, menu, data))};
    case wire::ReadStatus:
        return statusAnswer();
    default: // ReadDone; the rules let nothing else through
        return ack;
    }
}

void VirtualProcessor::transmit(const Bytes& bytes)
{
    if (m_output)
        m_output(bytes);
}

void VirtualProcessor::reply(Bytes payload)
{
    if (m_dropReplies > 0) {
        --m_dropReplies;
        return;
    }
    Bytes frame = wire::ReplyFrame(payload);
    if (m_corruptChecksum) {
        m_corruptChecksum = false;
        frame.back() = static_cast<std::uint8_t>((frame.back() + 1) % wire::kToneReset);
    }
    if (!m_noise.empty()) {
        frame.insert(frame.begin() + static_cast<std::ptrdiff_t>(frame.size() / 2), m_noise.begin(), m_noise.end());
        m_noise.clear();
    }
    transmit(frame);
    if (m_duplicateReplies > 0) {
        --m_duplicateReplies;
        transmit(frame);
    }
}

void VirtualProcessor::recall(int number)
{
    if (number >= kPresetCount || number == m_contents.current)
        return;
    m_contents.working.takeModeKinds(m_contents.presets[static_cast<std::size_t>(number)]);
    m_contents.current = number;
}

VirtualProcessor::Bytes VirtualProcessor::readBlock(int preset, int kind)
{
    recall(preset);
    const int set = preset >= kDanceSetPreset && !layout::IsGlobalKind(kind) ? 1 : 0;
    const auto block = m_contents.working.block(set, kind);
    Bytes data(block.begin(), block.end());
    if (m_blockDelta > 0)
        data.insert(data.end(), static_cast<std::size_t>(m_blockDelta), 0);
    else if (m_blockDelta < 0)
        data.resize(data.size() - std::min(data.size(), static_cast<std::size_t>(-m_blockDelta)));
    m_blockDelta = 0;
    for (int menu = 0; m_garbleBlock && menu < layout::RecordCount(kind); ++menu) {
        if (!layout::IsBand(kind, menu))
            continue;
        constexpr std::size_t kGain = 4;
        const std::size_t at = layout::RecordOffset(kind, menu) + kGain;
        const std::uint8_t noise[] = {137, 91, 221, 179}; // gain 34 341, Q index 55 429
        std::copy(std::begin(noise), std::end(noise), data.begin() + static_cast<std::ptrdiff_t>(at));
        m_garbleBlock = false;
    }
    return data;
}

void VirtualProcessor::writeBlock(int preset, int kind, std::span<const std::uint8_t> data)
{
    recall(preset);
    if (std::exchange(m_loseBlockWrite, false))
        return;
    const int set = preset >= kDanceSetPreset && !layout::IsGlobalKind(kind) ? 1 : 0;
    const auto working = m_contents.working.block(set, kind);
    std::copy(data.begin(), data.end(), working.begin());
    if (m_contents.current >= kFirstUserPreset) {
        const auto stored = m_contents.presets[static_cast<std::size_t>(m_contents.current)].block(set, kind);
        std::copy(data.begin(), data.end(), stored.begin());
    }
}

char VirtualProcessor::passwordAnswer(int kind, int operation, std::span<const std::uint8_t> digits)
{
    std::string& password = kind == 0 ? m_contents.lockPassword : m_contents.rightsPassword;
    const std::size_t n = password.size();
    const auto matches = [&] {
        for (std::size_t i = 0; i < n; ++i)
            if (digits[i] != password[i] - '0')
                return false;
        return true;
    };
    if (operation == 0)
        return matches() ? 'S' : 'F';
    if (operation == 1) {
        if (!matches())
            return 'F';
        for (std::size_t i = 0; i < n; ++i)
            password[i] = static_cast<char>('0' + digits[n + i]);
        return 'S';
    }
    return 'S';
}

} // namespace quorix::sim

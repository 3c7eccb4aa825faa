#include "virtual_processor.h"

#include "factory_presets.h"

#include "link/block_layout.h"

#include "core/address_map.h"
#include "core/checked_index.h"

namespace quorix::sim {

using link::Command;

namespace {

constexpr int kToneAddress = 0xA26;
constexpr std::size_t kHeaderLength = 6;

} // namespace

VirtualProcessor::VirtualProcessor()
{
    core::ParamStore image;
    core::InitParamStore(m_working, image);
    for (int p = 0; p < static_cast<int>(m_presets.size()); ++p) {
        m_presets[static_cast<std::size_t>(p)] = m_working;
        ApplyFactoryTuning(m_presets[static_cast<std::size_t>(p)], p);
    }
}

void VirtualProcessor::setPasswords(std::string lock, std::string rights)
{
    m_lockPassword = std::move(lock);
    m_rightsPassword = std::move(rights);
}

const core::ParamStore& VirtualProcessor::preset(int number) const
{
    return m_presets[core::CheckIndex("preset", number, 0, static_cast<long long>(m_presets.size()) - 1)];
}

void VirtualProcessor::sendToneReset()
{
    m_working.at(0, kToneAddress).Value = 5;
    if (m_output)
        m_output({link::kToneReset});
}

void VirtualProcessor::receive(std::span<const std::uint8_t> bytes)
{
    for (std::uint8_t b : bytes) {
        if (b == link::kKeepAlive) {
            if (!m_keepAliveSilent && m_output)
                m_output({link::kKeepAlive});
            continue;
        }
        if (b == link::kFrameStart) {
            m_frame.assign(1, b);
            continue;
        }
        if (m_frame.empty())
            continue;
        m_frame.push_back(b);
        if (m_frame.size() >= kHeaderLength && m_frame.size() == m_frame[5]) {
            const Bytes frame = std::move(m_frame);
            m_frame.clear();
            if (frame.size() > kHeaderLength && link::FrameChecksum(std::span(frame).first(frame.size() - 1)) == frame.back())
                handleFrame(frame);
        } else if (m_frame.size() >= kHeaderLength && m_frame.size() > m_frame[5]) {
            m_frame.clear(); // a length byte that makes no sense
        }
    }
}

void VirtualProcessor::reply(Bytes payload)
{
    if (m_dropReplies > 0) {
        --m_dropReplies;
        return;
    }
    Bytes frame;
    frame.reserve(payload.size() + 3);
    frame.push_back(link::kFrameStart);
    frame.push_back(static_cast<std::uint8_t>(payload.size() + 3));
    for (std::uint8_t b : payload)
        frame.push_back(b);
    std::uint8_t checksum = link::FrameChecksum(frame);
    if (m_corruptChecksum) {
        m_corruptChecksum = false;
        checksum = static_cast<std::uint8_t>((checksum + 1) % 0xFD);
    }
    frame.push_back(checksum);
    if (m_output)
        m_output(frame);
}

void VirtualProcessor::recall(int number)
{
    if (number < 0 || number >= static_cast<int>(m_presets.size()) || number == m_current)
        return;
    const core::ParamStore& stored = m_presets[static_cast<std::size_t>(number)];
    for (int a = 0; a < core::kFirstGlobalAddress; ++a)
        for (int m = 0; m < core::kModeCount; ++m)
            m_working.at(m, a) = stored.at(m, a);
    m_current = number;
}

VirtualProcessor::Bytes VirtualProcessor::readBlock(int preset, int kind)
{
    recall(preset);
    Bytes data;
    for (int a = core::KindFirst(kind); a <= core::KindLast(kind); ++a) {
        const int mode = a < core::kFirstGlobalAddress && preset >= 11 ? 1 : 0;
        link::AppendRecord(data, m_working.at(mode, a), link::TravelsAsBand(a));
    }
    if (m_blockDelta > 0)
        data.insert(data.end(), static_cast<std::size_t>(m_blockDelta), 0);
    else if (m_blockDelta < 0)
        data.resize(data.size() - std::min(data.size(), static_cast<std::size_t>(-m_blockDelta)));
    m_blockDelta = 0;
    return data;
}

void VirtualProcessor::writeBlock(int preset, int kind, std::span<const std::uint8_t> data)
{
    if (data.size() != link::BlockDataSize(kind))
        return;
    recall(preset);
    std::size_t position = 0;
    for (int a = core::KindFirst(kind); a <= core::KindLast(kind); ++a) {
        const int mode = a < core::kFirstGlobalAddress && preset >= 11 ? 1 : 0;
        position = link::DecodeRecord(data, position, m_working.at(mode, a), link::TravelsAsBand(a));
    }
}

char VirtualProcessor::passwordAnswer(int kind, int operation, std::span<const std::uint8_t> digits)
{
    std::string& password = kind == 0 ? m_lockPassword : m_rightsPassword;
    const std::size_t n = password.size();
    const auto matches = [&](std::size_t offset) {
        if (digits.size() < offset + n)
            return false;
        for (std::size_t i = 0; i < n; ++i)
            if (digits[offset + i] != password[i] - '0')
                return false;
        return true;
    };
    if (operation == 0)
        return matches(0) ? 'S' : 'F';
    if (operation == 1) {
        if (!matches(0) || digits.size() < 2 * n)
            return 'F';
        for (std::size_t i = 0; i < n; ++i)
            password[i] = static_cast<char>('0' + digits[n + i]);
        return 'S';
    }
    return 'S';
}

void VirtualProcessor::handleFrame(std::span<const std::uint8_t> frame)
{
    ++m_requests;
    const auto command = static_cast<Command>(frame[1]);
    const int mode = frame[2];
    const int kind = frame[3];
    const int address = kind * 256 + frame[4];
    const auto data = frame.subspan(kHeaderLength, frame.size() - kHeaderLength - 1);
    const Bytes ack = {frame[1], 0};
    try {
        switch (command) {
        case Command::Handshake:
            reply({'Q', 'U', 'O', 'R', 'I', 'X', '_', static_cast<std::uint8_t>(m_variant)});
            break;
        case Command::WriteParam: {
            const int recordMode = core::ModeForAddress(address, mode == 1 ? 1 : 0);
            core::ParamRecord record = m_working.at(recordMode, address);
            link::DecodeRecord(data, 0, record, link::TravelsAsBand(address));
            m_working.at(recordMode, address) = record;
            reply(ack);
            break;
        }
        case Command::ReadBlock:
        case Command::ReadBlockBack:
            if (core::KindOfAddress(address) == kind && address == core::KindFirst(kind))
                reply(readBlock(mode, kind));
            break;
        case Command::WriteBlock:
            writeBlock(mode, kind, data);
            reply(ack);
            break;
        case Command::StoreMode:
            if (mode >= 3 && mode < static_cast<int>(m_presets.size())) {
                m_presets[static_cast<std::size_t>(mode)] = m_working;
                m_current = mode;
            }
            reply(ack);
            break;
        case Command::Password:
            reply({0, static_cast<std::uint8_t>(passwordAnswer(kind, frame[4], data))});
            break;
        case Command::ReadStatus:
            reply({0, static_cast<std::uint8_t>(m_current)});
            break;
        case Command::ReadDone:
            reply(ack);
            break;
        }
    } catch (const std::exception&) {
        // A request it cannot make sense of goes unanswered, as on the hardware.
    }
}

} // namespace quorix::sim

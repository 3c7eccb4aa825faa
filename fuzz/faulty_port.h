#pragma once

#include "sim/virtual_processor.h"

#include "link/frame.h"
#include "link/hid_device.h"

#include "core/scheduler.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <map>

// The virtual processor on a line the fuzzer controls: each of its replies is
// passed, dropped, delayed past the reply time-out, duplicated, resized, split,
// corrupted or preceded by noise, as the fuzzer's next bytes say. The line
// never forges a frame: noise and padding hold no frame start, and a corrupted
// byte stays an ordinary byte, so whatever the console takes from it came
// from the processor.
class FaultyPort final : public quorix::link::HidBackend {
public:
    FaultyPort(quorix::sim::VirtualProcessor& processor, const quorix::core::Scheduler& clock,
               FuzzedDataProvider& fuzz);

    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) override;
    std::unique_ptr<quorix::link::HidDevice> open(const std::string& path) override;

private:
    class Device;
    using Bytes = quorix::link::Bytes;

    void carry(Bytes reply);
    void queue(const Bytes& bytes, std::int64_t readyAt, std::size_t piece);
    Bytes ordinaryBytes(std::size_t most);
    bool write(std::span<const std::uint8_t> report);
    int read(std::span<std::uint8_t> buffer);

    quorix::sim::VirtualProcessor& m_processor;
    const quorix::core::Scheduler& m_clock;
    FuzzedDataProvider& m_fuzz;
    std::multimap<std::int64_t, Bytes> m_input; // input reports by the time they become readable
};

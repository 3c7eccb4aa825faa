#pragma once

#include "link/hid_device.h"

#include <functional>

// One device on a bench, with the report lengths it claims; the harness decides
// what each read returns and sees each written report.
class FuzzBackend final : public quorix::link::HidBackend {
public:
    using Read = std::function<int(std::span<std::uint8_t>)>;
    using Write = std::function<bool(std::span<const std::uint8_t>)>;

    FuzzBackend(std::size_t inputLength, std::size_t outputLength, Read read, Write write)
        : m_input(inputLength), m_output(outputLength), m_read(std::move(read)), m_write(std::move(write))
    {}

    std::vector<std::string> enumerate(std::uint16_t, std::uint16_t, std::string*) override { return {"fuzz"}; }
    std::unique_ptr<quorix::link::HidDevice> open(const std::string&) override
    {
        return std::make_unique<Device>(*this);
    }

private:
    struct Device final : quorix::link::HidDevice {
        explicit Device(FuzzBackend& backend) : owner(backend) {}
        bool writeReport(std::span<const std::uint8_t> report) override { return owner.m_write(report); }
        int readReport(std::span<std::uint8_t> buffer, int) override { return owner.m_read(buffer); }
        std::size_t inputReportLength() const override { return owner.m_input; }
        std::size_t outputReportLength() const override { return owner.m_output; }
        FuzzBackend& owner;
    };

    std::size_t m_input;
    std::size_t m_output;
    Read m_read;
    Write m_write;
};

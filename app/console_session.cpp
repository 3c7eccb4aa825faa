#include "console_session.h"

#include "support/bundle_contents.h"
#include "support/device_survey.h"
#include "support/support_bundle.h"

#include "presets/config_file_message.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "core/address_map.h"

#include <QtGlobal>

namespace quorix::app {

ConsoleSession::ConsoleSession(core::Scheduler& scheduler, std::unique_ptr<link::HidBackend> hardware, Options options)
    : m_scheduler(scheduler), m_hardware(std::move(hardware)), m_modeFolder(options.modeFolder)
{
    core::InitParamStore(m_store, m_image);
    link::HidBackend* backend = m_hardware.get();
    if (options.simulator || !backend) {
        m_processor = std::make_unique<sim::VirtualProcessor>();
        m_port = std::make_unique<sim::SimUsbPort>(*m_processor, m_scheduler);
        backend = m_port.get();
        m_memoryFile = options.simulatorMemory;
        if (!m_memoryFile.empty()) {
            const auto loaded = m_processor->loadFromFile(m_memoryFile);
            if (!loaded.ok && !loaded.absent)
                m_memoryProblem = loaded.message;
        }
    }
    m_backend = backend;
    m_link = std::make_unique<link::DeviceLink>(*backend, m_scheduler,
                                                link::LinkContext{m_store, m_image, m_view, m_digits, m_record, *this},
                                                *this, options.trace, options.traceRing ? &m_ring : nullptr);
    m_document = std::make_unique<core::TuningDocument>(m_store, m_view, *m_link, m_scheduler);
    m_bundleFacts = std::move(options);
}

void ConsoleSession::setCopy(int mode, int address, const core::ParamRecord& record)
{
    m_document->edits().setCopy(mode, address, record);
}

void ConsoleSession::startAfresh()
{
    core::InitParamStore(m_store, m_image);
    m_record.reset();
    m_view = core::ViewState{};
    m_document->history().resetUndo();
}

ConsoleSession::~ConsoleSession()
{
    m_link->stop();
    // A memory file that could not be read is kept as it is rather than overwritten.
    if (m_processor && !m_memoryFile.empty() && m_memoryProblem.empty())
        m_processor->saveToFile(m_memoryFile);
}

void ConsoleSession::report(const link::LinkReport& report)
{
    if (report.code == link::LinkCode::StoreRead && report.value == 1)
        m_lastRead = m_store;
    m_host->report(report);
}

std::string ConsoleSession::saveSupportBundle(const std::filesystem::path& path)
{
    support::BundleContents contents;
    contents.program = m_bundleFacts.program;
    contents.qtVersion = qVersion();
    contents.hidapiVersion = m_processor ? "(not used: virtual processor)" : m_bundleFacts.hidapiVersion;
    contents.devices = support::SurveyDevices(*m_backend, nullptr);
    contents.trace = m_ring.text();
    contents.counters = m_link->counters();
    contents.screen = &m_store;
    contents.lastRead = m_lastRead ? &*m_lastRead : nullptr;
    contents.options = m_bundleFacts.commandLine;
    contents.options.push_back("mode folder: " + m_modeFolder.string());
    const support::BundleSaved saved = support::SaveBundle(path, support::BundleFiles(contents));
    return saved.save.failed() ? presets::SaveFailureText(saved.save) : saved.packing;
}

void ConsoleSession::setHost(link::LinkHost* host)
{
    m_host = host ? host : &m_nobody;
    m_host->report({m_link->connection()});
}

} // namespace quorix::app

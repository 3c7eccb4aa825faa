#pragma once

#include "link/link_host.h"

#include <optional>
#include <ostream>

namespace quorix::cli {

// The link's screen, as lines on the terminal.
class CliHost final : public link::LinkHost {
public:
    explicit CliHost(std::ostream& out) : m_out(out) {}

    std::optional<bool> synchronisation() const { return m_synchronised; }
    bool variant() const { return m_variant; }

    void setConnectionStatus(int) override {}
    void setCaption(std::string_view) override {}
    void showMessage(std::string_view text, link::MessageIcon icon) override;
    void setWindowEnabled(bool) override {}
    void showProgress(bool) override {}
    void setProgress(int value, int maximum) override;
    void RefreshControls() override {}
    void ApplyDeviceVariant(bool variantFlag) override;
    void setToneLabel(int) override {}
    void closeRecordingWindow() override {}
    void setMasterMaxima(int, int, int) override {}
    void showPreset(int) override {}
    void modeStateLoaded() override {}
    void resetUndo() override {}
    void linkTicked() override {}
    void synchronised(bool ok) override { m_synchronised = ok; }

private:
    std::ostream& m_out;
    std::optional<bool> m_synchronised;
    bool m_variant = false;
};

} // namespace quorix::cli

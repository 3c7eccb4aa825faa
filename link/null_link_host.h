#pragma once

#include "link_host.h"

namespace quorix::link {

// A host with no screen: every call does nothing. Tools and tests override
// only what they watch.
class NullLinkHost : public LinkHost {
public:
    void setConnectionStatus(int) override {}
    void setCaption(std::string_view) override {}
    void showMessage(std::string_view, MessageIcon) override {}
    void setWindowEnabled(bool) override {}
    void showProgress(bool) override {}
    void setProgress(int, int) override {}
    void RefreshControls() override {}
    void ApplyDeviceVariant(bool) override {}
    void setToneLabel(int) override {}
    void closeRecordingWindow() override {}
    void setMasterMaxima(int, int, int) override {}
    void showPreset(int) override {}
    void modeStateLoaded() override {}
    void resetUndo() override {}
    void linkTicked() override {}
    void synchronised(bool) override {}
};

} // namespace quorix::link

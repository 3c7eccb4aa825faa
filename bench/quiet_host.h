#pragma once

#include "link/link_host.h"

// A link host that only remembers whether the synchronisation has ended.
struct QuietHost final : quorix::link::LinkHost {
    int synchronisations = 0;
    bool lastOk = false;
    void setConnectionStatus(int) override {}
    void setCaption(std::string_view) override {}
    void showMessage(std::string_view, quorix::link::MessageIcon) override {}
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
    void synchronised(bool ok) override
    {
        ++synchronisations;
        lastOk = ok;
    }
};

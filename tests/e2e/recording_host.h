#pragma once

#include "link/null_link_host.h"

#include <functional>
#include <string>
#include <vector>

// Records what the link does to the screen.
struct RecordingHost : quorix::link::NullLinkHost {
    std::vector<int> statuses;
    std::vector<std::string> captions;
    std::vector<std::string> messages;
    bool windowEnabled = true;
    bool progressVisible = false;
    int progressValue = 0;
    int progressMaximum = 0;
    int refreshes = 0;
    int transfersFinished = 0; // block transfers that ran to their end, successful or not
    std::vector<bool> synchronisations;
    int variantCalls = 0;
    bool variant = false;
    int toneLabel = -1;
    int recordingClosed = 0;
    int masterMaxima[3] = {};
    int preset = -1;
    std::function<void()> onTick;
    std::function<void(int)> onProgress;
    std::function<void()> onMessage; // a message box's modal loop


    void setConnectionStatus(int value) override { statuses.push_back(value); }
    void setCaption(std::string_view caption) override { captions.emplace_back(caption); }
    void showMessage(std::string_view text, quorix::link::MessageIcon) override
    {
        messages.emplace_back(text);
        if (onMessage)
            onMessage();
    }
    void setWindowEnabled(bool enabled) override { windowEnabled = enabled; }
    void showProgress(bool visible) override { progressVisible = visible; }
    void setProgress(int value, int maximum) override
    {
        progressValue = value;
        progressMaximum = maximum;
        if (onProgress)
            onProgress(value);
    }
    void RefreshControls() override { ++refreshes; }
    void ApplyDeviceVariant(bool flag) override
    {
        ++variantCalls;
        variant = flag;
    }
    void setToneLabel(int value) override { toneLabel = value; }
    void closeRecordingWindow() override { ++recordingClosed; }
    void setMasterMaxima(int music, int microphone, int effect) override
    {
        masterMaxima[0] = music;
        masterMaxima[1] = microphone;
        masterMaxima[2] = effect;
    }
    void showPreset(int value) override { preset = value; }
    void resetUndo() override { ++transfersFinished; }
    void synchronised(bool ok) override { synchronisations.push_back(ok); }
    void linkTicked() override
    {
        if (onTick)
            onTick();
    }

    int count(std::string_view message) const
    {
        int n = 0;
        for (const auto& m : messages)
            n += m == message ? 1 : 0;
        return n;
    }
};

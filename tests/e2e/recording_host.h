#pragma once

#include "link/link_host.h"

#include <algorithm>
#include <functional>
#include <vector>

// Records what the link reports to its screen.
struct RecordingHost : quorix::link::LinkHost {
    using LinkCode = quorix::link::LinkCode;

    std::vector<LinkCode> connection; // how the connection stood, report by report
    std::vector<LinkCode> messages;   // what a screen tells the user in a message box
    bool windowEnabled = true;
    bool progressVisible = false;
    int progressValue = 0;
    int progressMaximum = 0;
    int refreshes = 0;
    int transfersFinished = 0; // transfers that reset the undo history: store reads and configuration writes
    std::vector<bool> synchronisations;
    int variantCalls = 0;
    bool variant = false;
    int toneLabel = -1;
    int recordingClosed = 0;
    int masterMaxima[3] = {};
    int preset = -1;
    int writesLost = 0; // parameter writes the link reported lost
    std::function<void()> onTick;
    std::function<void(int)> onProgress;
    std::function<void()> onMessage; // a host that runs a loop inside the report

    void report(const quorix::link::LinkReport& report) override
    {
        switch (report.code) {
        case LinkCode::Online:
        case LinkCode::Disconnected:
        case LinkCode::SwitchedOn:
        case LinkCode::SwitchedOff:
        case LinkCode::OnlineMode:
        case LinkCode::OfflineMode:
            connection.push_back(report.code);
            break;
        case LinkCode::Lost:
            connection.push_back(report.code);
            tell(report.code);
            break;
        case LinkCode::DeviceUnusable:
        case LinkCode::CountMismatch:
        case LinkCode::ReadFault:
        case LinkCode::ReadFaultAt:
        case LinkCode::WriteFailed:
        case LinkCode::WriteCutOff:
            tell(report.code);
            break;
        case LinkCode::WritesLost:
            writesLost += report.value;
            tell(report.code);
            break;
        case LinkCode::StoreReadStarted:
            ++recordingClosed;
            [[fallthrough]];
        case LinkCode::TransferStarted:
            windowEnabled = false;
            progressVisible = true;
            break;
        case LinkCode::Progress:
            progressValue = report.value;
            progressMaximum = report.maximum;
            if (onProgress)
                onProgress(report.value);
            break;
        case LinkCode::TransferEnded:
            windowEnabled = true;
            progressVisible = false;
            break;
        case LinkCode::Variant:
            ++variantCalls;
            variant = report.value != 0;
            break;
        case LinkCode::Preset:
            preset = report.value;
            break;
        case LinkCode::MasterMaxima:
            std::copy(report.values.begin(), report.values.end(), masterMaxima);
            break;
        case LinkCode::ModeStateLoaded:
            break;
        case LinkCode::StoreRead:
            ++refreshes;
            ++transfersFinished;
            break;
        case LinkCode::ProcessorWritten:
            ++transfersFinished;
            break;
        case LinkCode::Synchronised:
        case LinkCode::SyncFailed:
            synchronisations.push_back(report.code == LinkCode::Synchronised);
            break;
        case LinkCode::Tone:
            toneLabel = report.value;
            break;
        case LinkCode::Tick:
            if (onTick)
                onTick();
            break;
        }
    }

    int count(LinkCode message) const
    {
        return static_cast<int>(std::count(messages.begin(), messages.end(), message));
    }

private:
    void tell(LinkCode code)
    {
        messages.push_back(code);
        if (onMessage)
            onMessage();
    }
};

#pragma once

#include "tests/scripted_prompter.h"

#include "app/console_session.h"
#include "ui/slider_accessible.h"
#include "ui/tuning_window.h"
#include "ui/window_actions.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "core/await_outcome.h"
#include "core/manual_scheduler.h"

#include <QApplication>

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct CountingActions : quorix::ui::WindowActions {
    int opened = 0, saved = 0, recall = 0, store = 0, settings = 0, recording = 0, effect = 0, exitSave = 0,
        recordingClosed = 0, unloaded = 0;
    bool cancelExitSave = false; // the exit save dialog's 取消
    void openConfigurationFile() override { ++opened; }
    void saveConfigurationFile() override { ++saved; }
    void showRecallMenu() override { ++recall; }
    void showStoreMenu() override { ++store; }
    void showStartupSettings() override { ++settings; }
    void showRecordingWindow() override { ++recording; }
    void showEffectWindow() override { ++effect; }
    bool showExitSave() override
    {
        ++exitSave;
        return !cancelExitSave;
    }
    void closeRecordingWindow() override { ++recordingClosed; }
    void mainWindowUnloaded() override { ++unloaded; }
    void showDeviceVariant() override {}
    void synchronised(bool) override {}
};

// The console against its virtual processor, in virtual time, with the main
// window loaded and shown offscreen.
struct ConsoleFixture {
    quorix::core::ManualScheduler clock;
    quorix::app::ConsoleSession session{clock, nullptr, {.simulator = true}};
    ScriptedPrompter prompter;
    CountingActions actions;
    std::unique_ptr<quorix::ui::TuningWindow> window;

    quorix::sim::VirtualProcessor& processor() { return *session.processor(); }
    quorix::ui::TuningWindow& frm() { return *window; }

    void load()
    {
        quorix::ui::InstallSliderAccessibility(); // as the program does at start
        session.link().setQuietShutdown(false);   // as the frame does before each load
        window = std::make_unique<quorix::ui::TuningWindow>(session, prompter, actions);
        window->show();
        QApplication::setActiveWindow(window.get());
        window->setFocus();
    }
    // Until the handshake was answered and the full read that follows has ended.
    void connect()
    {
        clock.runUntil([&] { return session.link().online(); }, 20000);
        clock.advance(200);
        settle();
    }
    // A block read, waited for on the virtual clock.
    bool readFromDevice(int preset, bool full, quorix::link::Command code)
    {
        return quorix::core::AwaitOutcome<bool>(
            clock, [&](auto done) { session.link().readFromDevice(preset, full, code, done); });
    }
    // Until no request is on the wire, queued, or waiting to tell its caller.
    void settle()
    {
        auto& link = session.link();
        clock.runUntil([&] { return !link.replyWaitActive() && !link.requestsPending(); }, 60000);
    }
};

// The main tuning window offscreen: a page switch from the click to the painted
// window, against painting the whole window without a switch (painting alone).
#include "app/console_session.h"
#include "ui/tuning_window.h"
#include "ui/window_actions.h"

#include "core/manual_scheduler.h"
#include "core/prompter.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace quorix;

namespace {

struct Silent final : core::Prompter {
    bool askYesNo(std::string_view) override { return false; }
    Answer askYesNoCancel(std::string_view) override { return Answer::Cancel; }
    void showMessage(std::string_view, core::Severity) override {}
    std::optional<std::filesystem::path> askFile(const core::FileRequest&) override { return std::nullopt; }
};

struct NoActions final : ui::WindowActions {
    void openConfigurationFile() override {}
    void saveConfigurationFile() override {}
    void showRecallMenu() override {}
    void showStoreMenu() override {}
    void showStartupSettings() override {}
    void showRecordingWindow() override {}
    void showEffectWindow() override {}
    bool showExitSave() override { return true; }
    void closeRecordingWindow() override {}
    void showDeviceVariant() override {}
    void mainWindowUnloaded() override {}
    void synchronised(bool) override {}
};

struct Console {
    core::ManualScheduler clock;
    app::ConsoleSession session{clock, nullptr, {.simulator = true}};
    Silent prompter;
    NoActions actions;
    ui::TuningWindow window{session, prompter, actions};

    Console()
    {
        window.resize(1920, 1000);
        window.show();
        QApplication::processEvents();
    }
};

void PageSwitch(benchmark::State& state)
{
    Console console;
    int page = 0;
    for (auto _ : state) {
        page = (page + 1) % 8;
        console.window.pages().showPage(page);
        benchmark::DoNotOptimize(console.window.grab());
    }
}

void PaintWholeWindow(benchmark::State& state)
{
    Console console;
    for (auto _ : state)
        benchmark::DoNotOptimize(console.window.grab());
}

} // namespace

BENCHMARK(PaintWholeWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(PageSwitch)->Unit(benchmark::kMillisecond);

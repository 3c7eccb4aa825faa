#pragma once

#include "core/scheduler.h"

#include <QWidget>

#include <memory>
#include <random>

class QLabel;
class QPushButton;

namespace quorix::sim {
class SimUsbPort;
class VirtualProcessor;
} // namespace quorix::sim

namespace quorix::ui {

// Changes the gain and frequency of one band of the processor's singing set,
// chosen at random, behind the console's back; returns the band's flat address.
int ChangeRandomBand(sim::VirtualProcessor& processor, std::mt19937& random);

// A small tool window beside the console that plays the processor's part in
// demonstrations, training and manual checks: unplug and re-plug it, silence
// its keep-alives, lose or spoil its replies, press its key-reset, change its
// model variant, and watch the preset it runs.
class SimPanel final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWatchMs = 250;

    SimPanel(sim::VirtualProcessor& processor, sim::SimUsbPort& port, core::Scheduler& scheduler,
             QWidget* parent = nullptr);

    // Reads the processor's state into the panel (its watch timer does this four times a second).
    void showState();
    QString presetText() const;

private:
    sim::VirtualProcessor& m_processor;
    sim::SimUsbPort& m_port;
    QPushButton* m_plug = nullptr;
    QLabel* m_preset = nullptr;
    std::unique_ptr<core::Timer> m_watch;
    std::mt19937 m_random{std::random_device{}()};
};

} // namespace quorix::ui

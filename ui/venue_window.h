#pragma once

#include "venue/mqtt_client.h"
#include "venue/venue_rooms.h"
#include "venue/venue_round.h"

#include "core/param_store.h"
#include "core/prompter.h"

#include <QWidget>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace quorix::core {
class Scheduler;
class Timer;
} // namespace quorix::core

namespace quorix::ui {

// 设备 → 场所…: every room of a venue live from its broker (online, preset,
// mode, levels, last seen, and how its settings stand against a reference
// file), and a push or a preset recall on the chosen rooms at once, each room
// with its progress and its own result. The broker's URL, the venue and the
// user are remembered in the console's settings; the password never is.
class VenueWindow final : public QWidget {
    Q_OBJECT

public:
    enum Column { Room, Online, Preset, Mode, Music, Microphone, Effect, Tone, LastSeen, Drift, Progress, Result };

    VenueWindow(core::Scheduler& scheduler, core::Prompter& prompter, QWidget* parent = nullptr);
    ~VenueWindow() override;

    // Connects with what the fields hold; false, with the reason in status(), when they cannot be used.
    bool connectToBroker();
    // The same, with the venue's field (and the broker's, when given) filled first.
    bool connectTo(const QString& venue, const QString& broker);
    bool connected() const;
    QString status() const;

    // The reference the rooms are compared with; false (with a message) when the file cannot be read.
    bool setReference(const std::filesystem::path& file);
    // Sends to the chosen rooms; false (with a message) when nothing was sent.
    bool pushToChosen(const std::filesystem::path& file);
    bool recallOnChosen(int preset);
    bool roundRunning() const { return m_deadline->isActive(); }
    const venue::VenueRound* round() const { return m_round ? &*m_round : nullptr; }
    // Reads the current room's working set and lists where it differs from the reference.
    bool showDifferences();
    QString differences() const;

    const venue::VenueRooms& rooms() const { return m_rooms; }
    // The console that tunes `room` through its agent: its command line, and the
    // broker password it takes from its environment (never from the command line).
    QStringList remoteTuningArguments(const QString& room) const;
    QString password() const;
    QTableWidget& table() const { return *m_table; }
    int rowOf(const std::string& room) const;

signals:
    // 远程调音: the installer asks to tune this room from the console.
    void tuneRoom(const QString& room);
    void roundEnded();
    void differencesShown();

private:
    void message(const venue::MqttClient* client, const std::string& topic, const std::string& payload);
    void showRoom(const std::string& room);
    void showRound();
    void endRound(bool expired);
    bool startRound(const venue::RoomCommand& command, int waitSeconds);
    void differencesRead(const venue::CommandReply& reply);
    std::vector<std::string> chosenRooms() const;
    std::string currentRoom() const;
    QProgressBar* progress(int row) const;
    void choosePush();
    void chooseReference();

    core::Scheduler& m_scheduler;
    core::Prompter& m_prompter;
    std::unique_ptr<venue::MqttClient> m_client;
    std::string m_venue;
    std::string m_clientId;
    venue::VenueRooms m_rooms{""};
    std::optional<venue::VenueRound> m_round;
    std::unique_ptr<core::Timer> m_deadline;
    int m_rounds = 0;
    std::optional<core::ParamStore> m_reference;
    std::string m_pullId; // the differences' read under way
    std::string m_pullRoom;
    std::unique_ptr<core::Timer> m_pullDeadline;
    QLineEdit* m_broker = nullptr;
    QLineEdit* m_venueName = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_referenceName = nullptr;
    QTableWidget* m_table = nullptr;
    QComboBox* m_preset = nullptr;
    QPushButton* m_push = nullptr;
    QPushButton* m_recall = nullptr;
    QPlainTextEdit* m_differences = nullptr;
};

// The window of `parent`, made on first use, shown and raised.
VenueWindow* ShowVenueWindow(core::Scheduler& scheduler, core::Prompter& prompter, QWidget* parent);

} // namespace quorix::ui

#include "venue_window.h"

#include "core/prompter.h"

#include "presets/config_file_message.h"

#include "controls/qt_text.h"

#include "tables/screen_names.h"

#include "venue/topics.h"
#include "venue/working_set_hash.h"

#include "core/config_file.h"
#include "core/preset_name.h"
#include "core/scheduler.h"
#include "core/transferred_set.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quorix::ui {

using Status = venue::VenueRound::Status;

namespace {

constexpr const char* kBrokerKey = "venue/broker";
constexpr const char* kVenueKey = "venue/name";
constexpr const char* kUserKey = "venue/username";

QString Text(const std::string& text)
{
    return controls::QtText(text);
}

QString LevelText(const venue::ProcessorState& p, int channel)
{
    const QString level = QString::number(p.levels[static_cast<std::size_t>(channel)]);
    return p.muted[static_cast<std::size_t>(channel)] ? level + QStringLiteral("（静音）") : level;
}

QString OnlineText(const venue::RoomState& state)
{
    if (!state.online)
        return QStringLiteral("离线");
    // The agent shows no processor while a console holds it: say whose it is, not that none is plugged in.
    if (!state.tunedBy.empty())
        return QStringLiteral("远程调音：") + QString::fromStdString(state.tunedBy);
    return state.processor ? QStringLiteral("在线") : QStringLiteral("未接设备");
}

QString DriftText(venue::VenueRooms::Drift drift)
{
    switch (drift) {
    case venue::VenueRooms::Drift::Same:
        return QStringLiteral("相同");
    case venue::VenueRooms::Drift::Differs:
        return QStringLiteral("不同");
    case venue::VenueRooms::Drift::Unknown:
        break;
    }
    return QStringLiteral("—");
}

// The bar's steps: sent, the broker has it, the room answered.
int ProgressStep(Status status)
{
    switch (status) {
    case Status::Sending:
        return 0;
    case Status::Delivered:
        return 1;
    default:
        return 2;
    }
}

QString StatusText(Status status)
{
    switch (status) {
    case Status::Sending:
        return QStringLiteral("发送中");
    case Status::Delivered:
        return QStringLiteral("等待应答");
    case Status::Done:
        return QStringLiteral("成功");
    case Status::Refused:
        return QStringLiteral("拒绝");
    case Status::Failed:
        return QStringLiteral("失败");
    case Status::NoAnswer:
        return QStringLiteral("无应答");
    }
    return {};
}

QString ResultText(Status status, const venue::VenueRound::Entry& entry)
{
    switch (status) {
    case Status::Sending:
    case Status::Delivered:
        return {};
    case Status::Done:
        return QStringLiteral("成功");
    case Status::NoAnswer:
        return QStringLiteral("失败：房间没有应答");
    case Status::Refused:
    case Status::Failed:
        break;
    }
    const QString reason = entry.reply->reason.empty() ? QString() : QStringLiteral("：") + Text(entry.reply->reason);
    return StatusText(status) + reason;
}

} // namespace

VenueWindow::VenueWindow(core::Scheduler& scheduler, core::Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window), m_scheduler(scheduler), m_prompter(prompter)
{
    setWindowTitle(QStringLiteral("场所"));
    setAccessibleName(windowTitle());
    setObjectName("VenueWindow");
    auto* layout = new QVBoxLayout(this);

    const QSettings settings;
    auto* connection = new QHBoxLayout;
    const auto field = [&](const QString& label, const QString& name, const QString& value, int width) {
        auto* edit = new QLineEdit(value, this);
        edit->setObjectName(name);
        edit->setMinimumWidth(width);
        connection->addWidget(new QLabel(label, this));
        connection->addWidget(edit, width);
        return edit;
    };
    m_broker = field(QStringLiteral("服务器"), "VenueBroker",
                     settings.value(kBrokerKey, QStringLiteral("mqtt://127.0.0.1:1883")).toString(), 200);
    m_venueName = field(QStringLiteral("场所"), "VenueName", settings.value(kVenueKey).toString(), 80);
    m_user = field(QStringLiteral("用户"), "VenueUser", settings.value(kUserKey).toString(), 80);
    m_password = field(QStringLiteral("密码"), "VenuePassword", QString(), 80);
    m_password->setEchoMode(QLineEdit::Password);
    auto* connect = new QPushButton(QStringLiteral("连接"), this);
    connect->setObjectName("VenueConnect");
    connection->addWidget(connect);
    layout->addLayout(connection);
    m_status = new QLabel(QStringLiteral("未连接"), this);
    m_status->setObjectName("VenueStatus");
    layout->addWidget(m_status);

    m_table = new QTableWidget(0, Result + 1, this);
    m_table->setObjectName("VenueRooms");
    m_table->setHorizontalHeaderLabels({QStringLiteral("房间"), QStringLiteral("状态"), QStringLiteral("预设"),
                                        QStringLiteral("模式"), QStringLiteral("音乐"), QStringLiteral("话筒"),
                                        QStringLiteral("效果"), QStringLiteral("音调"), QStringLiteral("最后联系"),
                                        QStringLiteral("与参考"), QStringLiteral("进度"), QStringLiteral("结果")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(Progress, QHeaderView::Fixed);
    m_table->horizontalHeader()->resizeSection(Progress, 110);
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table, 1);

    auto* reference = new QHBoxLayout;
    m_referenceName = new QLabel(QStringLiteral("参考配置：（未选择）"), this);
    m_referenceName->setObjectName("VenueReference");
    auto* pickReference = new QPushButton(QStringLiteral("选择参考配置…"), this);
    auto* showDifferences = new QPushButton(QStringLiteral("查看差异"), this);
    showDifferences->setObjectName("VenueDifferences");
    reference->addWidget(m_referenceName, 1);
    reference->addWidget(pickReference);
    reference->addWidget(showDifferences);
    layout->addLayout(reference);

    auto* actions = new QHBoxLayout;
    m_push = new QPushButton(QStringLiteral("推送配置…"), this);
    m_push->setObjectName("VenuePush");
    m_preset = new QComboBox(this);
    m_preset->setObjectName("VenuePreset");
    for (int preset = 0; preset < core::kPresetCount; ++preset)
        m_preset->addItem(Text(core::PresetName(preset)));
    m_recall = new QPushButton(QStringLiteral("调用预设"), this);
    m_recall->setObjectName("VenueRecall");
    auto* tune = new QPushButton(QStringLiteral("远程调音"), this);
    tune->setObjectName("VenueTune");
    actions->addWidget(m_push);
    actions->addWidget(m_preset);
    actions->addWidget(m_recall);
    actions->addStretch();
    actions->addWidget(tune);
    layout->addLayout(actions);

    m_differences = new QPlainTextEdit(this);
    m_differences->setObjectName("VenueDifferenceLines");
    m_differences->setReadOnly(true);
    m_differences->setPlaceholderText(QStringLiteral("选中一个房间并按“查看差异”，列出它与参考配置不同的参数。"));
    m_differences->setMaximumHeight(160);
    layout->addWidget(m_differences);

    QObject::connect(connect, &QPushButton::clicked, this, [this] { connectToBroker(); });
    QObject::connect(pickReference, &QPushButton::clicked, this, [this] { this->chooseReference(); });
    QObject::connect(showDifferences, &QPushButton::clicked, this, [this] { this->showDifferences(); });
    QObject::connect(m_push, &QPushButton::clicked, this, [this] { choosePush(); });
    QObject::connect(m_recall, &QPushButton::clicked, this, [this] { recallOnChosen(m_preset->currentIndex()); });
    QObject::connect(tune, &QPushButton::clicked, this, [this] {
        if (const std::string room = currentRoom(); !room.empty())
            emit tuneRoom(Text(room));
    });
    m_deadline = m_scheduler.createTimer(venue::kPushWaitSeconds * 1000, true, [this] { endRound(true); });
    m_pullDeadline = m_scheduler.createTimer(venue::kRecallWaitSeconds * 1000, true, [this] {
        venue::CommandReply silence;
        silence.reason = "房间没有应答";
        differencesRead(silence);
    });
    resize(980, 560);
}

QStringList VenueWindow::remoteTuningArguments(const QString& room) const
{
    QStringList arguments{QStringLiteral("--room"),   room,
                          QStringLiteral("--venue"),  m_venueName->text().trimmed(),
                          QStringLiteral("--broker"), m_broker->text().trimmed()};
    if (!m_user->text().isEmpty())
        arguments << QStringLiteral("--username") << m_user->text();
    return arguments;
}

QString VenueWindow::password() const
{
    return m_password->text();
}

VenueWindow::~VenueWindow()
{
    if (m_client)
        m_client->disconnect();
}

bool VenueWindow::connectTo(const QString& venue, const QString& broker)
{
    m_venueName->setText(venue);
    if (!broker.isEmpty())
        m_broker->setText(broker);
    return connectToBroker();
}

bool VenueWindow::connectToBroker()
{
    const std::string venueName = m_venueName->text().trimmed().toStdString();
    const auto broker = venue::ParseBrokerUrl(m_broker->text().trimmed().toStdString());
    if (!venue::ValidName(venueName)) {
        m_status->setText(QStringLiteral("场所名称只能由字母、数字、“-”、“_”或“.”组成。"));
        return false;
    }
    if (!broker) {
        m_status->setText(QStringLiteral("服务器地址应为 mqtt://主机[:端口] 或 mqtts://主机[:端口]。"));
        return false;
    }
    if (m_client)
        m_client->disconnect();
    m_client.reset();
    m_round.reset();
    m_deadline->stop();
    m_pullDeadline->stop();
    m_pullId.clear();
    m_push->setEnabled(true);
    m_recall->setEnabled(true);
    m_table->setRowCount(0);
    m_venue = venueName;
    m_rooms = venue::VenueRooms(venueName);
    if (m_reference)
        m_rooms.setReference(venue::WorkingSetHash(*m_reference));

    QSettings settings;
    settings.setValue(kBrokerKey, m_broker->text().trimmed());
    settings.setValue(kVenueKey, m_venueName->text().trimmed());
    settings.setValue(kUserKey, m_user->text());

    venue::MqttSettings mqtt;
    mqtt.broker = *broker;
    m_clientId = "quorix-console-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
                 std::to_string(m_scheduler.nowMs());
    mqtt.clientId = m_clientId;
    mqtt.username = m_user->text().toStdString();
    mqtt.password = m_password->text().toStdString();
    m_client = std::make_unique<venue::MqttClient>(mqtt, m_scheduler);
    venue::MqttClient* client = m_client.get();
    client->onConnection([this](bool connected, const std::string& reason) {
        m_status->setText(connected ? QStringLiteral("已连接") : QStringLiteral("未连接：") + Text(reason));
    });
    client->onSubscribed([this](int, bool granted) {
        if (!granted)
            m_status->setText(QStringLiteral("服务器不允许该用户读取这个场所的房间。"));
    });
    client->onPublished([this](int id) {
        if (m_round && m_round->delivered(id))
            showRound();
    });
    client->onMessage([this, client](const std::string& topic, const std::string& payload, bool) {
        message(client, topic, payload);
    });
    client->subscribe(venue::VenueFilter(m_venue, venue::TopicKind::State));
    client->subscribe(venue::VenueFilter(m_venue, venue::TopicKind::Reply));
    m_status->setText(QStringLiteral("正在连接…"));
    if (!client->start()) {
        m_status->setText(QStringLiteral("无法连接：") + Text(client->lastError()));
        m_client.reset();
        return false;
    }
    return true;
}

bool VenueWindow::connected() const
{
    return m_client && m_client->connected();
}

QString VenueWindow::status() const
{
    return m_status->text();
}

void VenueWindow::message(const venue::MqttClient* client, const std::string& topic, const std::string& payload)
{
    if (client != m_client.get())
        return;
    if (const auto taken = m_rooms.take(topic, payload); taken.room) {
        showRoom(*taken.room);
        return;
    }
    const auto replying = venue::RoomOfTopic(topic, venue::TopicKind::Reply);
    if (!replying || replying->venue != m_venue)
        return;
    if (m_round && m_round->take(replying->room, payload)) {
        showRound();
        if (m_round->answered())
            endRound(false);
        return;
    }
    if (!m_pullId.empty() && replying->room == m_pullRoom)
        if (const auto parsed = venue::ParseCommandReply(payload); parsed.reply && parsed.reply->id == m_pullId)
            differencesRead(*parsed.reply);
}

int VenueWindow::rowOf(const std::string& room) const
{
    for (int row = 0; row < m_table->rowCount(); ++row)
        if (m_table->item(row, Room)->text().toStdString() == room)
            return row;
    return -1;
}

QProgressBar* VenueWindow::progress(int row) const
{
    return qobject_cast<QProgressBar*>(m_table->cellWidget(row, Progress));
}

void VenueWindow::showRoom(const std::string& room)
{
    const auto found = m_rooms.rooms().find(room);
    int row = rowOf(room);
    if (found == m_rooms.rooms().end()) {
        if (row >= 0)
            m_table->removeRow(row);
        return;
    }
    if (row < 0) {
        // The rooms stay in the order of their names.
        row = 0;
        while (row < m_table->rowCount() && m_table->item(row, Room)->text().toStdString() < room)
            ++row;
        m_table->insertRow(row);
        for (int column = Room; column <= Result; ++column)
            m_table->setItem(row, column, new QTableWidgetItem);
        m_table->item(row, Room)->setText(Text(room));
    }
    const venue::RoomState& state = found->second;
    const auto set = [&](int column, const QString& text) { m_table->item(row, column)->setText(text); };
    set(Online, OnlineText(state));
    const auto& p = state.processor;
    set(Preset, p ? Text(core::PresetName(p->preset)) : QString());
    set(Mode, p ? (p->mode == 1 ? QStringLiteral("劲舞") : QStringLiteral("演唱")) : QString());
    set(Music, p ? LevelText(*p, 0) : QString());
    set(Microphone, p ? LevelText(*p, 1) : QString());
    set(Effect, p ? LevelText(*p, 2) : QString());
    set(Tone, p ? QString::number(p->tone) : QString());
    set(LastSeen, state.lastSeen == 0 ? QString()
                                      : QDateTime::fromSecsSinceEpoch(state.lastSeen).toString("yyyy-MM-dd HH:mm:ss"));
    set(Drift, DriftText(m_rooms.drift(room)));
    const QColor text = palette().color(state.online ? QPalette::Active : QPalette::Disabled, QPalette::Text);
    for (int column = Room; column <= LastSeen; ++column)
        m_table->item(row, column)->setForeground(text);
}

std::vector<std::string> VenueWindow::chosenRooms() const
{
    std::vector<std::string> rooms;
    for (int row = 0; row < m_table->rowCount(); ++row)
        if (m_table->item(row, Room)->isSelected())
            rooms.push_back(m_table->item(row, Room)->text().toStdString());
    return rooms;
}

std::string VenueWindow::currentRoom() const
{
    const int row = m_table->currentRow();
    return row < 0 ? std::string() : m_table->item(row, Room)->text().toStdString();
}

bool VenueWindow::startRound(const venue::RoomCommand& command, int waitSeconds)
{
    if (!connected()) {
        m_prompter.showMessage("未连接到场所的服务器。", core::Severity::Warning);
        return false;
    }
    if (roundRunning()) {
        m_prompter.showMessage("上一次操作还在等待房间应答。", core::Severity::Warning);
        return false;
    }
    const auto rooms = chosenRooms();
    if (rooms.empty()) {
        m_prompter.showMessage("请先选中要操作的房间。", core::Severity::Warning);
        return false;
    }
    for (int row = 0; row < m_table->rowCount(); ++row) {
        m_table->item(row, Result)->setText(QString());
        m_table->removeCellWidget(row, Progress);
    }
    m_round.emplace(rooms, m_clientId + "-" + std::to_string(++m_rounds));
    m_round->send(m_venue, command, [this](const std::string& topic, const std::string& payload) {
        return m_client->publish(topic, payload, false);
    });
    m_deadline->setInterval(waitSeconds * 1000);
    m_deadline->start();
    m_push->setEnabled(false);
    m_recall->setEnabled(false);
    showRound();
    return true;
}

void VenueWindow::showRound()
{
    for (const auto& entry : m_round->entries()) {
        const int row = rowOf(entry.room);
        if (row < 0)
            continue;
        const Status status = m_round->status(entry);
        QProgressBar* bar = progress(row);
        if (!bar) {
            bar = new QProgressBar(m_table);
            bar->setRange(0, 2);
            m_table->setCellWidget(row, Progress, bar);
        }
        bar->setValue(ProgressStep(status));
        bar->setFormat(StatusText(status));
        QTableWidgetItem* result = m_table->item(row, Result);
        result->setText(ResultText(status, entry));
        const bool failed = status != Status::Done && ProgressStep(status) == 2;
        result->setForeground(status == Status::Done ? QColor(Qt::darkGreen)
                              : failed               ? QColor(Qt::red)
                                                     : palette().color(QPalette::Text));
    }
}

void VenueWindow::endRound(bool expired)
{
    if (expired)
        m_round->expire();
    m_deadline->stop();
    showRound();
    const auto& entries = m_round->entries();
    const auto done = std::count_if(entries.begin(), entries.end(),
                                    [this](const auto& e) { return m_round->status(e) == Status::Done; });
    m_status->setText(
        QStringLiteral("%1 个房间成功，%2 个房间失败。").arg(done).arg(static_cast<qsizetype>(entries.size()) - done));
    m_push->setEnabled(true);
    m_recall->setEnabled(true);
    emit roundEnded();
}

bool VenueWindow::pushToChosen(const std::filesystem::path& file)
{
    core::ParamStore store;
    if (const auto loaded = core::LoadConfigurationFile(file, store); !loaded.ok) {
        m_prompter.showMessage(presets::ConfigFileMessage(loaded), core::Severity::Warning);
        return false;
    }
    venue::RoomCommand command;
    command.kind = venue::CommandKind::Push;
    command.configuration = core::EncodeConfiguration(store);
    return startRound(command, venue::kPushWaitSeconds);
}

bool VenueWindow::recallOnChosen(int preset)
{
    venue::RoomCommand command;
    command.kind = venue::CommandKind::Recall;
    command.preset = preset;
    return startRound(command, venue::kRecallWaitSeconds);
}

void VenueWindow::choosePush()
{
    if (const auto file = m_prompter.askFile({"推送配置", "音响配置文件 (*.quorix)"}))
        pushToChosen(*file);
}

void VenueWindow::chooseReference()
{
    if (const auto file = m_prompter.askFile({"选择参考配置", "音响配置文件 (*.quorix)"}))
        setReference(*file);
}

bool VenueWindow::setReference(const std::filesystem::path& file)
{
    core::ParamStore store;
    if (const auto loaded = core::LoadConfigurationFile(file, store); !loaded.ok) {
        m_prompter.showMessage(presets::ConfigFileMessage(loaded), core::Severity::Warning);
        return false;
    }
    m_reference = std::move(store);
    m_rooms.setReference(venue::WorkingSetHash(*m_reference));
    m_referenceName->setText(QStringLiteral("参考配置：") +
                             QFileInfo(QString::fromStdU16String(file.u16string())).fileName());
    for (const auto& [room, state] : m_rooms.rooms())
        showRoom(room);
    return true;
}

bool VenueWindow::showDifferences()
{
    const std::string room = currentRoom();
    if (!m_reference) {
        m_prompter.showMessage("请先选择参考配置。", core::Severity::Warning);
        return false;
    }
    if (room.empty() || !connected()) {
        m_prompter.showMessage(room.empty() ? "请先选中一个房间。" : "未连接到场所的服务器。", core::Severity::Warning);
        return false;
    }
    venue::RoomCommand pull;
    pull.kind = venue::CommandKind::Pull;
    pull.id = m_clientId + "-pull-" + std::to_string(++m_rounds);
    m_pullId = pull.id;
    m_pullRoom = room;
    m_client->publish(venue::Topic({m_venue, room}, venue::TopicKind::Command), venue::CommandJson(pull), false);
    m_differences->setPlainText(QStringLiteral("正在读取房间 %1 的参数…").arg(Text(room)));
    m_pullDeadline->start();
    return true;
}

void VenueWindow::differencesRead(const venue::CommandReply& reply)
{
    const QString room = Text(m_pullRoom);
    m_pullId.clear();
    m_pullDeadline->stop();
    core::ParamStore read;
    if (reply.outcome != venue::Outcome::Done || !core::DecodeConfiguration(reply.configuration, read).ok) {
        m_differences->setPlainText(QStringLiteral("未能读取房间 %1 的参数：%2")
                                        .arg(room, Text(reply.reason.empty() ? "应答中没有可用的配置" : reply.reason)));
        emit differencesShown();
        return;
    }
    const auto lines = tables::ScreenDifferenceLines(core::TransferredDifferences(*m_reference, read));
    QString text =
        lines.empty()
            ? QStringLiteral("房间 %1 与参考配置相同。").arg(room)
            : QStringLiteral("房间 %1 与参考配置有 %2 处不同（参考 -> 房间）：\n").arg(room).arg(lines.size());
    for (const auto& line : lines)
        text += Text(line) + '\n';
    m_differences->setPlainText(text);
    emit differencesShown();
}

QString VenueWindow::differences() const
{
    return m_differences->toPlainText();
}

VenueWindow* ShowVenueWindow(core::Scheduler& scheduler, core::Prompter& prompter, QWidget* parent)
{
    auto* window = parent->findChild<VenueWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new VenueWindow(scheduler, prompter, parent);
    window->show();
    window->raise();
    return window;
}

} // namespace quorix::ui

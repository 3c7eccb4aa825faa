#include "broker_fixture.h"

#include "tests/scripted_prompter.h"

#include "ui/venue_window.h"

#include "tables/screen_names.h"

#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/config_file.h"
#include "core/manual_scheduler.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>

#include <fstream>
#include <sstream>

using namespace quorix;
using Column = ui::VenueWindow::Column;

namespace {

// The window's own timers run in virtual time, so a room's silence is waited
// out at once; the broker's traffic comes through the event loop.
class VenueWindowTest : public BrokerFixture {
protected:
    void SetUp() override
    {
        BrokerFixture::SetUp();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(m_dir.string()));
        QSettings().clear();
    }

    QString cell(const char* room, Column column) const
    {
        const int row = m_window->rowOf(room);
        return row < 0 ? QString() : m_window->table().item(row, column)->text();
    }
    bool waitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, kWaitMs); }
    void choose(std::initializer_list<const char*> rooms)
    {
        m_window->table().clearSelection();
        for (const char* room : rooms)
            m_window->table().selectionModel()->select(m_window->table().model()->index(m_window->rowOf(room), 0),
                                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    std::filesystem::path configuration(const char* name, int musicLevel)
    {
        core::ParamStore store, image;
        core::InitParamStore(store, image);
        store.at(0, core::kMasterLevels).value = musicLevel;
        auto file = m_dir / name;
        EXPECT_TRUE(core::SaveConfigurationFile(file, store).ok);
        return file;
    }
    QString memory(const char* room) const { return QString::fromStdString((m_dir / room).string() + ".memory"); }

    core::ManualScheduler m_virtualTime;
    ScriptedPrompter m_prompter;
    std::unique_ptr<ui::VenueWindow> m_window;
};

} // namespace

TEST_F(VenueWindowTest, ListsTheRoomsLiveAndPushesToTheChosenOnesWithAResultForEach)
{
    startBroker();
    startAgent("r1", {"--simulator-memory", memory("r1")});
    startAgent("r2", {"--simulator-memory", memory("r2")});
    startAgent("r3", {}); // no processor plugged in
    m_window = std::make_unique<ui::VenueWindow>(m_virtualTime, m_prompter);
    m_window->show();
    m_window->findChild<QLineEdit*>("VenueUser")->setText("console");
    m_window->findChild<QLineEdit*>("VenuePassword")->setText("pw-console");
    ASSERT_TRUE(m_window->connectTo("hall", QString::fromStdString(url())));
    ASSERT_TRUE(waitFor([&] {
        return cell("r1", Column::Online) == "在线" && cell("r2", Column::Online) == "在线" &&
               cell("r3", Column::Online) == "未接设备";
    })) << m_window->status().toStdString();
    EXPECT_EQ(m_window->status(), "已连接");
    EXPECT_EQ(cell("r1", Column::Preset), "KTV");
    EXPECT_EQ(cell("r1", Column::Mode), "演唱");
    EXPECT_FALSE(cell("r1", Column::LastSeen).isEmpty());
    EXPECT_EQ(cell("r1", Column::Drift), "—"); // no reference yet

    const auto pushed = configuration("venue.quorix", 11);
    choose({"r1", "r2", "r3"});
    QTest::mouseClick(m_window->findChild<QPushButton*>("VenueRecall"), Qt::LeftButton); // a round under way...
    EXPECT_FALSE(m_window->pushToChosen(pushed));                                        // ...takes no second one
    ASSERT_TRUE(waitFor([&] { return !m_window->roundRunning(); }));
    ASSERT_TRUE(m_window->pushToChosen(pushed));
    ASSERT_TRUE(waitFor([&] { return !m_window->roundRunning(); }));
    EXPECT_EQ(cell("r1", Column::Result), "成功");
    EXPECT_EQ(cell("r2", Column::Result), "成功");
    EXPECT_EQ(cell("r3", Column::Result), "拒绝：设备未联机！无法进行该操作。");
    EXPECT_EQ(m_window->status(), "2 个房间成功，1 个房间失败。");
    const auto* bar =
        qobject_cast<QProgressBar*>(m_window->table().cellWidget(m_window->rowOf("r3"), Column::Progress));
    EXPECT_EQ(bar->value(), bar->maximum());
    ASSERT_TRUE(waitFor([&] { return cell("r1", Column::Music) == "11" && cell("r2", Column::Music) == "11"; }));

    // Against the file pushed the rooms hold the same; against another, r1 differs, and says where.
    ASSERT_TRUE(m_window->setReference(pushed));
    EXPECT_EQ(cell("r1", Column::Drift), "相同");
    EXPECT_EQ(cell("r3", Column::Drift), "—");
    ASSERT_TRUE(m_window->setReference(configuration("reference.quorix", 30)));
    EXPECT_EQ(cell("r2", Column::Drift), "不同");
    m_window->table().setCurrentCell(m_window->rowOf("r1"), Column::Room);
    ASSERT_TRUE(m_window->showDifferences());
    ASSERT_TRUE(waitFor([&] { return !m_window->differences().startsWith("正在读取"); }));
    const std::string lines = m_window->differences().toStdString();
    EXPECT_NE(lines.find(tables::ParamScreenLabel(core::kMasterLevels)), std::string::npos) << lines;
    EXPECT_NE(lines.find("房间 r1 与参考配置有 1 处不同"), std::string::npos) << lines;
    QStringList tuned;
    QObject::connect(m_window.get(), &ui::VenueWindow::tuneRoom, [&](const QString& room) { tuned << room; });
    QTest::mouseClick(m_window->findChild<QPushButton*>("VenueTune"), Qt::LeftButton);
    EXPECT_EQ(tuned, QStringList{"r1"});

    // The installer's broker and user are remembered, the password nowhere.
    QSettings().sync();
    EXPECT_EQ(QSettings().value("venue/username").toString(), "console");
    EXPECT_EQ(QSettings().value("venue/broker").toString().toStdString(), url());
    for (const auto& file : std::filesystem::recursive_directory_iterator(m_dir)) {
        std::ostringstream text;
        text << std::ifstream(file.path()).rdbuf();
        EXPECT_EQ(text.str().find("pw-console"), std::string::npos) << file.path();
    }
    ui::VenueWindow remembered(m_virtualTime, m_prompter);
    EXPECT_EQ(remembered.findChild<QLineEdit*>("VenueUser")->text(), "console");
    EXPECT_TRUE(remembered.findChild<QLineEdit*>("VenuePassword")->text().isEmpty());
}

TEST_F(VenueWindowTest, ARoomThatDoesNotAnswerInTimeIsAFailureAndTheWindowTellsSo)
{
    startBroker();
    QProcess& gone = startAgent("r1", {"--simulator"});
    startAgent("r2", {"--simulator"});
    m_window = std::make_unique<ui::VenueWindow>(m_virtualTime, m_prompter);
    EXPECT_FALSE(m_window->connectTo("hall/+", QString::fromStdString(url())));
    EXPECT_FALSE(m_window->connectTo("hall", "http://127.0.0.1"));
    EXPECT_EQ(m_window->status(), "服务器地址应为 mqtt://主机[:端口] 或 mqtts://主机[:端口]。");
    ASSERT_TRUE(m_window->connectTo("hall", QString::fromStdString(url())));
    ASSERT_TRUE(waitFor([&] { return cell("r1", Column::Online) == "在线" && cell("r2", Column::Online) == "在线"; }));
    gone.kill(); // its will says offline once the broker misses it; meanwhile the room looks alive
    gone.waitForFinished(5000);
    choose({"r1", "r2"});
    ASSERT_TRUE(m_window->recallOnChosen(4));
    ASSERT_TRUE(waitFor([&] { return cell("r2", Column::Result) == "成功"; }));
    EXPECT_TRUE(m_window->roundRunning());
    EXPECT_TRUE(cell("r1", Column::Result).isEmpty());
    m_virtualTime.advance(venue::kRecallWaitSeconds * 1000);
    EXPECT_FALSE(m_window->roundRunning());
    EXPECT_EQ(cell("r1", Column::Result), "失败：房间没有应答");
    EXPECT_EQ(cell("r2", Column::Result), "成功");
    EXPECT_TRUE(waitFor([&] { return cell("r2", Column::Preset) == "USER2"; }));

    // A room a console tunes remotely says who holds it, not that it has no processor.
    Client& console = connectClient();
    console.mqtt->publish(venue::Topic({"hall", "r2"}, venue::TopicKind::Command),
                          R"({"id":"t","command":"tune","console":"laptop.4711","on":true})", false);
    EXPECT_TRUE(waitFor([&] { return cell("r2", Column::Online) == "远程调音：laptop.4711"; }))
        << cell("r2", Column::Online).toStdString();

    // Nothing chosen, or no reference: said, and nothing sent.
    m_window->table().clearSelection();
    EXPECT_FALSE(m_window->recallOnChosen(0));
    EXPECT_FALSE(m_window->showDifferences());
    EXPECT_EQ(m_prompter.messages, (std::vector<std::string>{"请先选中要操作的房间。", "请先选择参考配置。"}));
}

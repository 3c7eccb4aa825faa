#include "console_frame.h"

#include "compare_window.h"
#include "console_services.h"

#include "core/prompter.h"
#include "link/device_link.h"
#include "preset_actions.h"
#include "sim_panel.h"
#include "tuning_window.h"
#include "venue_window.h"

#include "tables/tuning_window_table.h"

#include "link/link_host.h"

#include "venue/broker_url.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>

namespace quorix::ui {

namespace {

const QString kProductTitle = QStringLiteral("Quorix_Series");

} // namespace

ConsoleFrame::ConsoleFrame(ConsoleServices& session, core::Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_prompter(prompter)
{
    setWindowTitle(kProductTitle);
    m_area = new QMdiArea(this);
    m_area->setBackground(QColor(0x20, 0x24, 0x2a));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    createMenus();
    m_presets = std::make_unique<PresetActions>(session, prompter, *this);
    loadMainWindow();
}

ConsoleFrame::~ConsoleFrame()
{
    m_quitting = true;
    delete m_sub;
}

QAction* ConsoleFrame::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

void ConsoleFrame::createMenus()
{
    const auto named = [this](QAction* a, const QString& name) {
        a->setObjectName(name);
        return a;
    };
    QMenu* device = menuBar()->addMenu(QStringLiteral("设备"));
    device->setObjectName("CmdDeviceMenu");
    QAction* mainWindow = named(device->addAction(QString::fromLatin1(kModelName)), "CmdMainWindow");
    mainWindow->setCheckable(true);
    connect(mainWindow, &QAction::triggered, this, [this] { cmdMainWindowChosen(); });
    device->addSeparator();
    QAction* online = named(device->addAction(QStringLiteral("联机模式")), "cmdConMode");
    QAction* offline = named(device->addAction(QStringLiteral("脱机模式")), "cmdOfflineMode");
    online->setCheckable(true);
    offline->setCheckable(true);
    online->setChecked(true);
    connect(online, &QAction::triggered, this, [this, online, offline] {
        online->setChecked(true);
        offline->setChecked(false);
        if (m_frm)
            m_session.link().onlineModeChosen();
    });
    connect(offline, &QAction::triggered, this, [this, online, offline] {
        online->setChecked(false);
        offline->setChecked(true);
        if (m_frm)
            m_session.link().offlineModeChosen();
    });
    QAction* compare = named(device->addAction(QStringLiteral("与设备比较")), "CmdCompareDevice");
    connect(compare, &QAction::triggered, this, [this] { OpenCompareWindow(m_session, m_frm, m_prompter, this); });
    QAction* venue = named(device->addAction(QStringLiteral("场所…")), "CmdVenue");
    connect(venue, &QAction::triggered, this, [this] { showVenue(); });
    QAction* diagnostics = named(device->addAction(QStringLiteral("保存诊断信息…")), "CmdSaveDiagnostics");
    connect(diagnostics, &QAction::triggered, this, [this] { saveDiagnostics(); });
    connect(this, &ConsoleFrame::mainWindowLoadedChanged, this, [mainWindow, online, offline](bool loaded) {
        mainWindow->setChecked(loaded);
        online->setEnabled(loaded);
        offline->setEnabled(loaded);
    });
    if (m_session.processor()) {
        device->addSeparator();
        QAction* panel = named(device->addAction(QStringLiteral("模拟处理器…")), "SimulatorPanel");
        connect(panel, &QAction::triggered, this, [this] {
            if (!m_simPanel)
                m_simPanel =
                    new SimPanel(*m_session.processor(), *m_session.simulatorPort(), m_session.scheduler(), this);
            m_simPanel->show();
            m_simPanel->raise();
        });
    }
    named(menuBar()->addAction(QStringLiteral("程序管理")), "CmdProgramSetup");
    QAction* startup = named(menuBar()->addAction(QStringLiteral("开机设置")), "CmdStartupSettings");
    connect(startup, &QAction::triggered, this, [this] { showStartupSettings(); });
    QAction* about = named(menuBar()->addAction(QStringLiteral("关于")), "CmdAbout");
    connect(about, &QAction::triggered, this, [this] { showAbout(); });
}

VenueWindow* ConsoleFrame::showVenue(const QString& venue, const QString& broker)
{
    const bool opened = findChild<VenueWindow*>(QString(), Qt::FindDirectChildrenOnly) == nullptr;
    VenueWindow* window = ShowVenueWindow(m_session.scheduler(), m_prompter, this);
    if (opened)
        connect(window, &VenueWindow::tuneRoom, this, [this, window](const QString& room) {
            QProcess console;
            console.setProgram(QCoreApplication::applicationFilePath());
            console.setArguments(window->remoteTuningArguments(room));
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QString::fromLatin1(venue::kBrokerPasswordVariable), window->password());
            console.setProcessEnvironment(environment);
            if (!console.startDetached())
                m_prompter.showMessage("无法启动远程调音窗口。", core::Severity::Warning);
        });
    if (!venue.isEmpty()) {
        window->connectTo(venue, broker);
    }
    return window;
}

void ConsoleFrame::saveDiagnostics()
{
    auto path = m_prompter.askFile({kDiagnosticsCaption, "诊断信息 (*.zip)", true});
    if (!path)
        return;
    if (path->extension().empty())
        path->replace_extension(".zip");
    const std::string problem = m_session.saveSupportBundle(*path);
    if (problem.empty())
        m_prompter.showMessage(kDiagnosticsSaved, core::Severity::Information);
    else
        m_prompter.showMessage(std::string(kDiagnosticsNotSaved) + problem, core::Severity::Warning);
}

void ConsoleFrame::openConfigurationFile()
{
    m_presets->openConfigurationFile();
}
void ConsoleFrame::saveConfigurationFile()
{
    m_presets->saveConfigurationFile();
}
void ConsoleFrame::showRecallMenu()
{
    m_presets->showRecallMenu();
}
void ConsoleFrame::showStoreMenu()
{
    m_presets->showStoreMenu();
}
bool ConsoleFrame::showExitSave()
{
    return m_presets->showExitSave();
}
void ConsoleFrame::synchronised(bool ok)
{
    m_presets->synchronised(ok);
}
void ConsoleFrame::openWhenOnline(const std::filesystem::path& file)
{
    m_presets->openWhenOnline(file);
}

void ConsoleFrame::showAbout()
{
    // The main window's own About item stands in for the frame's while it is loaded.
    if (m_frm)
        m_prompter.showMessage("Quorix_Series 软件版本 1.0.0", core::Severity::Information);
    else
        m_prompter.showMessage("Quorix_Series V1.0", core::Severity::Information);
}

void ConsoleFrame::loadMainWindow()
{
    if (m_frm)
        return;
    m_session.link().setQuietShutdown(false);
    m_frm = new TuningWindow(m_session, m_prompter, *this);
    m_frm->setAttribute(Qt::WA_DeleteOnClose, false);
    connect(m_frm, &TuningWindow::captionChanged, this, [this](const QString& caption) { setWindowTitle(caption); });
    connect(m_frm, &TuningWindow::unloaded, this, [this] { mainWindowGone(); });
    connect(m_frm, &TuningWindow::exitChosen, this, [this] { m_quitting = true; });
    m_sub = m_area->addSubWindow(m_frm, Qt::FramelessWindowHint);
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    using Geometry = tables::TuningWindowGeometry;
    const int screenHeight = screen ? screen->availableGeometry().height() : Geometry::kDesignHeight;
    const int height = Geometry::kDesignHeight + std::max(0, screenHeight - Geometry::kDesignHeight) / 2;
    m_sub->resize(Geometry::kDesignWidth, height);
    m_sub->move(66, 0);
    m_sub->show();
    setWindowTitle(m_frm->windowTitle());
    emit mainWindowLoadedChanged(true);
}

void ConsoleFrame::cmdMainWindowChosen()
{
    if (m_frm)
        m_frm->requestClose(TuningWindow::CloseScope::Window);
    else
        loadMainWindow();
}

void ConsoleFrame::mainWindowGone()
{
    TuningWindow* frm = m_frm;
    m_frm = nullptr;
    if (m_sub) {
        m_sub->hide();
        m_sub->deleteLater();
    }
    frm->deleteLater();
    setWindowTitle(kProductTitle);
    emit mainWindowLoadedChanged(false);
    if (m_quitting)
        qApp->quit();
}

void ConsoleFrame::closeEvent(QCloseEvent* event)
{
    if (m_frm) {
        event->ignore();
        m_frm->requestClose(TuningWindow::CloseScope::Program);
        return;
    }
    event->accept();
    qApp->quit();
}

} // namespace quorix::ui

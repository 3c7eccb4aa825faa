#include "mdi_main.h"

#include "compare_window.h"
#include "console_session.h"
#include "frm_eq.h"
#include "frm_eq_controls.h"
#include "preset_actions.h"
#include "prompter.h"
#include "sim_panel.h"

#include "link/link_host.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>

namespace quorix::ui {

namespace {

const QString kProductTitle = QStringLiteral("Quorix_Series");

} // namespace

mdiMain::mdiMain(ConsoleSession& session, Prompter& prompter, QWidget* parent)
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
    LoadMainWindow();
}

mdiMain::~mdiMain()
{
    m_quitting = true;
    delete m_sub;
}

QAction* mdiMain::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

void mdiMain::createMenus()
{
    const auto named = [this](QAction* a, const QString& name) {
        a->setObjectName(name);
        return a;
    };
    QMenu* device = menuBar()->addMenu(QStringLiteral("设备"));
    device->setObjectName("CmdDeviceMenu");
    QAction* mainWindow = named(device->addAction(QString::fromLatin1(kModelName)), "CmdMainWindow");
    mainWindow->setCheckable(true);
    connect(mainWindow, &QAction::triggered, this, [this] { CmdMainWindowChosen(); });
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
            m_session.link().OnlineModeChosen();
    });
    connect(offline, &QAction::triggered, this, [this, online, offline] {
        online->setChecked(false);
        offline->setChecked(true);
        if (m_frm)
            m_session.link().OfflineModeChosen();
    });
    QAction* compare = named(device->addAction(QStringLiteral("与设备比较")), "CmdCompareDevice");
    connect(compare, &QAction::triggered, this, [this] { OpenCompareWindow(m_session, m_frm, m_prompter, this); });
    connect(this, &mdiMain::mainWindowLoadedChanged, this, [mainWindow, online, offline](bool loaded) {
        mainWindow->setChecked(loaded);
        online->setEnabled(loaded);
        offline->setEnabled(loaded);
    });
    if (m_session.processor()) {
        device->addSeparator();
        QAction* panel = named(device->addAction(QStringLiteral("模拟处理器…")), "SimulatorPanel");
        connect(panel, &QAction::triggered, this, [this] {
            if (!m_simPanel)
                m_simPanel = new SimPanel(*m_session.processor(), *m_session.simulatorPort(), m_session.scheduler(), this);
            m_simPanel->show();
            m_simPanel->raise();
        });
    }
    named(menuBar()->addAction(QStringLiteral("程序管理")), "CmdProgramSetup");
    QAction* startup = named(menuBar()->addAction(QStringLiteral("开机设置")), "CmdStartupSettings");
    connect(startup, &QAction::triggered, this, [this] { ShowStartupSettings(); });
    QAction* about = named(menuBar()->addAction(QStringLiteral("关于")), "CmdAbout");
    connect(about, &QAction::triggered, this, [this] { showAbout(); });
}

void mdiMain::OpenConfigurationFile() { m_presets->OpenConfigurationFile(); }
void mdiMain::SaveConfigurationFile() { m_presets->SaveConfigurationFile(); }
void mdiMain::ShowRecallMenu() { m_presets->ShowRecallMenu(); }
void mdiMain::ShowStoreMenu() { m_presets->ShowStoreMenu(); }
void mdiMain::ShowExitSave() { m_presets->ShowExitSave(); }

void mdiMain::showAbout()
{
    // The main window's own About item stands in for the frame's while it is loaded.
    if (m_frm)
        m_prompter.showMessage("Quorix_Series 软件版本 1.0.0", link::MessageIcon::Warning);
    else
        m_prompter.showMessage("Quorix_Series V1.0", link::MessageIcon::Warning);
}

void mdiMain::LoadMainWindow()
{
    if (m_frm)
        return;
    m_session.link().setQuietShutdown(false);
    m_frm = new frmEQ(m_session, m_prompter, *this);
    m_frm->setAttribute(Qt::WA_DeleteOnClose, false);
    connect(m_frm, &frmEQ::captionChanged, this, [this](const QString& caption) { setWindowTitle(caption); });
    connect(m_frm, &frmEQ::unloaded, this, [this] { mainWindowGone(); });
    connect(m_frm, &frmEQ::exitChosen, this, [this] { m_quitting = true; });
    m_sub = m_area->addSubWindow(m_frm, Qt::FramelessWindowHint);
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenHeight = screen ? screen->availableGeometry().height() : FrmEqGeometry::kDesignHeight;
    const int height = FrmEqGeometry::kDesignHeight + std::max(0, screenHeight - FrmEqGeometry::kDesignHeight) / 2;
    m_sub->resize(FrmEqGeometry::kDesignWidth, height);
    m_sub->move(66, 0);
    m_sub->show();
    setWindowTitle(m_frm->windowTitle());
    emit mainWindowLoadedChanged(true);
}

void mdiMain::CmdMainWindowChosen()
{
    if (m_frm)
        m_frm->requestClose();
    else
        LoadMainWindow();
}

void mdiMain::mainWindowGone()
{
    frmEQ* frm = m_frm;
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

void mdiMain::closeEvent(QCloseEvent* event)
{
    if (m_frm) {
        m_quitting = true;
        event->ignore();
        m_frm->requestClose();
        return;
    }
    event->accept();
    qApp->quit();
}

} // namespace quorix::ui

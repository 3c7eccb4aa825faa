#pragma once

#include "control_spec.h"
#include "mode_control.h"
#include "value_dispatch.h"

#include "link/link_host.h"

#include "core/undo_history.h"

#include <QString>
#include <QKeyEvent>
#include <QWidget>

class QMenu;

#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

namespace quorix::controls {
class C_ProgressBar;
class MBtnFlag;
class MComboBox;
class MScrollBar;
} // namespace quorix::controls

namespace quorix::graph {
class ResponsePlot;
class ScrollBarSliders;
} // namespace quorix::graph

namespace quorix::ui {

class ConsoleSession;
class PagePanel;
class Prompter;
class WindowActions;

inline constexpr std::string_view kExitQuestion = "退出Quorix_Series应用程序前，是否需要保存当前预置或设备配置？";
inline constexpr std::string_view kCaptionNoPermission = "Quorix_Series - 无权访问设备";
inline constexpr std::string_view kNoPermissionMessage =
    "已找到处理器，但当前用户没有打开它的权限。\n"
    "请安装 Quorix Console 软件包（它带有设备权限规则），或由管理员把 packaging/70-quorix.rules "
    "复制到 /etc/udev/rules.d/ 并执行 udevadm control --reload，然后重新插拔处理器。";
inline constexpr std::string_view kStoppingMessage = "正在停止通信进程，请点击下面的确认，软件会自动关闭。";

// The main tuning window: the eight pages of bound controls, the controls
// outside the pages, the response graph, the mode and undo buttons, the
// keyboard and its own borderless sizing. It is what the link shows itself on.
class frmEQ final : public QWidget, public link::LinkHost, private DispatchHost, private ModeHost {
    Q_OBJECT

public:
    static constexpr int kMoveWindowMs = 150;
    static constexpr int kFrameCountMs = 1000;
    static constexpr int kDelayedUnloadMs = 700;
    static constexpr int kSizingBand = 5;

    frmEQ(ConsoleSession& session, Prompter& prompter, WindowActions& actions, QWidget* parent = nullptr);
    ~frmEQ() override;

    // Controls by array and index (Named controls by name and index); null when there is none.
    controls::MScrollBar* slider(int index) const;
    controls::MBtnFlag* button(ControlArray array, int index) const;
    controls::MBtnFlag* named(std::string_view name, int index = 0) const;
    controls::MComboBox* combo(int index) const;
    QWidget* panel(int page) const;
    graph::ResponsePlot& plot() const { return *m_plot; }
    controls::C_ProgressBar& progressBar() const { return *m_progress; }
    ValueDispatch& dispatch() { return *m_dispatch; }
    ModeControl& modes() { return *m_modes; }
    core::UndoHistory& undo() { return m_undo; }
    bool firstActivationDone() const { return m_activated; }
    int framesPerSecond() const { return m_framesPerSecond; }
    QString DragDirection() const { return m_dragDirection; }

    void cmdPageClick(int page);
    void ChangePage();
    void StartPageInit();
    void LayoutEffectsPage();
    void Command3Click(int third);
    // One of the six letter keys (q/a/w/s/e/d) stepping the master sliders; false for any other.
    bool MasterKey(QChar key);
    // Ctrl+Z, Ctrl+Y / Ctrl+Shift+Z, Ctrl+S, Ctrl+O and Ctrl+1..8; false for any other key.
    bool CommandKey(const QKeyEvent& event);
    // The pointer zone check of tmrMoveWindow, from a pointer position in the window's coordinates.
    void CheckPointerZone(QPoint position);
    // A processor is plugged in but this user may not open it: say so, and how to fix it, once.
    void showNoPermission();
    // The close request: the save question, quieting the link, stopping the timers, unloading.
    void requestClose();

    // The response graph's context menu: filter import, picture and curve export, the report.
    std::unique_ptr<QMenu> createGraphMenu();
    // Fits a measurement tool's filters to the page's bands as one undo step and
    // writes each changed band while online; the fit is shown either way.
    bool importFilters(const std::filesystem::path& file);
    // The graph at twice the screen's resolution, as PNG.
    bool savePicture(const std::filesystem::path& file);
    // The page's curves as quorix-cli response writes them, on the graph's own points.
    bool saveCurves(const std::filesystem::path& file);
    // The tuning report of the store, as quorix-cli report writes it, as PDF.
    bool printReport(const std::filesystem::path& file);

    // LinkHost
    void setConnectionStatus(int value) override;
    void setCaption(std::string_view caption) override;
    void showMessage(std::string_view text, link::MessageIcon icon) override;
    void setWindowEnabled(bool enabled) override;
    void showProgress(bool visible) override;
    void setProgress(int value, int maximum) override;
    void RefreshControls() override;
    void ApplyDeviceVariant(bool variantFlag) override;
    void setToneLabel(int value) override;
    void closeRecordingWindow() override;
    void setMasterMaxima(int music, int microphone, int effect) override;
    void showPreset(int preset) override;
    void modeStateLoaded() override;
    void resetUndo() override;
    void linkTicked() override;
    void synchronised(bool ok) override;

signals:
    void captionChanged(const QString& caption);
    // The window's own close button: the user leaves the application, not only this window.
    void exitChosen();
    // The window has unloaded itself (after a close request); the frame destroys it.
    void unloaded();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Key {
        ControlArray array;
        std::string_view name;
        int index;
        bool operator<(const Key& other) const
        {
            return std::tie(array, name, index) < std::tie(other.array, other.name, other.index);
        }
    };

    void createControls();
    void connectControl(const ControlSpec& spec, QWidget* widget);
    void layoutWindow();
    void sliderScrolled(controls::MScrollBar* slider);
    void radioClicked(ControlArray array, int index);
    void setButtonsOf(ControlArray array, int pressed);
    bool inPage(int address) const;
    QWidget* sizingTarget();
    void unload();
    void askAndRun(std::string_view caption, std::string_view filter, bool save,
                   bool (frmEQ::*run)(const std::filesystem::path&));
    bool saveBytes(const std::filesystem::path& file, std::string_view bytes);

    // DispatchHost
    bool boundSliderChanged(int point, int address, const graph::SliderFields& fields) override;
    void filterTypeChanged(int point, int type) override;
    void bypassChanged() override;
    void showSliderValue(int sliderIndex, int raw) override;
    void setEffectWindowButtonEnabled(bool enabled) override;
    int toneLabel() const override;
    // ModeHost
    void showModeButtons(int singing, int dance) override;
    void showAutoButtons(int manual, int automatic) override;
    void HighlightBoundSlider() override;
    void showMessage(std::string_view text) override;
    bool askYesNo(std::string_view question) override;
    void setEditingBlocked(bool blocked) override;

    ConsoleSession& m_session;
    Prompter& m_prompter;
    WindowActions& m_actions;
    core::UndoHistory m_undo;
    std::map<Key, QWidget*> m_controls;
    std::vector<controls::MScrollBar*> m_sliderArray; // MyScrollBar by index, with gaps
    std::unique_ptr<graph::ScrollBarSliders> m_bandSliders;
    std::map<const QWidget*, const ControlSpec*> m_specs;
    PagePanel* m_background = nullptr;
    std::array<PagePanel*, 8> m_panels{};
    PagePanel* m_strip = nullptr;
    graph::ResponsePlot* m_plot = nullptr;
    controls::C_ProgressBar* m_progress = nullptr;
    std::unique_ptr<ValueDispatch> m_dispatch;
    std::unique_ptr<ModeControl> m_modes;
    std::unique_ptr<core::Timer> m_moveWindow;
    std::unique_ptr<core::Timer> m_frameCount;
    std::unique_ptr<core::Timer> m_delayedUnload;
    std::unique_ptr<core::Timer> m_reread;
    bool m_activated = false;
    bool m_permissionExplained = false;
    bool m_closing = false;
    bool m_unloaded = false;
    int m_framesPerSecond = 0;
    QString m_dragDirection = QStringLiteral("Move");
    bool m_sizingDrag = false;
    bool m_movingWindow = false;
    QPoint m_pressGlobal;
    QPoint m_pressOrigin;
    QSize m_pressSize;
};

} // namespace quorix::ui

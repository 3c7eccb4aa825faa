#pragma once

#include "mode_control.h"
#include "page_switcher.h"
#include "store_view.h"
#include "value_dispatch.h"
#include "window_controls.h"

#include "tables/control_row.h"

#include "controls/store_marks.h"

#include "core/param_editor.h"
#include "core/prompter.h"
#include "core/undo_history.h"

#include <QKeyEvent>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace quorix::controls {
class SkinnedProgressBar;
class SkinnedButton;
class SkinnedDropDown;
class SkinnedFader;
} // namespace quorix::controls

namespace quorix::link {
class DeviceLink;
} // namespace quorix::link

namespace quorix::graph {
class ResponsePlot;
} // namespace quorix::graph

namespace quorix::ui {

class FaderBandSliders;

class ConsoleServices;
class EditScreen;
class GraphActions;
class LinkScreen;
class ReconnectRead;
class PagePanel;
class WindowSizing;
class WindowActions;

inline constexpr std::string_view kExitQuestion = "退出Quorix_Series应用程序前，是否需要保存当前预置或设备配置？";
inline constexpr std::string_view kCloseWindowQuestion = "关闭调音窗口前，是否需要保存当前预置或设备配置？";
inline constexpr std::string_view kStoppingMessage = "正在停止通信进程，请点击下面的确认，软件会自动关闭。";

// The main tuning window: the eight pages of bound controls, the controls
// outside the pages, the response graph, the mode and undo buttons and the
// keyboard. What the link and the edits show on it goes through LinkScreen and
// EditScreen; its borderless sizing is WindowSizing; its graph menu GraphActions.
class TuningWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMoveWindowMs = 150;
    static constexpr int kDelayedUnloadMs = 700;
    static constexpr int kSizingBand = 5;

    TuningWindow(ConsoleServices& services, core::Prompter& prompter, WindowActions& actions,
                 QWidget* parent = nullptr);
    ~TuningWindow() override;

    // Controls by array and index (Named controls by name and index); null when there is none.
    controls::SkinnedFader* slider(int index) const { return m_controls.slider(index); }
    controls::SkinnedButton* button(tables::ControlArray array, int index) const
    {
        return m_controls.button(array, index);
    }
    controls::SkinnedButton* named(std::string_view name, int index = 0) const { return m_controls.named(name, index); }
    controls::SkinnedDropDown* combo(int index) const { return m_controls.combo(index); }
    // The named controls the code drives, found once.
    const WindowControls::Driven& driven() const { return m_controls.driven(); }
    const WindowControls& controls() const { return m_controls; }
    WindowActions& actions() { return m_actions; }
    link::DeviceLink& link();
    QWidget* panel(int page) const;
    graph::ResponsePlot& plot() const { return *m_plot; }
    controls::SkinnedProgressBar& progressBar() const { return *m_progress; }
    ValueDispatch& dispatch() { return *m_dispatch; }
    ModeControl& modes() { return *m_modes; }
    core::UndoHistory& history() { return m_undo; }
    // The one edit path of every change made in this window.
    core::ParamEditor& edits() { return m_edits; }
    LinkScreen& linkScreen() { return *m_linkScreen; }
    GraphActions& graphActions() { return *m_graphActions; }
    WindowSizing& sizing() { return *m_sizing; }
    ReconnectRead& reconnectRead() { return *m_reconnect; }

    // Which page and effects third is on show.
    PageSwitcher& pages() { return *m_pages; }
    // The store on the controls: changes of the document show themselves.
    StoreView& storeView() { return *m_storeView; }
    void startPageInit();
    void showCaption(const QString& caption);
    // One of the six letter keys (q/a/w/s/e/d) stepping the master sliders; false for any other.
    bool masterKey(QChar key);
    // Ctrl+Z, Ctrl+Y / Ctrl+Shift+Z, Ctrl+S, Ctrl+O and Ctrl+1..8; false for any other key.
    bool commandKey(const QKeyEvent& event);
    // What a close request ends: the tuning window alone, or the program with it.
    enum class CloseScope { Window, Program };
    // The close request: the save question, quieting the link, stopping the timers, unloading.
    // False when the user withdrew it (Escape or 取消): the window stays as it was.
    bool requestClose(CloseScope scope);
    // Disables the window for an operation that must not be interrupted; enabling it again
    // gives the keyboard back to the control that had it, or to the window.
    void setBusy(bool busy);

signals:
    void captionChanged(const QString& caption);
    // A close of the program went ahead: the user leaves the application, not only this window.
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
    void createControls();
    void connectControl(const tables::ControlRow& row, QWidget* widget);
    void layoutWindow();
    void sliderScrolled(controls::SkinnedFader* slider);
    void unload();

    ConsoleServices& m_services;
    core::Prompter& m_prompter;
    WindowActions& m_actions;
    core::UndoHistory& m_undo;
    core::ParamEditor& m_edits;
    controls::StoreMarks m_faderMarks;
    std::unique_ptr<LinkScreen> m_linkScreen;
    std::unique_ptr<EditScreen> m_editScreen;
    std::unique_ptr<ReconnectRead> m_reconnect;
    std::unique_ptr<WindowSizing> m_sizing;
    std::unique_ptr<GraphActions> m_graphActions;
    WindowControls m_controls;
    std::unique_ptr<FaderBandSliders> m_bandSliders;
    PagePanel* m_background = nullptr;
    std::array<PagePanel*, 8> m_panels{};
    PagePanel* m_strip = nullptr;
    graph::ResponsePlot* m_plot = nullptr;
    controls::SkinnedProgressBar* m_progress = nullptr;
    std::unique_ptr<StoreView> m_storeView;
    std::unique_ptr<PageSwitcher> m_pages;
    std::unique_ptr<ValueDispatch> m_dispatch;
    std::unique_ptr<ModeControl> m_modes;
    std::unique_ptr<core::Timer> m_moveWindow;
    std::unique_ptr<core::Timer> m_delayedUnload;
    std::unique_ptr<core::Timer> m_reread;
    QPointer<QWidget> m_focusBeforeBusy;
    bool m_activated = false;
    bool m_closing = false;
    bool m_unloaded = false;
};

} // namespace quorix::ui

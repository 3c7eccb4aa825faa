#include "link_screen.h"

#include "controls/qt_text.h"

#include "prompter.h"
#include "tuning_window.h"
#include "window_actions.h"

#include "graph/response_plot.h"

#include "controls/skinned_button.h"
#include "controls/skinned_fader.h"
#include "controls/skinned_progress_bar.h"

namespace quorix::ui {

LinkScreen::LinkScreen(TuningWindow& window, Prompter& prompter, WindowActions& actions)
    : m_window(window), m_prompter(prompter), m_actions(actions)
{
}

void LinkScreen::showNoPermission()
{
    setCaption(kCaptionNoPermission);
    m_window.named("cmdConnectStatus")->setToolTip(QStringLiteral("无权访问设备"));
    if (!m_permissionExplained) {
        m_permissionExplained = true;
        m_prompter.showMessage(kNoPermissionMessage, link::MessageIcon::Warning);
    }
}

void LinkScreen::setConnectionStatus(int value)
{
    m_window.named("cmdConnectStatus")->setValue(value);
}

void LinkScreen::setCaption(std::string_view caption)
{
    m_window.showCaption(controls::QtText(caption));
}

void LinkScreen::showMessage(std::string_view text, link::MessageIcon icon)
{
    m_prompter.showMessage(text, icon);
}

void LinkScreen::setWindowEnabled(bool enabled)
{
    m_window.setEnabled(enabled);
}

void LinkScreen::showProgress(bool visible)
{
    m_window.progressBar().setVisible(visible);
    if (visible)
        m_window.progressBar().raise();
}

void LinkScreen::setProgress(int value, int maximum)
{
    m_window.progressBar().setMaxValue(maximum);
    m_window.progressBar().setValue(value);
}

void LinkScreen::RefreshControls()
{
    m_window.RefreshControls();
}

void LinkScreen::ApplyDeviceVariant(bool variantFlag)
{
    m_window.cmdPageClick(0);
    for (controls::SkinnedButton* b :
         {m_window.button(ControlArray::CmdPage, 2), m_window.button(ControlArray::CmdPage, 5),
          m_window.named("cmdRecordPage"), m_window.button(ControlArray::OptionInput, 2)})
        b->setButtonEnabled(!variantFlag);
}

void LinkScreen::setToneLabel(int value)
{
    m_window.named("ToneLabel")->setValue(value);
}

void LinkScreen::closeRecordingWindow()
{
    m_actions.CloseRecordingWindow();
}

void LinkScreen::setMasterMaxima(int music, int microphone, int effect)
{
    const int maxima[] = {music, microphone, effect};
    for (int i = 0; i < 3; ++i)
        m_window.slider(i)->setMaxValue(maxima[i]);
}

void LinkScreen::showPreset(int preset)
{
    m_window.named("cmdPreShow")->setValue(preset);
}

void LinkScreen::modeStateLoaded()
{
    m_window.modes().showLoadedState();
}

void LinkScreen::resetUndo()
{
    m_window.undo().ResetUndo();
}

void LinkScreen::linkTicked()
{
    m_window.plot().display().LinkTicked();
}

void LinkScreen::synchronised(bool ok)
{
    m_actions.Synchronised(ok);
}

} // namespace quorix::ui

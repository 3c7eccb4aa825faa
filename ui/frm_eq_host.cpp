// What the link, the value dispatch and the mode control do to the main window.
#include "frm_eq.h"

#include "console_session.h"
#include "prompter.h"
#include "window_actions.h"

#include "graph/response_plot.h"

#include "controls/c_progress_bar.h"
#include "controls/m_btn_flag.h"
#include "controls/m_scroll_bar.h"

#include "link/device_link.h"

namespace quorix::ui {

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void frmEQ::setConnectionStatus(int value)
{
    named("cmdConnectStatus")->setValue(value);
}

void frmEQ::setCaption(std::string_view caption)
{
    setWindowTitle(Text(caption));
    emit captionChanged(windowTitle());
}

void frmEQ::showNoPermission()
{
    setCaption(kCaptionNoPermission);
    named("cmdConnectStatus")->setToolTip(QStringLiteral("无权访问设备"));
    if (!m_permissionExplained) {
        m_permissionExplained = true;
        m_prompter.showMessage(kNoPermissionMessage, link::MessageIcon::Warning);
    }
}

void frmEQ::showMessage(std::string_view text, link::MessageIcon icon)
{
    m_prompter.showMessage(text, icon);
}

void frmEQ::setWindowEnabled(bool enabled)
{
    setEnabled(enabled);
}

void frmEQ::showProgress(bool visible)
{
    m_progress->setVisible(visible);
    if (visible)
        m_progress->raise();
}

void frmEQ::setProgress(int value, int maximum)
{
    m_progress->setMaxValue(maximum);
    m_progress->setValue(value);
}

void frmEQ::ApplyDeviceVariant(bool variantFlag)
{
    cmdPageClick(0);
    for (controls::MBtnFlag* b : {button(ControlArray::CmdPage, 2), button(ControlArray::CmdPage, 5),
                                  named("cmdRecordPage"), button(ControlArray::OptionInput, 2)})
        b->setButtonEnabled(!variantFlag);
}

void frmEQ::setToneLabel(int value)
{
    named("ToneLabel")->setValue(value);
}

int frmEQ::toneLabel() const
{
    return named("ToneLabel")->Value();
}

void frmEQ::closeRecordingWindow()
{
    m_actions.CloseRecordingWindow();
}

void frmEQ::setMasterMaxima(int music, int microphone, int effect)
{
    const int maxima[] = {music, microphone, effect};
    for (int i = 0; i < 3; ++i)
        slider(i)->setMaxValue(maxima[i]);
}

void frmEQ::showPreset(int preset)
{
    named("cmdPreShow")->setValue(preset);
}

void frmEQ::modeStateLoaded()
{
    m_modes->showLoadedState();
}

void frmEQ::resetUndo()
{
    m_undo.ResetUndo();
}

void frmEQ::linkTicked()
{
    m_plot->display().LinkTicked();
}

void frmEQ::synchronised(bool) {}

bool frmEQ::boundSliderChanged(int point, int address, const graph::SliderFields& fields)
{
    return m_plot->editor().BandSliderChanged(point, address, fields);
}

void frmEQ::filterTypeChanged(int point, int type)
{
    auto& points = m_plot->display().points();
    if (point < 0 || point >= static_cast<int>(points.size()))
        return;
    points[static_cast<std::size_t>(point)].GainOrType = type;
    m_plot->display().SelectPoint(point);
}

void frmEQ::bypassChanged()
{
    m_plot->DrawFrame();
}

void frmEQ::showSliderValue(int sliderIndex, int raw)
{
    if (controls::MScrollBar* s = slider(sliderIndex))
        s->setValue(static_cast<float>(raw));
}

void frmEQ::setEffectWindowButtonEnabled(bool enabled)
{
    named("MBtnFlag2")->setButtonEnabled(enabled);
}

void frmEQ::showModeButtons(int singing, int dance)
{
    named("cmdBassMode", 0)->setValue(singing);
    named("cmdBassMode", 1)->setValue(dance);
}

void frmEQ::showAutoButtons(int manual, int automatic)
{
    named("cmdBassAutoControl2", 0)->setValue(manual);
    named("cmdBassAutoControl2", 1)->setValue(automatic);
}

void frmEQ::HighlightBoundSlider()
{
    m_plot->display().HighlightBoundSlider();
}

void frmEQ::showMessage(std::string_view text)
{
    m_prompter.showMessage(text, link::MessageIcon::Exclamation);
}

bool frmEQ::askYesNo(std::string_view question)
{
    return m_prompter.askYesNo(question);
}

void frmEQ::setEditingBlocked(bool blocked)
{
    setEnabled(!blocked);
}

} // namespace quorix::ui

#include "edit_screen.h"

#include "tuning_window.h"

#include "graph/response_plot.h"

#include "controls/skinned_button.h"
#include "controls/skinned_fader.h"

namespace quorix::ui {

EditScreen::EditScreen(TuningWindow& window) : m_window(window) {}

void EditScreen::bypassChanged()
{
    m_window.plot().drawFrame();
}

void EditScreen::showModeValues()
{
    m_window.storeView().showAll();
}

void EditScreen::showSliderValue(int sliderIndex, int raw)
{
    if (controls::SkinnedFader* s = m_window.slider(sliderIndex))
        s->setValue(static_cast<float>(raw));
}

void EditScreen::setEffectWindowButtonEnabled(bool enabled)
{
    m_window.driven().effectWindow->setButtonEnabled(enabled);
}

int EditScreen::toneLabel() const
{
    return m_window.driven().tone->value();
}

void EditScreen::setToneLabel(int value)
{
    m_window.driven().tone->setValue(value);
}

void EditScreen::showModeButtons(int singing, int dance)
{
    m_window.driven().modes[0]->setValue(singing);
    m_window.driven().modes[1]->setValue(dance);
}

void EditScreen::showAutoButtons(int manual, int automatic)
{
    m_window.driven().autoControl[0]->setValue(manual);
    m_window.driven().autoControl[1]->setValue(automatic);
}

void EditScreen::showPage(int kind)
{
    m_window.pages().showPage(kind);
}

void EditScreen::highlightBoundSlider()
{
    m_window.plot().display().highlightBoundSlider();
}

void EditScreen::setEditingBlocked(bool blocked)
{
    m_window.setBusy(blocked);
}

} // namespace quorix::ui

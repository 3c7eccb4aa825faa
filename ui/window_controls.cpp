#include "window_controls.h"

#include "controls/skinned_button.h"
#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"

#include <stdexcept>
#include <string>

namespace quorix::ui {

using tables::ControlArray;

void WindowControls::add(const tables::ControlRow& row, QWidget* widget)
{
    m_byKey[{row.array, row.name, row.index}] = widget;
    m_rows[widget] = &row;
    if (row.address >= 0)
        m_bound.emplace(row.address, widget);
    if (row.array == ControlArray::MyScrollBar && row.index >= 0 && row.index < static_cast<int>(m_sliders.size()))
        m_sliders[static_cast<std::size_t>(row.index)] = static_cast<controls::SkinnedFader*>(widget);
}

controls::SkinnedButton* WindowControls::require(std::string_view name, int index) const
{
    if (controls::SkinnedButton* b = named(name, index))
        return b;
    throw std::logic_error("the tuning window's table has no control " + std::string(name) + "(" +
                           std::to_string(index) + ")");
}

void WindowControls::resolve()
{
    m_driven = {.tone = require("ToneLabel"),
                .bypass = require("cmdByPass"),
                .connection = require("cmdConnectStatus"),
                .presetShown = require("cmdPreShow"),
                .recordPage = require("cmdRecordPage"),
                .effectWindow = require("MBtnFlag2"),
                .modes = {require("cmdBassMode", 0), require("cmdBassMode", 1)},
                .autoControl = {require("cmdBassAutoControl2", 0), require("cmdBassAutoControl2", 1)}};
}

void WindowControls::press(ControlArray array, int pressed) const
{
    for (int i = 0; controls::SkinnedButton* b = button(array, i); ++i)
        b->setValue(i == pressed ? 1 : 0);
}

controls::SkinnedFader* WindowControls::slider(int index) const
{
    return index >= 0 && index < static_cast<int>(m_sliders.size()) ? m_sliders[static_cast<std::size_t>(index)]
                                                                    : nullptr;
}

controls::SkinnedButton* WindowControls::button(ControlArray array, int index) const
{
    const auto it = m_byKey.find({array, {}, index});
    return it == m_byKey.end() ? nullptr : qobject_cast<controls::SkinnedButton*>(it->second);
}

controls::SkinnedButton* WindowControls::named(std::string_view name, int index) const
{
    const auto it = m_byKey.find({ControlArray::Named, name, index});
    return it == m_byKey.end() ? nullptr : qobject_cast<controls::SkinnedButton*>(it->second);
}

controls::SkinnedDropDown* WindowControls::combo(int index) const
{
    const auto it = m_byKey.find({ControlArray::MyComboBox, {}, index});
    return it == m_byKey.end() ? nullptr : qobject_cast<controls::SkinnedDropDown*>(it->second);
}

} // namespace quorix::ui

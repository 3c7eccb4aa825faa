#include "table_window.h"

#include "close_button.h"
#include "controls/qt_text.h"

#include "console_services.h"

#include "control_factory.h"
#include "link/device_link.h"
#include "page_panel.h"

#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"

#include "core/rounding.h"
#include "core/tuning_document.h"

namespace quorix::ui {

TableWindow::TableWindow(ConsoleServices& session, const tables::WindowTable& table, QWidget* parent)
    : QDialog(parent), m_table(table), m_edits(session.document().edits()),
      m_faderMarks(session.store(), session.view())
{
    setObjectName(controls::QtText(table.objectName));
    setWindowTitle(controls::QtText(table.caption));
    setAccessibleName(windowTitle());
    setFixedSize(table.width, table.height);
    m_panel = new PagePanel(table.background, this);
    m_panel->setGeometry(rect());

    const controls::ControlContext context{&m_faderMarks, &session.scheduler()};
    for (const tables::ControlRow& row : table.controls) {
        QWidget* widget = CreateControl(row, m_panel, context);
        const int index = row.index;
        if (auto* s = qobject_cast<controls::SkinnedFader*>(widget)) {
            m_sliders[index] = s;
            s->setVisible(row.thumbVisible);
            if (row.thumbVisible)
                connect(s, &controls::SkinnedFader::scrolled, this,
                        [this, s, index] { sliderScrolled(index, core::RoundHalfEven(s->value())); });
        } else if (auto* c = qobject_cast<controls::SkinnedDropDown*>(widget)) {
            m_combos[index] = {c, row.address};
            connect(c, &controls::SkinnedDropDown::click, this,
                    [this, index](int value) { comboClicked(index, value); });
        }
    }
    AddCloseButton(*this);
    loadValues();
    m_listener = m_edits.addListener([this](int address, int mode) { showParameter(address, mode); });
}

TableWindow::~TableWindow()
{
    m_edits.removeListener(m_listener);
}

controls::SkinnedFader* TableWindow::slider(int index) const
{
    const auto it = m_sliders.find(index);
    return it == m_sliders.end() ? nullptr : it->second;
}

controls::SkinnedDropDown* TableWindow::combo(int index) const
{
    const auto it = m_combos.find(index);
    return it == m_combos.end() ? nullptr : it->second.widget;
}

int TableWindow::comboAddress(int index) const
{
    const auto it = m_combos.find(index);
    return it == m_combos.end() ? -1 : it->second.address;
}

void TableWindow::loadValues()
{
    const core::ParamStore& store = m_edits.store();
    for (const auto& [index, s] : m_sliders)
        s->setValue(static_cast<float>(store.at(0, s->address).value));
    for (const auto& [index, c] : m_combos)
        if (c.address >= 0)
            c.widget->setValue(store.at(0, c.address).value);
}

void TableWindow::showParameter(int address, int mode)
{
    if (mode != 0)
        return;
    const int value = m_edits.store().at(0, address).value;
    for (const auto& [index, s] : m_sliders)
        if (s->address == address)
            s->setValue(static_cast<float>(value));
    for (const auto& [index, c] : m_combos)
        if (c.address == address)
            c.widget->setValue(value);
}

void TableWindow::sliderScrolled(int index, int value)
{
    m_edits.setValue(slider(index)->address, value);
}

void TableWindow::comboClicked(int index, int value)
{
    if (comboAddress(index) >= 0)
        m_edits.setValue(comboAddress(index), value);
}

void TableWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    for (const auto& [index, s] : m_sliders)
        s->rebuildStaticLayer();
}

} // namespace quorix::ui

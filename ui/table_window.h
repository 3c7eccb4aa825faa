#pragma once

#include "tables/window_table.h"

#include "controls/store_marks.h"

#include "core/param_editor.h"

#include <QDialog>

#include <map>

namespace quorix::controls {
class SkinnedDropDown;
class SkinnedFader;
} // namespace quorix::controls

namespace quorix::ui {

class ConsoleServices;
class PagePanel;

// A secondary window made from its table: a fixed-size dialog with its
// background image and its bound controls, loaded from the store at mode index
// 0 (their parameters are shared by both modes or global). A control change goes
// through the edit path; nothing is disabled around it, since nothing waits.
class TableWindow : public QDialog {
    Q_OBJECT

public:
    TableWindow(ConsoleServices& session, const tables::WindowTable& table, QWidget* parent = nullptr);
    ~TableWindow() override;

    // Controls by array index; null when there is none.
    controls::SkinnedFader* slider(int index) const;
    controls::SkinnedDropDown* combo(int index) const;
    // A drop-down's parameter, -1 when there is no such drop-down.
    int comboAddress(int index) const;

protected:
    virtual void sliderScrolled(int index, int value);
    virtual void comboClicked(int index, int value);
    void showEvent(QShowEvent* event) override;

    core::ParamEditor& edits() { return m_edits; }

private:
    // Every control shows the value of its parameter at mode index 0.
    void loadValues();
    // A change of the document reaches the controls bound to its address.
    void showParameter(int address, int mode);

    tables::WindowTable m_table;
    core::ParamEditor& m_edits; // the session's document
    int m_listener = 0;
    controls::StoreMarks m_faderMarks;
    PagePanel* m_panel = nullptr;
    std::map<int, controls::SkinnedFader*> m_sliders;
    struct Combo {
        controls::SkinnedDropDown* widget;
        int address;
    };
    std::map<int, Combo> m_combos;
};

} // namespace quorix::ui

#pragma once

#include "tables/control_row.h"

#include <QWidget>

#include <array>
#include <map>
#include <string_view>
#include <tuple>
#include <vector>

namespace quorix::controls {
class SkinnedButton;
class SkinnedDropDown;
class SkinnedFader;
} // namespace quorix::controls

namespace quorix::ui {

// The tuning window's controls as its table made them, found by array and
// index, by name, or by the parameter they show. The named controls the code
// drives are looked up once, when the table is read: a table without one of
// them fails there, never later at a click.
class WindowControls {
public:
    struct Driven {
        controls::SkinnedButton* tone = nullptr;               // ToneLabel
        controls::SkinnedButton* bypass = nullptr;             // cmdByPass
        controls::SkinnedButton* connection = nullptr;         // cmdConnectStatus
        controls::SkinnedButton* presetShown = nullptr;        // cmdPreShow
        controls::SkinnedButton* recordPage = nullptr;         // cmdRecordPage
        controls::SkinnedButton* effectWindow = nullptr;       // MBtnFlag2
        std::array<controls::SkinnedButton*, 2> modes{};       // cmdBassMode: singing, dance
        std::array<controls::SkinnedButton*, 2> autoControl{}; // cmdBassAutoControl2: manual, automatic
    };

    explicit WindowControls(int sliderCount) : m_sliders(static_cast<std::size_t>(sliderCount), nullptr) {}

    void add(const tables::ControlRow& row, QWidget* widget);
    // Looks up the driven controls; throws std::logic_error naming one the table lacks.
    void resolve();

    // Null when there is none.
    controls::SkinnedFader* slider(int index) const;
    controls::SkinnedButton* button(tables::ControlArray array, int index) const;
    controls::SkinnedButton* named(std::string_view name, int index = 0) const;
    controls::SkinnedDropDown* combo(int index) const;

    // Of a radio array, only the button at `pressed` shows pressed.
    void press(tables::ControlArray array, int pressed) const;

    const Driven& driven() const { return m_driven; }
    // MyScrollBar by index, with gaps.
    const std::vector<controls::SkinnedFader*>& sliders() const { return m_sliders; }
    // The controls that show one parameter, by address.
    const std::multimap<int, QWidget*>& bound() const { return m_bound; }
    const std::map<const QWidget*, const tables::ControlRow*>& rows() const { return m_rows; }

private:
    struct Key {
        tables::ControlArray array;
        std::string_view name;
        int index;
        bool operator<(const Key& other) const
        {
            return std::tie(array, name, index) < std::tie(other.array, other.name, other.index);
        }
    };
    controls::SkinnedButton* require(std::string_view name, int index = 0) const;

    std::map<Key, QWidget*> m_byKey;
    std::vector<controls::SkinnedFader*> m_sliders;
    std::multimap<int, QWidget*> m_bound;
    std::map<const QWidget*, const tables::ControlRow*> m_rows;
    Driven m_driven;
};

} // namespace quorix::ui

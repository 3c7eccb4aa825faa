#pragma once

#include "core/param_diff.h"
#include "core/param_editor.h"
#include "core/param_store.h"
#include "core/processor_record.h"
#include "core/view_state.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace quorix::link {
class DeviceLink;
} // namespace quorix::link

namespace quorix::presets {

inline constexpr std::string_view kReadDifferentGroup = "从设备读回、与界面不同的参数";
inline constexpr std::string_view kNotReadBackGroup = "未能从设备读回、已在界面修改的参数";
inline constexpr std::string_view kNeverReadMark = "（本软件的值，从未从设备读取）";
inline constexpr std::string_view kComparisonReadFailed = "读取设备参数失败，无法比较。";
inline constexpr std::string_view kLeftMarkedNotice =
    "已采用从设备读回的参数。未能从设备读回的参数仍保留界面的值，并标记为未写入设备；"
    "可再次比较后把它们写入设备。";

// One parameter copy the screen and the processor may hold apart.
struct ComparedCopy {
    enum class Group {
        ReadDifferent, // read back, and found different
        NotReadBack,   // the protocol cannot read it, and it was edited or lost since
    };
    Group group = Group::ReadDifferent;
    int mode = 0;
    int address = 0;
    // The console's own value, never read nor edited: not a screen edit.
    bool neverRead = false;
    bool chosen = true;
    std::vector<core::ParamDifference> fields; // read back: what differs, field by field
};

// The screen against the processor: a scratch read of the processor's working
// set (the store, the view and the undo history stay as they are), the copies
// in two groups, and the two ways of bringing them into step. Every change of
// the store goes through the edit path and every write through the link's
// queue, so the processor record follows both.
class ProcessorComparison {
public:
    enum class Outcome { Offline, ReadFailed, Read };
    enum class Synchronisation { Read, Listed, Failed };

    ProcessorComparison(link::DeviceLink& link, core::ParamEditor& editor, const core::ViewState& view,
                        core::ProcessorRecord& record);

    // Reads the processor and lists the copies; copies read and found equal are
    // settled in the record. Returns at once; `done` is told the outcome (offline,
    // before this returns). Nobody is told once the comparison is gone.
    void compare(std::function<void(Outcome)> done);
    // The full read after a connection. While the record holds copies the
    // processor may lack, it compares first: copies listed are left for the user
    // to answer, and nothing is read over them.
    void synchronise(std::function<void(Synchronisation)> done);
    const std::vector<ComparedCopy>& copies() const { return m_copies; }
    std::size_t count(ComparedCopy::Group group) const;
    void choose(std::size_t copy, bool chosen);
    void chooseGroup(ComparedCopy::Group group, bool chosen);

    // Queues a write of every chosen copy, by address and mode byte 0 first; the
    // copies left out stay marked. Returns how many writes were queued.
    int writeScreen();
    // The processor's values of the chosen copies read back, into the store as
    // one undo step. What cannot be taken (the other group, and the dance copy of
    // a shared parameter, whose screen value is its singing one) stays marked:
    // returns how many such copies were left.
    int takeProcessorValues();

private:
    void list(const core::ParamStore& processor);
    void readAll(std::function<void(Synchronisation)> done);

    link::DeviceLink& m_link;
    core::ParamEditor& m_editor;
    const core::ViewState& m_view;
    core::ProcessorRecord& m_record;
    core::ParamStore m_processor;
    std::vector<ComparedCopy> m_copies;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace quorix::presets

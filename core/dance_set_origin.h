#pragma once

#include "param_record.h"
#include "param_store.h"

#include <array>
#include <string>
#include <vector>

namespace quorix::core {

// Where the dance-mode values of a mode-dependent page came from.
enum class DanceOrigin {
    Console, // the console's own values: the processor's dance set was never read
    Read,    // what the processor holds
    Edited,  // changed on screen since
};

inline constexpr int kModePageCount = 8; // the pages of kinds 0..7, whose values differ by mode

// Keeps, per mode-dependent page, where the dance set on screen came from. A
// full read fills only the singing set, so dance values that were never read
// must not be taken for the processor's. An edit is seen as a difference from
// the per-mode dance records as they stood when their origin was last known,
// so every road of an edit counts without telling this class.
class DanceSetOrigin {
public:
    // Every page holds the console's own dance values.
    explicit DanceSetOrigin(const ParamStore& store);

    // The processor now holds the dance set on screen (it was read, or written to it).
    void cameFromProcessor(const ParamStore& store);
    DanceOrigin origin(const ParamStore& store, int kind) const;
    // The pages whose dance values never came from the processor, in kind order.
    std::vector<int> pagesNeverRead(const ParamStore& store) const;

private:
    std::vector<ParamRecord> danceRecords(const ParamStore& store, int kind) const;
    void settle(const ParamStore& store, DanceOrigin origin);

    std::array<std::vector<ParamRecord>, kModePageCount> m_basis;
    std::array<DanceOrigin, kModePageCount> m_origin{};
};

inline constexpr std::string_view kUnreadDanceCopyQuestion =
    "劲舞模式的数据从未从设备读取，当前显示的是本软件的默认值，并不是设备中的劲舞模式数据。\n"
    "复制后，设备中演唱模式的数据将被这些默认值覆盖。确认仍要将劲舞模式数据复制到演唱模式吗？";

} // namespace quorix::core

#include "param_diff.h"

#include "address_map.h"
#include "common_addresses.h"
#include "param_display.h"

#include <cstdio>

namespace quorix::core {

namespace {

class RecordComparer {
public:
    RecordComparer(int mode, int address, std::vector<ParamDifference>& out)
        : m_mode(mode), m_address(address), m_out(out)
    {}

    template <typename T, typename Text>
    void field(const char* name, T left, T right, Text text)
    {
        if (left != right)
            m_out.push_back({m_mode, m_address, name, text(left), text(right)});
    }

private:
    int m_mode;
    int m_address;
    std::vector<ParamDifference>& m_out;
};

std::string OnOff(bool bandOff)
{
    return bandOff ? "off" : "on";
}

void CompareRecords(int mode, int address, const ParamRecord& l, const ParamRecord& r,
                    std::vector<ParamDifference>& out)
{
    RecordComparer c(mode, address, out);
    const auto yesNo = [](bool defined) { return std::string(defined ? "yes" : "no"); };
    c.field("defined", l.defined, r.defined, yesNo);
    if (!l.defined || !r.defined)
        return;
    const int kind = address / 256;
    const int menuAddress = address % 256;
    c.field("class", static_cast<int>(l.paramClass), static_cast<int>(r.paramClass),
            [](int v) { return std::to_string(v); });
    c.field("per-mode", l.perMode, r.perMode, yesNo);
    c.field("value", l.value, r.value, [&](std::int32_t v) { return ParamValueText(kind, menuAddress, v); });
    if (l.paramClass != ParamClass::EqBand && r.paramClass != ParamClass::EqBand)
        return;
    c.field("frequency", l.band.freqIndex, r.band.freqIndex, FrequencyWithUnit);
    c.field("gain", l.band.gain, r.band.gain, GainWithUnit);
    c.field("Q", l.band.qIndex, r.band.qIndex, QWithPrefix);
    c.field("slope", l.band.shelfQIndex, r.band.shelfQIndex, QWithPrefix);
    c.field("shape", l.band.shape, r.band.shape, ShapeText);
    c.field("on/off", l.band.bandOff, r.band.bandOff, OnOff);
}

} // namespace

std::vector<ParamDifference> DiffImages(const ParamStore& left, const ParamStore& right, const DiffScope& scope)
{
    std::vector<ParamDifference> out;
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (scope.kind >= 0 && scope.kind != kind)
            continue;
        // Addresses past a kind's 256 (those after the common kind) are never defined in an image that loads.
        const int last = KindFirst(kind) + 255;
        for (int mode : scope.modes) {
            if (kind * 256 >= kFirstGlobalAddress && mode != 0)
                continue;
            for (int a = KindFirst(kind); a <= last; ++a) {
                if (a == kRightsAddress && !scope.rights)
                    continue;
                const ParamRecord& l = left.at(mode, a);
                const ParamRecord& r = right.at(mode, a);
                if ((l.defined || r.defined) && l != r)
                    CompareRecords(mode, a, l, r, out);
            }
        }
    }
    return out;
}

std::string ParamLabel(int address)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", address % 256);
    const int kind = address / 256;
    std::string_view name;
    if (address <= KindLast(kind))
        name = ParamName(kind, address % 256);
    return name.empty() ? std::string(hex) : std::string(hex) + " " + std::string(name);
}

std::string FormatDifferences(const std::vector<ParamDifference>& differences)
{
    std::string text;
    int page = -1;
    for (const ParamDifference& d : differences) {
        if (d.kind() != page) {
            page = d.kind();
            text += std::string("[") + KindName(page) + "]\n";
        }
        text += std::string(KindName(page)) + " " + ModeName(d.mode) + " " + ParamLabel(d.address) + " " + d.field +
                ": " + d.left + " -> " + d.right + "\n";
    }
    return text;
}

} // namespace quorix::core

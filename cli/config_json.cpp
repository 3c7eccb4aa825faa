#include "config_json.h"

#include "refusal_text.h"

#include "core/address_map.h"
#include "core/param_display.h"
#include "core/record_check.h"
#include "json/strict_json.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <limits>
#include <set>

namespace quorix::cli {

namespace {

using core::ParamClass;
using core::ParamRecord;
using nlohmann::ordered_json;

constexpr const char* kFormat = "quorix-configuration";
constexpr int kVersion = 1;
// Addresses past the common kind are in no page of the map; a file may still hold leftovers there.
constexpr int kLastPage = (core::kAddressCount - 1) / 256;
constexpr std::array<const char*, 4> kClassNames = {"Plain", "EqBand", "HighPass", "LowPass"};

std::string AddressKey(int menuAddress)
{
    char key[8];
    std::snprintf(key, sizeof key, "0x%02X", menuAddress);
    return key;
}

// The record the address map puts here, whose class and per-mode flag a record takes by default.
const ParamRecord& Layout(int mode, int address)
{
    return core::DefaultParamStore().at(mode, address);
}

// A key written into a refusal: a typo of ten megabytes is shown by its start.
std::string KeyText(const std::string& key)
{
    return json::OneLine(key, 24);
}

ordered_json RecordJson(int address, const ParamRecord& r)
{
    const int kind = address / 256;
    const int menu = address % 256;
    ordered_json p;
    if (kind < core::kKindCount && address <= core::KindLast(kind) && !core::ParamName(kind, menu).empty())
        p["name"] = std::string(core::ParamName(kind, menu));
    if (!r.defined)
        p["defined"] = false;
    p["class"] = kClassNames[static_cast<std::size_t>(r.paramClass) % kClassNames.size()];
    p["perMode"] = r.perMode;
    const bool isBand = r.paramClass == ParamClass::EqBand;
    if (!isBand || r.value != 0)
        p["value"] = r.value;
    const auto field = [&](const char* name, std::int64_t value) {
        if (isBand || value != 0)
            p[name] = value;
    };
    field("shape", r.band.shape);
    field("frequency", r.band.freqIndex);
    field("gain", r.band.gain);
    field("q", r.band.qIndex);
    field("slope", r.band.shelfQIndex);
    if (isBand || r.band.bandOff)
        p["off"] = r.band.bandOff;
    if (!r.defined)
        return p;
    if (isBand)
        p["text"] = {{"frequency", core::FrequencyWithUnit(r.band.freqIndex)},
                     {"gain", core::GainWithUnit(r.band.gain)},
                     {"q", core::QWithPrefix(r.band.qIndex)},
                     {"slope", core::QWithPrefix(r.band.shelfQIndex)},
                     {"shape", core::ShapeText(r.band.shape)},
                     {"off", r.band.bandOff ? "off" : "on"}};
    else
        p["text"] = core::ParamValueText(kind, menu, r.value);
    return p;
}

bool IsZero(const ParamRecord& r)
{
    return r == ParamRecord{};
}

// Thrown with the path of the field at fault and what is wrong with it.
struct FieldError {
    std::string message;
};

[[noreturn]] void Fail(const std::string& path, const std::string& what)
{
    throw FieldError{path + ": " + what};
}

std::string Child(const std::string& path, const std::string& name)
{
    return path.empty() ? name : path + "." + name;
}

const ordered_json& Member(const ordered_json& object, const char* name, const std::string& path)
{
    if (!object.contains(name))
        Fail(Child(path, name), "missing");
    return object.at(name);
}

void OnlyKnownKeys(const ordered_json& object, std::initializer_list<const char*> known, const std::string& path)
{
    if (!object.is_object())
        Fail(path.empty() ? "the document" : path, "must be an object");
    for (const auto& [key, value] : object.items()) {
        bool found = false;
        for (const char* k : known)
            found = found || key == k;
        if (!found)
            Fail(Child(path, KeyText(key)), "unknown field");
    }
}

std::int64_t Integer(const ordered_json& value, std::int64_t lowest, std::int64_t highest, const std::string& path)
{
    if (!value.is_number_integer())
        Fail(path, "must be a whole number");
    const bool negative = value.is_number_integer() && !value.is_number_unsigned() && value.get<std::int64_t>() < 0;
    if (!negative && value.get<std::uint64_t>() > static_cast<std::uint64_t>(highest))
        Fail(path, "must be " + std::to_string(lowest) + " to " + std::to_string(highest));
    const auto n = value.get<std::int64_t>();
    if (n < lowest)
        Fail(path, "must be " + std::to_string(lowest) + " to " + std::to_string(highest));
    return n;
}

bool Boolean(const ordered_json& value, const std::string& path)
{
    if (!value.is_boolean())
        Fail(path, "must be true or false");
    return value.get<bool>();
}

ParamRecord ReadRecord(const ordered_json& p, int mode, int address, const std::string& path)
{
    OnlyKnownKeys(
        p, {"name", "defined", "class", "perMode", "value", "shape", "frequency", "gain", "q", "slope", "off", "text"},
        path);
    ParamRecord r;
    r.defined = p.contains("defined") ? Boolean(p["defined"], path + ".defined") : true;
    const ParamRecord& layout = core::LayoutFor(mode, address, r);
    r.paramClass = layout.paramClass;
    if (p.contains("class")) {
        const auto& c = p["class"];
        bool found = false;
        for (std::size_t i = 0; i < kClassNames.size(); ++i)
            if (c.is_string() && c.get<std::string>() == kClassNames[i]) {
                r.paramClass = static_cast<ParamClass>(i);
                found = true;
            }
        if (!found)
            Fail(path + ".class", "must be Plain, EqBand, HighPass or LowPass");
    }
    r.perMode = p.contains("perMode") ? Boolean(p["perMode"], path + ".perMode") : layout.perMode;
    r.band.bandOff = p.contains("off") && Boolean(p["off"], path + ".off");
    const bool isBand = r.paramClass == ParamClass::EqBand;
    if (r.defined && !isBand && !p.contains("value"))
        Fail(path + ".value", "missing");
    // Records the console sends are held to the wire's ranges, the ones the record check holds them to, so a
    // file refuses what a configuration file and the processor's replies refuse; a record never sent may hold
    // whatever a file held.
    const auto number = [&](const char* name, core::FieldRange range) -> std::int32_t {
        return p.contains(name)
                   ? static_cast<std::int32_t>(Integer(p[name], range.lowest, range.highest, path + "." + name))
                   : 0;
    };
    const core::FieldRange wire = r.defined ? core::WireRange(core::RecordField::Value, false)
                                            : core::FieldRange{std::numeric_limits<std::int32_t>::min(),
                                                               std::numeric_limits<std::int32_t>::max()};
    const bool sentBand = r.defined && isBand;
    const auto band = [&](core::RecordField field) { return sentBand ? core::WireRange(field, r.band.bandOff) : wire; };
    r.value = number("value", wire);
    r.band.shape = static_cast<std::uint8_t>(
        number("shape", sentBand ? core::WireRange(core::RecordField::Shape, false) : core::FieldRange{0, 255}));
    r.band.freqIndex = number("frequency", band(core::RecordField::FreqIndex));
    r.band.gain = number("gain", band(core::RecordField::Gain));
    r.band.qIndex = number("q", band(core::RecordField::QIndex));
    r.band.shelfQIndex = number("slope", band(core::RecordField::ShelfQIndex));
    if (sentBand)
        for (const char* name : {"shape", "frequency", "gain", "q", "slope"})
            Member(p, name, path);
    if (const auto fault = core::CheckRecord(r, layout))
        Fail(path, RecordFaultText(*fault));
    return r;
}

int ModeIndex(const ordered_json& mode, const std::string& path)
{
    static constexpr std::array<const char*, 3> kNames = {"singing", "dance", "default"};
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (mode.is_string() && mode.get<std::string>() == kNames[i])
            return static_cast<int>(i);
    Fail(path, "must be singing, dance or default");
}

int MenuAddress(const std::string& key, const std::string& path)
{
    int value = 0;
    if (key.size() != 4 || key[0] != '0' || key[1] != 'x' || std::sscanf(key.c_str() + 2, "%2X", &value) != 1 ||
        AddressKey(value) != key)
        Fail(path, "a menu address is written 0x00 to 0xFF");
    return value;
}

void ReadEntry(const ordered_json& entry, core::ParamStore& store, std::set<std::pair<int, int>>& seen,
               const std::string& path)
{
    OnlyKnownKeys(entry, {"kind", "page", "mode", "params"}, path);
    const int kind = static_cast<int>(Integer(Member(entry, "kind", path), 0, kLastPage, path + ".kind"));
    const int mode = ModeIndex(Member(entry, "mode", path), path + ".mode");
    if (!seen.insert({kind, mode}).second)
        Fail(path, "page " + std::to_string(kind) + " in this mode comes twice");
    const ordered_json& params = Member(entry, "params", path);
    if (!params.is_object())
        Fail(path + ".params", "must be an object");
    for (const auto& [key, p] : params.items()) {
        const std::string where = path + ".params[\"" + KeyText(key) + "\"]";
        const int address = kind * 256 + MenuAddress(key, where);
        if (address >= core::kAddressCount)
            Fail(where, "beyond the last address");
        store.at(mode, address) = ReadRecord(p, mode, address, where);
    }
}

} // namespace

std::string ConfigurationToJson(const core::ParamStore& store)
{
    ordered_json kinds = ordered_json::array();
    for (int kind = 0; kind <= kLastPage; ++kind) {
        const int last = std::min(kind * 256 + 255, core::kAddressCount - 1);
        for (int mode = 0; mode < core::kModeCount; ++mode) {
            ordered_json params = ordered_json::object();
            for (int a = kind * 256; a <= last; ++a) {
                const ParamRecord& r = store.at(mode, a);
                if (r.defined || !IsZero(r))
                    params[AddressKey(a % 256)] = RecordJson(a, r);
            }
            if (params.empty())
                continue;
            ordered_json entry = {{"kind", kind}};
            if (kind < core::kKindCount)
                entry["page"] = core::KindName(kind);
            entry["mode"] = core::ModeName(mode);
            entry["params"] = std::move(params);
            kinds.push_back(std::move(entry));
        }
    }
    const ordered_json document = {{"format", kFormat}, {"version", kVersion}, {"kinds", std::move(kinds)}};
    return document.dump(2) + "\n";
}

JsonImport ConfigurationFromJson(std::string_view text, core::ParamStore& store)
{
    json::StrictJson parsed = json::ParseStrictJson(text);
    if (!parsed.document)
        return {false, parsed.refusal};
    const ordered_json& document = *parsed.document;
    try {
        OnlyKnownKeys(document, {"format", "version", "kinds"}, "");
        const ordered_json& format = Member(document, "format", "");
        if (!format.is_string() || format.get<std::string>() != kFormat)
            Fail("format", std::string("must be \"") + kFormat + "\"");
        Integer(Member(document, "version", ""), kVersion, kVersion, "version");
        const ordered_json& kinds = Member(document, "kinds", "");
        if (!kinds.is_array())
            Fail("kinds", "must be an array");
        core::ParamStore image;
        std::set<std::pair<int, int>> seen;
        for (std::size_t i = 0; i < kinds.size(); ++i)
            ReadEntry(kinds[i], image, seen, "kinds[" + std::to_string(i) + "]");
        // Whatever the entries left out must be what the address map leaves undefined.
        for (int mode = 0; mode < core::kModeCount; ++mode)
            for (int a = 0; a < core::kAddressCount; ++a)
                if (Layout(mode, a).defined && !image.at(mode, a).defined)
                    Fail(std::string("kinds: page ") + std::to_string(a / 256) + " " + core::ModeName(mode) + " " +
                             AddressKey(a % 256),
                         "missing");
        store = image;
        return {true, {}};
    } catch (const FieldError& error) {
        return {false, json::OneLine(error.message, json::kLongestRefusal)};
    } catch (const nlohmann::json::exception& error) {
        // Every value is checked for its type before it is read; this is the last line of defence.
        return {false, json::OneLine(error.what(), json::kLongestRefusal)};
    }
}

} // namespace quorix::cli

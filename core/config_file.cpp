#include "config_file.h"

#include "address_map.h"
#include "atomic_save.h"
#include "record_check.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <optional>
#include <system_error>

namespace quorix::core {

namespace {

void Put(std::uint8_t*& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        *out++ = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Get(const std::uint8_t*& in, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= std::uint32_t{*in++} << (8 * i);
    return value;
}

std::int32_t GetInt(const std::uint8_t*& in)
{
    return static_cast<std::int32_t>(Get(in, 4));
}

void PutBool(std::uint8_t*& out, bool value)
{
    Put(out, value ? 0xFFFFu : 0u, 2); // 16-bit boolean: true is -1
}

// A 16-bit boolean is 0 or -1; anything else marks the file as not one of ours.
std::optional<bool> GetBool(const std::uint8_t*& in)
{
    const std::uint32_t raw = Get(in, 2);
    if (raw != 0 && raw != 0xFFFFu)
        return std::nullopt;
    return raw != 0;
}

std::string PathText(const std::filesystem::path& path)
{
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

std::vector<std::uint8_t> EncodeConfiguration(const ParamStore& store)
{
    std::vector<std::uint8_t> bytes(kConfigFileSize);
    std::uint8_t* out = bytes.data();
    for (std::size_t n = 0; n < kRecordCount; ++n) {
        const ParamRecord& r = store.record(n);
        Put(out, static_cast<std::uint32_t>(r.Class), 1);
        Put(out, static_cast<std::uint32_t>(r.Value), 4);
        Put(out, r.band.Shape, 1);
        Put(out, static_cast<std::uint32_t>(r.band.FreqIndex), 4);
        Put(out, static_cast<std::uint32_t>(r.band.Gain), 4);
        Put(out, static_cast<std::uint32_t>(r.band.QIndex), 4);
        Put(out, static_cast<std::uint32_t>(r.band.ShelfQIndex), 4);
        PutBool(out, r.Defined);
        PutBool(out, r.PerMode);
        PutBool(out, r.band.BandOff);
    }
    return bytes;
}

namespace {

std::string WrongSizeMessage(std::uintmax_t size)
{
    return "配置文件大小不符（应为 " + std::to_string(kConfigFileSize) + " 字节，实际为 " + std::to_string(size) +
           " 字节），不是有效的配置文件。";
}

std::string BadRecordMessage(std::size_t number, const std::string& fault)
{
    const std::size_t address = number / kModeCount;
    char where[96];
    std::snprintf(where, sizeof where, "第 %zu 条记录（偏移 %zu，地址 0x%03zX，模式 %zu）", number,
                  number * kConfigRecordSize, address, number % kModeCount);
    return std::string("配置文件的") + where + "无效：" + fault + "。不是本软件可以打开的配置文件。";
}

// The record the address map puts at record `number`. A shared global parameter
// may also appear in the dance mode: a synchronisation mirrors every shared
// record there.
const ParamRecord& LayoutOf(const ParamStore& layout, std::size_t number, const ParamRecord& record)
{
    const int address = static_cast<int>(number / kModeCount);
    const int mode = static_cast<int>(number % kModeCount);
    if (mode == 1 && address >= kFirstGlobalAddress && record.Defined)
        return layout.at(0, address);
    return layout.record(number);
}

} // namespace

ConfigFileResult DecodeConfiguration(const std::vector<std::uint8_t>& bytes, ParamStore& image)
{
    if (bytes.size() != kConfigFileSize)
        return {false, WrongSizeMessage(bytes.size())};
    const ParamStore& layout = DefaultParamStore();
    ParamStore decoded;
    const std::uint8_t* in = bytes.data();
    for (std::size_t n = 0; n < kRecordCount; ++n) {
        ParamRecord& r = decoded.record(n);
        r.Class = static_cast<ParamClass>(Get(in, 1));
        r.Value = GetInt(in);
        r.band.Shape = static_cast<std::uint8_t>(Get(in, 1));
        r.band.FreqIndex = GetInt(in);
        r.band.Gain = GetInt(in);
        r.band.QIndex = GetInt(in);
        r.band.ShelfQIndex = GetInt(in);
        const auto defined = GetBool(in);
        const auto perMode = GetBool(in);
        const auto bandOff = GetBool(in);
        if (!defined || !perMode || !bandOff)
            return {false, BadRecordMessage(n, "布尔字段不是 0 或 -1")};
        r.Defined = *defined;
        r.PerMode = *perMode;
        r.band.BandOff = *bandOff;
        if (const std::string fault = RecordFault(r, LayoutOf(layout, n, r)); !fault.empty())
            return {false, BadRecordMessage(n, fault)};
    }
    image = std::move(decoded);
    return {true, {}};
}

ConfigFileResult SaveConfigurationFile(const std::filesystem::path& path, const ParamStore& store)
{
    const std::string failure = SaveAtomically(path, EncodeConfiguration(store));
    if (failure.empty())
        return {true, {}};
    return {false, "无法保存配置文件：" + PathText(path) + "\n" + failure};
}

ConfigFileResult LoadConfigurationFile(const std::filesystem::path& path, ParamStore& image)
{
    const std::string unreadable = "无法读取配置文件：" + PathText(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return {false, unreadable};
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return {false, unreadable};
    if (size != kConfigFileSize)
        return {false, WrongSizeMessage(size) + "\n" + PathText(path)};

    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(kConfigFileSize);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in)
        return {false, unreadable};
    ConfigFileResult decoded = DecodeConfiguration(bytes, image);
    if (!decoded.ok)
        decoded.message += "\n" + PathText(path);
    return decoded;
}

std::filesystem::path WithConfigurationExtension(const std::filesystem::path& path)
{
    constexpr std::string_view extension = ".quorix";
    std::string text = PathText(path);
    std::string tail = text.substr(text.size() >= extension.size() ? text.size() - extension.size() : 0);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (tail == extension)
        return path;
    std::filesystem::path result = path;
    result += extension;
    return result;
}

} // namespace quorix::core

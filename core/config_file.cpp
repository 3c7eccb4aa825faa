#include "config_file.h"

#include "platform/utf8_path.h"

#include "address_map.h"
#include "atomic_save.h"
#include "record_check.h"

#include <algorithm>
#include <cctype>
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

} // namespace

std::vector<std::uint8_t> EncodeConfiguration(const ParamStore& store)
{
    std::vector<std::uint8_t> bytes(kConfigFileSize);
    std::uint8_t* out = bytes.data();
    for (std::size_t n = 0; n < kRecordCount; ++n) {
        const ParamRecord& r = store.record(n);
        Put(out, static_cast<std::uint32_t>(r.paramClass), 1);
        Put(out, static_cast<std::uint32_t>(r.value), 4);
        Put(out, r.band.shape, 1);
        Put(out, static_cast<std::uint32_t>(r.band.freqIndex), 4);
        Put(out, static_cast<std::uint32_t>(r.band.gain), 4);
        Put(out, static_cast<std::uint32_t>(r.band.qIndex), 4);
        Put(out, static_cast<std::uint32_t>(r.band.shelfQIndex), 4);
        PutBool(out, r.defined);
        PutBool(out, r.perMode);
        PutBool(out, r.band.bandOff);
    }
    return bytes;
}

namespace {

ConfigFileResult Failure(ConfigFileProblem problem)
{
    ConfigFileResult result;
    result.problem = problem;
    return result;
}

ConfigFileResult BadRecord(std::size_t number, const RecordFault& fault)
{
    ConfigFileResult result = Failure(ConfigFileProblem::BadRecord);
    result.record = number;
    result.fault = fault;
    return result;
}

// A 16-bit boolean is 0 or -1; anything else marks the file as not one of ours.
std::optional<RecordFault> NotBoolean(RecordField field, std::uint32_t raw)
{
    if (raw == 0 || raw == 0xFFFFu)
        return std::nullopt;
    return RecordFault{field, RecordRule::NotABoolean, raw, 0, 0};
}

} // namespace

ConfigFileResult DecodeConfiguration(const std::vector<std::uint8_t>& bytes, ParamStore& image)
{
    if (bytes.size() != kConfigFileSize) {
        ConfigFileResult result = Failure(ConfigFileProblem::WrongSize);
        result.size = bytes.size();
        return result;
    }
    ParamStore decoded;
    const std::uint8_t* in = bytes.data();
    for (std::size_t n = 0; n < kRecordCount; ++n) {
        ParamRecord& r = decoded.record(n);
        r.paramClass = static_cast<ParamClass>(Get(in, 1));
        r.value = GetInt(in);
        r.band.shape = static_cast<std::uint8_t>(Get(in, 1));
        r.band.freqIndex = GetInt(in);
        r.band.gain = GetInt(in);
        r.band.qIndex = GetInt(in);
        r.band.shelfQIndex = GetInt(in);
        const std::uint32_t defined = Get(in, 2);
        const std::uint32_t perMode = Get(in, 2);
        const std::uint32_t bandOff = Get(in, 2);
        for (const auto& fault : {NotBoolean(RecordField::Defined, defined), NotBoolean(RecordField::PerMode, perMode),
                                  NotBoolean(RecordField::BandOff, bandOff)})
            if (fault)
                return BadRecord(n, *fault);
        r.defined = defined != 0;
        r.perMode = perMode != 0;
        r.band.bandOff = bandOff != 0;
        const int address = static_cast<int>(n / kModeCount);
        const int mode = static_cast<int>(n % kModeCount);
        if (const auto fault = CheckRecord(r, LayoutFor(mode, address, r)))
            return BadRecord(n, *fault);
    }
    image = std::move(decoded);
    return {true, ConfigFileProblem::None, {}, 0, 0, {}, {}};
}

ConfigFileResult SaveConfigurationFile(const std::filesystem::path& path, const ParamStore& store)
{
    ConfigFileResult result;
    result.path = path;
    result.saveFailure = SaveAtomically(path, EncodeConfiguration(store));
    result.ok = !result.saveFailure.failed();
    result.problem = result.ok ? ConfigFileProblem::None : ConfigFileProblem::NotSaved;
    return result;
}

ConfigFileResult LoadConfigurationFile(const std::filesystem::path& path, ParamStore& image)
{
    ConfigFileResult result = [&] {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec))
            return Failure(ConfigFileProblem::Unreadable);
        const auto size = std::filesystem::file_size(path, ec);
        if (ec)
            return Failure(ConfigFileProblem::Unreadable);
        if (size != kConfigFileSize) {
            ConfigFileResult wrong = Failure(ConfigFileProblem::WrongSize);
            wrong.size = size;
            return wrong;
        }
        std::ifstream in(path, std::ios::binary);
        std::vector<std::uint8_t> bytes(kConfigFileSize);
        in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!in)
            return Failure(ConfigFileProblem::Unreadable);
        return DecodeConfiguration(bytes, image);
    }();
    result.path = path;
    return result;
}

std::filesystem::path WithConfigurationExtension(const std::filesystem::path& path)
{
    constexpr std::string_view kExtension = ".quorix";
    std::string text = platform::PathToUtf8(path);
    std::string tail = text.substr(text.size() >= kExtension.size() ? text.size() - kExtension.size() : 0);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (tail == kExtension)
        return path;
    std::filesystem::path result = path;
    result += kExtension;
    return result;
}

} // namespace quorix::core

#include "cli_fixture.h"

#include "cli/config_json.h"
#include "cli/pull_session.h"
#include "json/strict_json.h"

#include "measure/filter_import.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "core/address_map.h"
#include "core/config_file.h"
#include "core/manual_scheduler.h"
#include "core/record_check.h"
#include "core/valid_utf8.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>

using namespace quorix::core;
using quorix::cli::ConfigurationFromJson;
using quorix::cli::ConfigurationToJson;

namespace {

// Every defined record with random values the wire carries; undefined records with leftovers a file may hold.
ParamStore RandomStore(unsigned seed)
{
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    ParamStore store = DefaultParamStore();
    for (int mode = 0; mode < kModeCount; ++mode)
        for (int a = 0; a < kAddressCount; ++a) {
            ParamRecord& r = store.at(mode, a);
            if (!r.defined) {
                if (pick(0, 200) == 0)
                    r.value = pick(-100000, 100000);
                continue;
            }
            if (r.paramClass != ParamClass::EqBand) {
                r.value = pick(0, kLargestWireValue);
                continue;
            }
            r.band.shape = static_cast<std::uint8_t>(pick(0, 2));
            r.band.bandOff = pick(0, 1) == 1;
            r.band.freqIndex = pick(0, 362);
            r.band.gain = pick(10, 370);
            r.band.qIndex = pick(0, 100);
            r.band.shelfQIndex = pick(0, 28);
        }
    return store;
}

// What pull writes: the processor-wide kinds mirrored into the dance set by the synchronisation.
ParamStore Pulled(const std::filesystem::path& dir)
{
    ManualScheduler clock;
    quorix::sim::VirtualProcessor processor;
    quorix::sim::SimUsbPort port(processor, clock);
    std::ostringstream out, err;
    const auto file = dir / "pulled.quorix";
    EXPECT_EQ(quorix::cli::PullConfiguration(port, clock, {file, nullptr, 5000, true}, out, err), 0) << err.str();
    ParamStore store;
    EXPECT_TRUE(LoadConfigurationFile(file, store).ok);
    return store;
}

ParamStore FilterImported()
{
    ParamStore store = DefaultParamStore();
    ViewState view;
    view.currentKind = MainOutput;
    view.currentMode = 1;
    NullParamWriter noProcessor;
    ParamEditor editor(store, view, noProcessor);
    EXPECT_TRUE(quorix::measure::ImportFilters(editor, "Filter 1: ON PK Fc 1003 Hz Gain -4.45 dB Q 3.3\n").ok);
    return store;
}

} // namespace

TEST_F(CliFixture, ExportThenImportGivesBackTheSameBytes)
{
    for (const ParamStore& store :
         {DefaultParamStore(), RandomStore(1), RandomStore(2), Pulled(dir), FilterImported()}) {
        const std::string original = (dir / "a.quorix").string();
        const std::string json = (dir / "a.json").string();
        const std::string back = (dir / "b.quorix").string();
        ASSERT_TRUE(SaveConfigurationFile(original, store).ok);
        ASSERT_EQ(RunCli("export " + original + " --json -o " + json).exitCode, 0);
        const CliRun imported = RunCli("import " + json + " -o " + back);
        ASSERT_EQ(imported.exitCode, 0) << imported.output;
        std::ifstream a(original, std::ios::binary), b(back, std::ios::binary);
        const std::string bytesA((std::istreambuf_iterator<char>(a)), {}),
            bytesB((std::istreambuf_iterator<char>(b)), {});
        EXPECT_EQ(bytesA.size(), kConfigFileSize);
        EXPECT_TRUE(bytesA == bytesB);
    }
}

TEST(ConfigJson, AMalformedFileIsRefusedWithThePathOfTheField)
{
    const std::string good = ConfigurationToJson(DefaultParamStore());
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    std::string emptyEntries;
    for (int i = 0; i < 64; ++i)
        emptyEntries += "{}, ";
    // Four long keys and a control character: a refusal whose every part is at its longest.
    const std::string key = std::string(30, 'k');
    const std::string longest = "{\"" + key + "\": {\"" + key + "\": {\"" + key + "\": {\"" + key + "\": \"" +
                                std::string(40, 'v') + std::string(1, '\0') + "\"}}}}";
    auto document = nlohmann::ordered_json::parse(good);
    document["kinds"][0]["params"].erase("0x0F");
    const std::string withoutHighPass = document.dump();
    // Ten megabytes, far past anything an export makes.
    const auto huge = [](char c) {
        std::string text;
        text.resize(10'000'000, c);
        return text;
    };
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"{\"format\": ", "not JSON"},
        {"[]", "the document: must be an object"},
        {replaced("\"version\": 1", "\"version\": 2"), "version: must be 1 to 1"},
        {replaced("\"version\": 1", "\"colour\": 1"), "colour: unknown field"},
        {replaced("\"gain\": 330", "\"gain\": 62500"), "kinds[0].params[\"0x00\"].gain: must be 0 to 500"},
        {replaced("\"gain\": 330", "\"gain\": 33.5"), "kinds[0].params[\"0x00\"].gain: must be a whole number"},
        {replaced("\"gain\": 330", "\"gian\": 330"), "kinds[0].params[\"0x00\"].gian: unknown field"},
        {replaced("\"shape\": 0", "\"shape\": 3"), "kinds[0].params[\"0x00\"].shape: must be 0 to 2"},
        {replaced("\"off\": false", "\"off\": 0"), "kinds[0].params[\"0x00\"].off: must be true or false"},
        {replaced("\"class\": \"EqBand\"", "\"class\": \"Plain\""), "kinds[0].params[\"0x00\"].value: missing"},
        {replaced("\"class\": \"EqBand\"", "\"class\": \"LowPass\""), "kinds[0].params[\"0x00\"].value: missing"},
        {replaced("\"class\": \"EqBand\"", "\"class\": \"Band\""), "kinds[0].params[\"0x00\"].class: must be Plain"},
        {replaced("\"0x00\": {", "\"0x0G\": {"), "kinds[0].params[\"0x0G\"]: a menu address is written 0x00 to 0xFF"},
        {replaced("\"0x00\": {", "\"0x30\": {"),
         "kinds[0].params[\"0x30\"]: Defined is -1 where the address map has 0"},
        {replaced("\"version\": 1", "\"version\": 1e999"), "version: not JSON: number overflow"},
        {replaced("\"gain\": 330", "\"gain\": " + std::string(400, '7')),
         "kinds[0].params[\"0x00\"].gain: not JSON: number"},
        {replaced("\"gain\": 330", "\"gain\": 330, \"gain\": 331"),
         "kinds[0].params[\"0x00\"].gain: this key comes twice"},
        {replaced("\"version\": 1", "\"version\": 1, \"version\": 1"), "version: this key comes twice"},
        {replaced("\"format\": ", "\"" + huge('f') + "\": "), ": unknown field"},
        {"{\"format\": \"" + huge('x'), "format: not JSON: "},
        {std::string(100, '[') + std::string(100, ']'), "nested deeper"},
        {replaced("\"mode\": \"singing\"", "\"mode\": \"party\""), "kinds[0].mode: must be singing, dance or default"},
        {replaced("\"kind\": 0", "\"kind\": 12"), "kinds[0].kind: must be 0 to 11"},
        {replaced("\"kind\": 1,", "\"kind\": 0,"), "kinds[3]: page 0 in this mode comes twice"},
        {withoutHighPass, "kinds: page 0 singing 0x0F: missing"},
        {replaced("\"kinds\": [", "\"kinds\": [" + emptyEntries), "kinds[64]: more elements than a configuration has"},
        {longest, "not JSON: value - invalid string: control character U+0000"},
        {replaced("\"0x00\": {", "\"\\u0000\xff\xfe" + std::string(300, '\xC3') + "\": {"),
         "kinds[0].params: not JSON: object key - invalid string: ill-formed UTF-8 byte"},
        {replaced("\"format\": \"", "\"format\": \"\xE4\xB8"),
         "format: not JSON: value - invalid string: ill-formed UTF-8 byte"},
    };
    for (const auto& c : cases) {
        ParamStore store = DefaultParamStore();
        store.at(0, 0).band.gain = 111;
        const ParamStore before = store;
        const auto result = ConfigurationFromJson(c.text, store);
        EXPECT_FALSE(result.ok) << c.message;
        EXPECT_NE(result.message.find(c.message), std::string::npos) << c.message << "\n"
                                                                     << result.message.substr(0, 400);
        EXPECT_LE(result.message.size(), quorix::json::kLongestRefusal) << c.message << "\n" << result.message;
        EXPECT_EQ(result.message.find('\n'), std::string::npos) << c.message;
        EXPECT_EQ(ValidUtf8(result.message), result.message) << c.message;
        EXPECT_EQ(store, before);
    }
}

// A band field the record check refuses is refused by the JSON reader at the same bound, and the last value both
// take is taken by both; the frequency index's bound depends on whether the band is off.
TEST(ConfigJson, BandFieldsAreHeldToTheBoundsOfTheRecordCheck)
{
    const std::string good = ConfigurationToJson(DefaultParamStore());
    const struct {
        const char* key;
        RecordField field;
        std::int32_t Band::*member;
    } fields[] = {
        {"frequency", RecordField::FreqIndex, &Band::freqIndex},
        {"gain", RecordField::Gain, &Band::gain},
        {"q", RecordField::QIndex, &Band::qIndex},
        {"slope", RecordField::ShelfQIndex, &Band::shelfQIndex},
    };
    for (bool off : {false, true})
        for (const auto& f : fields) {
            const FieldRange range = WireRange(f.field, off);
            for (const std::int64_t value : {range.highest, range.highest + 1}) {
                auto document = nlohmann::ordered_json::parse(good);
                auto& band = document["kinds"][0]["params"]["0x00"];
                band["off"] = off;
                band[f.key] = value;
                ParamStore store = DefaultParamStore();
                const auto result = ConfigurationFromJson(document.dump(), store);

                ParamRecord record = DefaultParamStore().at(0, 0);
                record.band.bandOff = off;
                record.band.*f.member = static_cast<std::int32_t>(value);
                const bool checked = !CheckRecord(record, record).has_value();
                EXPECT_EQ(result.ok, checked) << f.key << " " << value << " off " << off << ": " << result.message;
                EXPECT_EQ(result.ok, value == range.highest) << f.key << " " << value << " off " << off;
                if (!result.ok)
                    EXPECT_NE(
                        result.message.find(std::string(f.key) + ": must be 0 to " + std::to_string(range.highest)),
                        std::string::npos)
                        << result.message;
            }
        }
}

// The import reads only what a configuration's JSON can be, and says why in one line.
TEST_F(CliFixture, ImportRefusesFilesNoConfigurationIsBeforeReadingThem)
{
    const auto folder = dir / "folder.json";
    std::filesystem::create_directory(folder);
    const auto fifo = dir / "pipe.json";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto large = dir / "large.json";
    std::filesystem::resize_file((std::ofstream(large), large), 16 * 1024 * 1024 + 1);
    const struct {
        std::string source;
        const char* message;
    } cases[] = {
        {folder.string(), "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {fifo.string(), "not a regular file"},
        {large.string(), "larger than any configuration's JSON"},
        {(dir / "missing.json").string(), "cannot be read"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli("import " + c.source + " -o " + (dir / "out.quorix").string());
        EXPECT_EQ(run.exitCode, 1) << c.source << "\n" << run.output;
        EXPECT_EQ(run.output, c.source + ": " + c.message + (c.message[0] == 'l' ? " (16777216 bytes)\n" : "\n"));
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out.quorix"));
}

TEST_F(CliFixture, ImportAddsTheConfigurationExtension)
{
    const std::string json = (dir / "a.json").string();
    std::ofstream(json) << ConfigurationToJson(DefaultParamStore());
    ASSERT_EQ(RunCli("import " + json + " -o " + (dir / "room").string()).exitCode, 0);
    ParamStore store;
    EXPECT_TRUE(LoadConfigurationFile(dir / "room.quorix", store).ok);
    EXPECT_EQ(store, DefaultParamStore());
}

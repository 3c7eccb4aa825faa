#include "cli_fixture.h"

#include "cli/config_json.h"

#include "core/address_map.h"
#include "core/config_file.h"
#include "core/record_check.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <random>

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
            if (!r.Defined) {
                if (pick(0, 200) == 0)
                    r.Value = pick(-100000, 100000);
                continue;
            }
            if (r.Class != ParamClass::EqBand) {
                r.Value = pick(0, kLargestWireValue);
                continue;
            }
            r.band.Shape = static_cast<std::uint8_t>(pick(0, 2));
            r.band.BandOff = pick(0, 1) == 1;
            r.band.FreqIndex = pick(0, 362);
            r.band.Gain = pick(10, 370);
            r.band.QIndex = pick(0, 100);
            r.band.ShelfQIndex = pick(0, 28);
        }
    return store;
}

} // namespace

TEST_F(CliFixture, ExportThenImportGivesBackTheSameBytes)
{
    for (const ParamStore& store : {DefaultParamStore(), RandomStore(1), RandomStore(2)}) {
        const std::string original = (dir / "a.quorix").string();
        const std::string json = (dir / "a.json").string();
        const std::string back = (dir / "b.quorix").string();
        ASSERT_TRUE(SaveConfigurationFile(original, store).ok);
        ASSERT_EQ(RunCli("export " + original + " --json -o " + json).exitCode, 0);
        const CliRun imported = RunCli("import " + json + " -o " + back);
        ASSERT_EQ(imported.exitCode, 0) << imported.output;
        std::ifstream a(original, std::ios::binary), b(back, std::ios::binary);
        const std::string bytesA((std::istreambuf_iterator<char>(a)), {}), bytesB((std::istreambuf_iterator<char>(b)), {});
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
    auto document = nlohmann::ordered_json::parse(good);
    document["kinds"][0]["params"].erase("0x0F");
    const std::string withoutHighPass = document.dump();
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"{\"format\": ", "not JSON"},
        {"[]", "the document: must be an object"},
        {replaced("\"version\": 1", "\"version\": 2"), "version: must be 1 to 1"},
        {replaced("\"version\": 1", "\"colour\": 1"), "colour: unknown field"},
        {replaced("\"gain\": 330", "\"gain\": 62500"), "kinds[0].params[\"0x00\"].gain: must be 0 to 62499"},
        {replaced("\"gain\": 330", "\"gain\": 33.5"), "kinds[0].params[\"0x00\"].gain: must be a whole number"},
        {replaced("\"gain\": 330", "\"gian\": 330"), "kinds[0].params[\"0x00\"].gian: unknown field"},
        {replaced("\"shape\": 0", "\"shape\": 3"), "kinds[0].params[\"0x00\"].shape: must be 0 to 2"},
        {replaced("\"off\": false", "\"off\": 0"), "kinds[0].params[\"0x00\"].off: must be true or false"},
        {replaced("\"class\": \"EqBand\"", "\"class\": \"Plain\""), "kinds[0].params[\"0x00\"].value: missing"},
        {replaced("\"class\": \"EqBand\"", "\"class\": \"LowPass\""), "kinds[0].params[\"0x00\"].value: missing"},
        {replaced("\"class\": \"EqBand\"", "\"class\": \"Band\""), "kinds[0].params[\"0x00\"].class: must be Plain"},
        {replaced("\"0x00\": {", "\"0x0G\": {"), "kinds[0].params[\"0x0G\"]: a menu address is written 0x00 to 0xFF"},
        {replaced("\"0x00\": {", "\"0x30\": {"), "kinds[0].params[\"0x30\"]: Defined 为 -1"},
        {replaced("\"mode\": \"singing\"", "\"mode\": \"party\""), "kinds[0].mode: must be singing, dance or default"},
        {replaced("\"kind\": 0", "\"kind\": 12"), "kinds[0].kind: must be 0 to 11"},
        {replaced("\"kind\": 1,", "\"kind\": 0,"), "kinds[3]: page 0 in this mode comes twice"},
        {withoutHighPass, "kinds: page 0 singing 0x0F: missing"},
    };
    for (const auto& c : cases) {
        ParamStore store = DefaultParamStore();
        store.at(0, 0).band.Gain = 111;
        const ParamStore before = store;
        const auto result = ConfigurationFromJson(c.text, store);
        EXPECT_FALSE(result.ok) << c.message;
        EXPECT_NE(result.message.find(c.message), std::string::npos) << c.message << "\n" << result.message;
        EXPECT_EQ(store, before);
    }
}

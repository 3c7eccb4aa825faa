#include "core/address_map.h"
#include "core/config_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quorix::core;
namespace fs = std::filesystem;

namespace {

struct FileFixture : ::testing::Test {
    fs::path dir;
    ParamStore store;
    ParamStore image;

    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("quorix-test-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        InitParamStore(store, image);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::vector<std::uint8_t> read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void write(const fs::path& path, const std::vector<std::uint8_t>& bytes)
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

} // namespace

TEST_F(FileFixture, RecordsArePackedLittleEndianModeFastest)
{
    ParamRecord& band = store.at(1, 3);
    band.Shape = 2;
    band.FreqIndex = 0x01020304;
    band.Gain = -2;
    band.BandOff = true;
    const auto bytes = EncodeConfiguration(store);
    ASSERT_EQ(bytes.size(), 252000u);

    const std::uint8_t* r = &bytes[(3 * 3 + 1) * 28];
    EXPECT_EQ(r[0], 1);                                  // Class EqBand
    EXPECT_EQ(r[5], 2);                                  // Shape
    EXPECT_EQ((std::vector<std::uint8_t>(r + 6, r + 10)), (std::vector<std::uint8_t>{4, 3, 2, 1}));
    EXPECT_EQ((std::vector<std::uint8_t>(r + 10, r + 14)), (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(r[22], 0xFF);                              // Defined, -1
    EXPECT_EQ(r[23], 0xFF);
    EXPECT_EQ(r[24], 0xFF);                              // PerMode (music band)
    EXPECT_EQ(r[26], 0xFF);                              // BandOff

    const std::uint8_t* common = &bytes[2560 * 3 * 28];  // first common record, singing mode
    EXPECT_EQ(common[0], 0);
    EXPECT_EQ(common[1], 20);
    EXPECT_EQ(common[24], 0);
}

TEST_F(FileFixture, SaveAndLoadRoundTrip)
{
    store.at(0, 0).Gain = 123;
    store.at(1, 2600).Value = -7; // an undefined record keeps every field too
    const fs::path path = dir / "a.quorix";
    ASSERT_TRUE(SaveConfigurationFile(path, store).ok);
    EXPECT_EQ(fs::file_size(path), 252000u);
    ParamStore loaded;
    const auto result = LoadConfigurationFile(path, loaded);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(loaded, store);
    EXPECT_EQ(fs::directory_iterator(dir)->path(), path); // no temporary file left behind
}

TEST_F(FileFixture, RefusedFilesLeaveTheImageUntouched)
{
    const fs::path good = dir / "good.quorix";
    ASSERT_TRUE(SaveConfigurationFile(good, store).ok);
    auto bytes = read(good);
    auto shorter = bytes;
    shorter.resize(251972);
    auto longer = bytes;
    longer.push_back(0);
    write(dir / "short.quorix", shorter);
    write(dir / "long.quorix", longer);
    write(dir / "empty.quorix", {});
    fs::create_directory(dir / "folder.quorix");

    image.at(0, 0).Gain = 77;
    const ParamStore before = image;
    for (const char* name : {"short.quorix", "long.quorix", "empty.quorix", "missing.quorix", "folder.quorix"}) {
        const auto result = LoadConfigurationFile(dir / name, image);
        EXPECT_FALSE(result.ok) << name;
        EXPECT_FALSE(result.message.empty()) << name;
        EXPECT_EQ(image, before) << name;
    }
    EXPECT_NE(LoadConfigurationFile(dir / "short.quorix", image).message.find("251972"), std::string::npos);
}

TEST_F(FileFixture, AFailedSaveKeepsTheFileThatWasThere)
{
    const fs::path path = dir / "keep.quorix";
    ASSERT_TRUE(SaveConfigurationFile(path, store).ok);
    const auto before = read(path);
    store.at(0, 0).Gain = 1;
    // A folder in the way of the rename makes the save fail after the temporary was written.
    const fs::path blocked = dir / "blocked.quorix";
    fs::create_directories(blocked / "inside");
    EXPECT_FALSE(SaveConfigurationFile(blocked, store).ok);
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
    EXPECT_FALSE(SaveConfigurationFile(dir / "no-such-folder" / "x.quorix", store).ok);
    EXPECT_EQ(read(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 2); // keep + blocked, no temporaries
}

TEST(ConfigurationExtension, AppendedUnlessPresentInAnyCase)
{
    EXPECT_EQ(WithConfigurationExtension("a/b"), fs::path("a/b.quorix"));
    EXPECT_EQ(WithConfigurationExtension("a/b.QUORIX"), fs::path("a/b.QUORIX"));
    EXPECT_EQ(WithConfigurationExtension("a/b.Quorix"), fs::path("a/b.Quorix"));
    EXPECT_EQ(WithConfigurationExtension("a/b.txt"), fs::path("a/b.txt.quorix"));
}

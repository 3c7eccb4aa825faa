#include "presets/config_file_message.h"

#include <gtest/gtest.h>

#include <regex>

using namespace quorix;
using core::ConfigFileProblem;
using core::RecordField;
using core::RecordRule;

namespace {

core::ConfigFileResult Result(ConfigFileProblem problem)
{
    core::ConfigFileResult result;
    result.problem = problem;
    result.path = "/房间/a.quorix";
    return result;
}

core::ConfigFileResult Bad(std::size_t record, core::RecordFault fault)
{
    core::ConfigFileResult result = Result(ConfigFileProblem::BadRecord);
    result.record = record;
    result.fault = fault;
    return result;
}

} // namespace

// The console words in Chinese what core reports as data, field names included.
TEST(ConfigFileMessage, TheConsoleWordsEveryRefusalInChinese)
{
    core::ConfigFileResult wrongSize = Result(ConfigFileProblem::WrongSize);
    wrongSize.size = 1000;
    core::ConfigFileResult notSaved = Result(ConfigFileProblem::NotSaved);
    notSaved.saveFailure = {core::SaveProblem::ReadOnly, {}};
    core::ConfigFileResult diskFull = Result(ConfigFileProblem::NotSaved);
    diskFull.saveFailure = {core::SaveProblem::System, std::make_error_code(std::errc::no_space_on_device)};
    core::ConfigFileResult oddFailure = Result(ConfigFileProblem::NotSaved);
    oddFailure.saveFailure = {core::SaveProblem::System, std::make_error_code(std::errc::connection_reset)};
    const struct {
        core::ConfigFileResult result;
        std::string message;
    } cases[] = {
        {Result(ConfigFileProblem::Unreadable), "无法读取配置文件：/房间/a.quorix"},
        {wrongSize, "配置文件大小不符（应为 252000 字节，实际为 1000 字节），不是有效的配置文件。\n/房间/a.quorix"},
        {Bad(0, {RecordField::Class, RecordRule::OutOfRange, 255, 0, 3}),
         "配置文件的第 0 条记录（偏移 0，地址 0x000，模式 0）无效：类别 255 不在 0 到 3 之间。"
         "不是本软件可以打开的配置文件。\n/房间/a.quorix"},
        {Bad(7682, {RecordField::Defined, RecordRule::DiffersFromMap, 0, -1, -1}),
         "配置文件的第 7682 条记录（偏移 215096，地址 0xA00，模式 2）无效：定义标志 为 0，此地址应为 -1。"
         "不是本软件可以打开的配置文件。\n/房间/a.quorix"},
        {Bad(15, {RecordField::BandOff, RecordRule::NotABoolean, 0x8000, 0, 0}),
         "配置文件的第 15 条记录（偏移 420，地址 0x005，模式 0）无效：布尔字段不是 0 或 -1。"
         "不是本软件可以打开的配置文件。\n/房间/a.quorix"},
        {notSaved, "无法保存配置文件：/房间/a.quorix\n文件是只读的，或当前用户没有写入权限"},
        {diskFull, "无法保存配置文件：/房间/a.quorix\n磁盘空间不足"},
        {oddFailure, "无法保存配置文件：/房间/a.quorix\n系统错误（代码 " +
                         std::to_string(static_cast<int>(std::errc::connection_reset)) + "）"},
    };
    for (const auto& c : cases) {
        const std::string message = presets::ConfigFileMessage(c.result);
        EXPECT_EQ(message, c.message);
        std::string words = message; // without the file's name
        for (auto at = words.find("/房间/a.quorix"); at != std::string::npos; at = words.find("/房间/a.quorix"))
            words.erase(at, std::string("/房间/a.quorix").size());
        EXPECT_FALSE(std::regex_search(words, std::regex("(^|[^0-9])[A-Za-z]{2,}"))) << "no English words: " << words;
    }
}

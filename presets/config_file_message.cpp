#include "config_file_message.h"

#include "platform/utf8_path.h"

#include <array>
#include <cstdio>

namespace quorix::presets {

namespace {

constexpr std::array<const char*, 10> kFieldNames = {"类别",     "数值",     "形状",     "频率序号",   "增益",
                                                     "Q 值序号", "斜率序号", "定义标志", "分模式标志", "频段关闭标志"};

std::string FaultText(const core::RecordFault& f)
{
    const std::string field = kFieldNames[static_cast<std::size_t>(f.field)];
    switch (f.rule) {
    case core::RecordRule::OutOfRange:
        return field + " " + std::to_string(f.value) + " 不在 " + std::to_string(f.lowest) + " 到 " +
               std::to_string(f.highest) + " 之间";
    case core::RecordRule::DiffersFromMap:
        return field + " 为 " + std::to_string(f.value) + "，此地址应为 " + std::to_string(f.lowest);
    case core::RecordRule::NotABoolean:
        break;
    }
    return "布尔字段不是 0 或 -1";
}

std::string SystemReason(const std::error_code& error)
{
    static const struct {
        std::errc code;
        const char* text;
    } kReasons[] = {
        {std::errc::no_space_on_device, "磁盘空间不足"},
        {std::errc::permission_denied, "没有写入权限"},
        {std::errc::operation_not_permitted, "没有写入权限"},
        {std::errc::read_only_file_system, "磁盘是只读的"},
        {std::errc::no_such_file_or_directory, "文件夹不存在"},
        {std::errc::not_a_directory, "路径中有一部分不是文件夹"},
        {std::errc::is_a_directory, "目标是文件夹"},
        {std::errc::filename_too_long, "文件名太长"},
        {std::errc::file_too_large, "文件太大"},
        {std::errc::too_many_symbolic_link_levels, "符号链接层数太多"},
        {std::errc::io_error, "磁盘读写出错"},
    };
    for (const auto& r : kReasons)
        if (error == r.code)
            return r.text;
    return "系统错误（代码 " + std::to_string(error.value()) + "）";
}

std::string WithPath(std::string text, const core::ConfigFileResult& r)
{
    return r.path.empty() ? text : text + "\n" + platform::PathToUtf8(r.path);
}

} // namespace

std::string ConfigFileMessage(const core::ConfigFileResult& r)
{
    switch (r.problem) {
    case core::ConfigFileProblem::None:
        return {};
    case core::ConfigFileProblem::Unreadable:
        return "无法读取配置文件：" + platform::PathToUtf8(r.path);
    case core::ConfigFileProblem::WrongSize:
        return WithPath("配置文件大小不符（应为 " + std::to_string(core::kConfigFileSize) + " 字节，实际为 " +
                            std::to_string(r.size) + " 字节），不是有效的配置文件。",
                        r);
    case core::ConfigFileProblem::BadRecord: {
        char where[96];
        std::snprintf(where, sizeof where, "第 %zu 条记录（偏移 %zu，地址 0x%03zX，模式 %zu）", r.record,
                      r.record * core::kConfigRecordSize, r.record / core::kModeCount, r.record % core::kModeCount);
        return WithPath(
            std::string("配置文件的") + where + "无效：" + FaultText(r.fault) + "。不是本软件可以打开的配置文件。", r);
    }
    case core::ConfigFileProblem::NotSaved:
        break;
    }
    return "无法保存配置文件：" + platform::PathToUtf8(r.path) + "\n" + SaveFailureText(r.saveFailure);
}

std::string SaveFailureText(const core::SaveFailure& failure)
{
    switch (failure.problem) {
    case core::SaveProblem::None:
        return {};
    case core::SaveProblem::NotARegularFile:
        return "目标不是普通文件";
    case core::SaveProblem::ReadOnly:
        return "文件是只读的，或当前用户没有写入权限";
    case core::SaveProblem::System:
        break;
    }
    return SystemReason(failure.error);
}

} // namespace quorix::presets

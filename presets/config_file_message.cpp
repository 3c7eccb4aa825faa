#include "config_file_message.h"

#include "platform/utf8_path.h"

#include <array>
#include <cstdio>

namespace quorix::presets {

namespace {

constexpr std::array<const char*, 10> kFieldNames = {"类别",     "数值",     "形状",         "频率序号",
                                                     "增益",     "Q 值序号", "斜率序号",     "定义标志",
                                                     "分模式标志", "频段关闭标志"};

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
        return WithPath(std::string("配置文件的") + where + "无效：" + FaultText(r.fault) +
                            "。不是本软件可以打开的配置文件。",
                        r);
    }
    case core::ConfigFileProblem::NotSaved:
        break;
    }
    return "无法保存配置文件：" + platform::PathToUtf8(r.path) + "\n" + r.saveFailure;
}

} // namespace quorix::presets

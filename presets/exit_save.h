#pragma once

#include "preset_context.h"
#include "preset_texts.h"

#include "core/busy_indicator.h"
#include "core/prompter.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quorix::presets {

// What the exit save dialog was asked to do.
struct ExitSaveChoice {
    bool storePreset = true;
    int userIndex = 0; // USER1..USER5 as 0..4
    bool saveFile = false;
    std::string name; // the file name without folder or extension
};

// The "保存" button of the exit save dialog: store into a user preset and/or
// write the configuration into the mode folder, in one step.
class ExitSave {
public:
    ExitSave(PresetContext context, core::Prompter& prompter, core::BusyIndicator& busy,
             std::filesystem::path modeFolder)
        : m_context(context), m_prompter(prompter), m_busy(busy), m_modeFolder(std::move(modeFolder))
    {}

    // Returns at once; `done` is told true when the dialog is done and closes,
    // false to keep it open for a correction. Nobody is told once this is gone.
    void save(const ExitSaveChoice& choice, std::function<void(bool closes)> done);

    // The message refusing `name`, or empty when it can name a file.
    static std::string_view checkName(std::string_view name);
    std::filesystem::path pathFor(std::string_view name) const;

private:
    bool finish(const ExitSaveChoice& choice, std::string_view storeProblem);

    PresetContext m_context;
    core::Prompter& m_prompter;
    core::BusyIndicator& m_busy;
    std::filesystem::path m_modeFolder;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

inline constexpr std::string_view kNameMissing = "请输入文件名！";
inline constexpr std::string_view kNameIsPath = "只需要输入名称即可，不是文件路径！";
inline constexpr std::string_view kNameHasExtension = "只需要输入名称即可，不需要扩展名！";
inline constexpr std::string_view kAllDone = "操作成功完成！";
inline constexpr std::string_view kStoreSkippedOffline = "设备未联机，当前设置没有保存到预置！";
inline constexpr std::string_view kStoreFailed = "保存到预置失败，当前设置没有保存到预置！";
inline constexpr std::string_view kFileSaved = "设备配置已保存到设备文件。";

} // namespace quorix::presets

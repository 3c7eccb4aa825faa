#pragma once

#include <string_view>

namespace quorix::link {

enum class MessageIcon { Information, Exclamation, Warning, Critical };

// Everything the link does to the screen goes through this interface; the main
// window implements it, tests record it.
class LinkHost {
public:
    virtual ~LinkHost() = default;
    // Connection button: 0 searching or lost, 1 online, 2 switched off.
    virtual void setConnectionStatus(int value) = 0;
    virtual void setCaption(std::string_view caption) = 0;
    virtual void showMessage(std::string_view text, MessageIcon icon) = 0;
    virtual void setWindowEnabled(bool enabled) = 0;
    virtual void showProgress(bool visible) = 0;
    virtual void setProgress(int value, int maximum) = 0;
    // The store changed as a whole: push it into the controls.
    virtual void RefreshControls() = 0;
    // A handshake reply arrived: show page 0 and enable the optional pages by the variant.
    virtual void ApplyDeviceVariant(bool variantFlag) = 0;
    virtual void setToneLabel(int value) = 0;
    virtual void closeRecordingWindow() = 0;
    virtual void setMasterMaxima(int music, int microphone, int effect) = 0;
    virtual void showPreset(int preset) = 0;
    // CurrentMode and AutoModeControl were read from the processor: update the mode buttons.
    virtual void modeStateLoaded() = 0;
    virtual void resetUndo() = 0;
    // Every 50 ms link tick, for the response plot's marker pulse.
    virtual void linkTicked() = 0;
    // The full synchronisation after a connection has ended, with its result.
    virtual void synchronised(bool ok) = 0;
};

inline constexpr std::string_view kCaptionOnline = "Quorix_Series - 已联机";
inline constexpr std::string_view kCaptionOffline = "Quorix_Series - 断开";
inline constexpr std::string_view kCaptionOfflineMode = "Quorix_Series - 脱机模式";
inline constexpr std::string_view kLinkLostMessage = "与目标通信连接超时，已断开连接。";
inline constexpr std::string_view kCountMismatchMessage = "当前返回数据个数与期望的数据个数不符,请检查!";
inline constexpr std::string_view kReadFaultMessage = "从机器读数据时出错！";
inline constexpr std::string_view kWriteFaultMessage = "向机器写入数据时出错！";

} // namespace quorix::link

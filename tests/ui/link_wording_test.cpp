#include "ui/link_wording.h"
#include "ui/loss_notice.h"

#include <gtest/gtest.h>

using namespace quorix;
using link::LinkCode;
using ui::ConnectionButton;

TEST(LinkWording, EachReportShowsItsButtonCaptionAndMessage)
{
    struct Case {
        link::LinkReport report;
        std::optional<ConnectionButton> button;
        std::optional<std::string_view> caption;
        std::optional<std::string> message;
    };
    const Case cases[] = {
        {{LinkCode::Online}, ConnectionButton::Online, "Quorix_Series - 已联机", {}},
        {{LinkCode::Lost}, ConnectionButton::Searching, "Quorix_Series - 断开", "与目标通信连接超时，已断开连接。"},
        {{LinkCode::Disconnected}, ConnectionButton::Searching, "Quorix_Series - 断开", {}},
        {{LinkCode::SwitchedOn}, ConnectionButton::Searching, {}, {}},
        {{LinkCode::SwitchedOff}, ConnectionButton::Off, {}, {}},
        {{LinkCode::OnlineMode}, ConnectionButton::Searching, "Quorix_Series - 断开", {}},
        {{LinkCode::OfflineMode}, ConnectionButton::Off, "Quorix_Series - 脱机模式", {}},
        {{LinkCode::DeviceUnusable}, {}, {}, "操作USB设备失败！"},
        {{LinkCode::CountMismatch}, {}, {}, "当前返回数据个数与期望的数据个数不符,请检查!"},
        {{LinkCode::ReadFault}, {}, {}, "从机器读数据时出错！"},
        {{.code = LinkCode::ReadFaultAt, .values = {3, 10, 0x1E}},
         {},
         {},
         "从机器读数据时出错！\n错误信息如下: 模式号=3,菜单种类号=10,菜单地址=30"},
        {{LinkCode::WriteFailed}, {}, {}, "向机器写入数据时出错！"},
        {{LinkCode::Progress, 3, 9}, {}, {}, {}},
        {{LinkCode::Tick}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.report.code));
        const ui::LinkWords words = ui::WordLinkReport(c.report);
        EXPECT_EQ(words.button, c.button);
        EXPECT_EQ(words.caption, c.caption);
        EXPECT_EQ(words.message, c.message);
    }
    EXPECT_EQ(ui::WordLinkReport({LinkCode::Lost}).severity, core::Severity::Warning);
    EXPECT_EQ(ui::WordLinkReport({LinkCode::WriteFailed}).severity, core::Severity::Error);
}

TEST(LossNotice, OnlyTheFirstLossOfAnOutageIsTold)
{
    ui::LossNotice notice;
    struct Step {
        std::int64_t onlineAt;
        std::int64_t lostAt;
        bool told;
    };
    const Step steps[] = {
        {0, 5100, true},       // the first loss
        {5600, 10700, false},  // back for 5 s: the same outage
        {11200, 41199, false}, // back for just under 30 s
        {41700, 71700, true},  // up for 30 s: a new outage
        {72200, 77300, false},
    };
    for (const Step& s : steps) {
        notice.online(s.onlineAt);
        EXPECT_EQ(notice.lost(s.lostAt), s.told) << s.lostAt;
    }
}

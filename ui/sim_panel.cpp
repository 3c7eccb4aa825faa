#include "sim_panel.h"

#include "dark_dialog_style.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "core/address_map.h"
#include "core/preset_name.h"
#include "core/value_tables.h"
#include "core/value_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorix::ui {

namespace {

constexpr int kDroppedReplies = 3;
constexpr int kSlowReplyMs = 100; // well inside the link's reply time-out

} // namespace

SimPanel::SimPanel(sim::VirtualProcessor& processor, sim::SimUsbPort& port, core::Scheduler& scheduler, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_processor(processor), m_port(port)
{
    setObjectName(QStringLiteral("SimPanel"));
    setAttribute(Qt::WA_StyledBackground);
    setWindowTitle(QStringLiteral("模拟处理器"));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_preset = new QLabel(this);
    form->addRow(QStringLiteral("当前预置："), m_preset);
    auto* variant = new QComboBox(this);
    variant->addItem(QStringLiteral("型号 1：全部页面"), QChar('1'));
    variant->addItem(QStringLiteral("型号 3：无话筒3、环绕与录音"), QChar('3'));
    variant->setAccessibleName(QStringLiteral("型号"));
    form->addRow(QStringLiteral("型号："), variant);
    layout->addLayout(form);
    connect(variant, &QComboBox::currentIndexChanged, this,
            [this, variant] { m_processor.setVariant(variant->currentData().toChar().toLatin1()); });

    m_plug = new QPushButton(this);
    connect(m_plug, &QPushButton::clicked, this, [this] {
        if (m_port.plugged())
            m_port.unplug();
        else
            m_port.replug();
        showState();
    });
    layout->addWidget(m_plug);
    auto* silent = new QCheckBox(QStringLiteral("不回应保活信号（约 5 秒后断开）"), this);
    connect(silent, &QCheckBox::toggled, this, [this](bool on) { m_processor.setKeepAliveSilent(on); });
    layout->addWidget(silent);
    // A device as slow as this lets a transfer's progress, and an unplug in the middle of one, be watched.
    auto* slow = new QCheckBox(QStringLiteral("回复慢（每个回复晚 %1 毫秒）").arg(kSlowReplyMs), this);
    connect(slow, &QCheckBox::toggled, this, [this](bool on) { m_port.setReplyDelay(on ? kSlowReplyMs : 0); });
    layout->addWidget(slow);
    const auto action = [this, layout](const QString& text, std::function<void()> act) {
        auto* button = new QPushButton(text, this);
        connect(button, &QPushButton::clicked, this, std::move(act));
        layout->addWidget(button);
    };
    action(QStringLiteral("丢弃接下来 %1 个回复").arg(kDroppedReplies),
           [this] { m_processor.dropNextReplies(kDroppedReplies); });
    action(QStringLiteral("损坏下一个回复的校验和"), [this] { m_processor.corruptNextChecksum(); });
    action(QStringLiteral("发送音调复位"), [this] { m_processor.sendToneReset(); });
    action(QStringLiteral("随机修改处理器上的一个频段"), [this] { ChangeRandomBand(m_processor, m_random); });

    ApplyDarkDialogStyle(*this);
    m_watch = scheduler.createTimer(kWatchMs, false, [this] { showState(); });
    m_watch->start();
    showState();
}

int ChangeRandomBand(sim::VirtualProcessor& processor, std::mt19937& random)
{
    // Bands of the kinds the console reads as blocks, so a comparison sees the change.
    std::vector<int> bands;
    const core::ParamStore& layout = core::DefaultParamStore();
    for (int kind = core::MusicInput; kind <= core::SubOutput; ++kind)
        for (int a = core::KindFirst(kind); a <= core::KindLast(kind) && !core::IsSkippedKind(kind); ++a)
            if (layout.at(0, a).paramClass == core::ParamClass::EqBand)
                bands.push_back(a);
    const int address = bands[std::uniform_int_distribution<std::size_t>(0, bands.size() - 1)(random)];
    sim::BandSetting band = processor.band(0, address);
    const int oldGain = band.gain;
    while (band.gain == oldGain)
        band.gain = std::uniform_int_distribution<int>(core::kGainMin, core::kGainMax)(random);
    band.frequency =
        std::uniform_int_distribution<int>(core::kFrequencyIndexLowest, core::kFrequencyIndexHighest)(random);
    processor.setBand(0, address, band);
    return address;
}

QString SimPanel::presetText() const
{
    return QString::fromStdString(core::PresetName(m_processor.currentPreset()));
}

void SimPanel::showState()
{
    m_plug->setText(m_port.plugged() ? QStringLiteral("拔出 USB 线") : QStringLiteral("插入 USB 线"));
    m_preset->setText(presetText());
}

} // namespace quorix::ui

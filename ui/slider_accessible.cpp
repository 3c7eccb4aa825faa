#include "slider_accessible.h"

#include "controls/skinned_fader.h"

#include "core/value_scales.h"
#include "core/value_tables.h"
#include "core/value_text.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace quorix::ui {

namespace {

class SliderAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SliderAccessible(controls::SkinnedFader* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    controls::SkinnedFader* slider() const { return static_cast<controls::SkinnedFader*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Value)
            return QAccessibleWidget::text(t);
        const controls::SkinnedFader* s = slider();
        if (s->kind() == controls::FaderKind::Band) {
            const core::Band band = s->band();
            const int q = std::clamp(band.shape == 0 ? band.qIndex : band.shelfQIndex, 0, core::kMaxQIndex);
            return QStringLiteral("%1dB, %2Hz, Q %3%4")
                .arg(QString::fromStdString(core::GainText(band.gain)))
                .arg(QString::fromStdString(
                    core::FrequencyText(std::clamp(band.freqIndex, 0, core::kFrequencyCount - 1))))
                .arg(QString::fromStdString(core::QText(q)))
                .arg(band.bandOff ? QStringLiteral(", 关") : QString());
        }
        return QString::fromStdString(core::ScaleText(s->valueType(), s->position()));
    }

    QVariant currentValue() const override { return slider()->position(); }
    QVariant minimumValue() const override { return 0; }
    QVariant maximumValue() const override { return slider()->maxValue(); }
    QVariant minimumStepSize() const override { return 1; }
    void setCurrentValue(const QVariant& value) override
    {
        controls::SkinnedFader* s = slider();
        if (!s->isEnabled() || !s->thumbVisible())
            return;
        const int position = std::clamp(value.toInt(), 0, s->maxValue());
        s->setValue(core::ScalePositionToRaw(s->valueType(), position));
        s->notifyScrolled();
    }
};

QAccessibleInterface* SliderFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("quorix::controls::SkinnedFader") && object && object->isWidgetType())
        return new SliderAccessible(static_cast<controls::SkinnedFader*>(object));
    return nullptr;
}

} // namespace

void InstallSliderAccessibility()
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(SliderFactory);
    }
}

} // namespace quorix::ui

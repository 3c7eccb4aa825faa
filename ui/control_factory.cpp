#include "control_factory.h"

#include "controls/qt_text.h"

#include "controls/skinned_button.h"
#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"

#include "core/tag_address.h"

namespace quorix::ui {

QWidget* CreateControl(const ControlSpec& spec, QWidget* parent, const controls::ControlContext& context)
{
    QWidget* widget = nullptr;
    const int address = core::ParseTagAddress(spec.tag);
    switch (spec.kind) {
    case ControlKind::Slider: {
        auto* s = new controls::SkinnedFader(parent, context);
        const controls::FaderKind kind = controls::FaderKindFrom(spec.scrollBarType);
        s->setKind(kind);
        s->setHScrollSize(spec.hScrollSize);
        s->setEQNormalStyle(spec.eqStyle);
        if (!controls::HasFixedScale(kind)) {
            s->setValueType(spec.valueType);
            s->setMaxValue(spec.maxValue);
        }
        s->setLabelID(0);
        s->setTVisible(spec.tVisible);
        s->MuteRAMindex = spec.muteAddress;
        s->Addr = address;
        if (!spec.tVisible)
            s->setAttribute(Qt::WA_TransparentForMouseEvents);
        widget = s;
        break;
    }
    case ControlKind::Button: {
        auto* b = new controls::SkinnedButton(parent);
        b->setActionType(spec.actionType);
        b->setPNGIndexStr(controls::QtText(spec.images));
        b->SpecialFeature = controls::QtText(spec.specialFeature);
        b->Addr = address;
        widget = b;
        break;
    }
    case ControlKind::ComboBox: {
        auto* c = new controls::SkinnedDropDown(parent);
        c->setShowType(spec.showType);
        c->SpecialFeature = controls::QtText(spec.specialFeature);
        c->Addr = address;
        widget = c;
        break;
    }
    case ControlKind::ProgressBar:
        return nullptr;
    }
    widget->setAccessibleName(controls::QtText(spec.label));
    widget->setToolTip(controls::QtText(spec.label));
    widget->move(spec.x, spec.y);
    return widget;
}

} // namespace quorix::ui

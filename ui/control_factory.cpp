#include "control_factory.h"

#include "controls/qt_text.h"
#include "core/param_description.h"
#include "tables/control_label.h"
#include "tables/drop_down_list.h"

#include "controls/skinned_button.h"
#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"

namespace quorix::ui {

QWidget* CreateControl(const tables::ControlRow& row, QWidget* parent, const controls::ControlContext& context)
{
    QWidget* widget = nullptr;
    switch (row.kind) {
    case tables::ControlKind::Slider: {
        auto* s = new controls::SkinnedFader(parent, context);
        const controls::FaderKind kind = controls::FaderKindFrom(row.scrollBarType);
        s->setKind(kind);
        s->setHScrollSize(row.hScrollSize);
        s->setEQNormalStyle(row.eqStyle);
        if (!controls::HasFixedScale(kind)) {
            const core::ParamDescription& description = core::DescribeParam(row.address);
            s->setValueType(description.scale);
            s->setMaxValue(description.positions);
        }
        s->setLabelID(0);
        s->setThumbVisible(row.thumbVisible);
        s->muteAddress = row.muteAddress;
        s->address = row.address;
        if (!row.thumbVisible)
            s->setAttribute(Qt::WA_TransparentForMouseEvents);
        widget = s;
        break;
    }
    case tables::ControlKind::Button: {
        auto* b = new controls::SkinnedButton(parent);
        b->setActionType(row.actionType);
        b->setImages(row.images);
        if (row.refreshWhenDisabled)
            b->specialFeature = QStringLiteral("DisabledRefresh");
        b->address = row.address;
        widget = b;
        break;
    }
    case tables::ControlKind::ComboBox: {
        auto* c = new controls::SkinnedDropDown(parent);
        c->setShowType(tables::DropDownList(row));
        c->address = row.address;
        widget = c;
        break;
    }
    }
    // Scripts and tests find a control by its name and, in an array, its index.
    const bool single = row.array == tables::ControlArray::Named;
    widget->setObjectName(controls::QtText(single ? row.name : tables::ArrayName(row.array)));
    widget->setProperty("index", row.index);
    const QString label = controls::QtText(tables::ControlLabel(row));
    widget->setAccessibleName(label);
    widget->setToolTip(label);
    widget->move(row.x, row.y);
    return widget;
}

} // namespace quorix::ui

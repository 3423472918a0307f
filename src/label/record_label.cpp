#include "label/record_label.h"

namespace Kelbrix {

PlanApplied prepareRenderer(const ViewUpdatePlan &plan, BarcodeRenderer &renderer)
{
    renderer.setWidthTwips(plan.widthTwips);
    renderer.setHeightTwips(plan.heightTwips);
    const PlanApplied applied = applyViewUpdatePlan(plan, renderer);
    renderer.setHeaderSpace(plan.type.symbology == Symbology::Isbn ? kIsbnHeaderSpace : kNoHeaderSpace);
    return applied;
}

LabelDescription describeLabel(LabelForm form, const BarcodeRenderer &renderer, double labelWidthTwips,
                               const QString &product, bool productLineOn, const QString &isbnHeader,
                               const LabelAppearance &appearance)
{
    LabelDescription label;
    label.form = form;
    label.renderer = &renderer;
    label.isbnHeader = isbnHeader;
    label.product = product;
    label.productLineOn = productLineOn;
    label.appearance = appearance;
    label.symbolWidthTwips = renderer.widthTwips();
    label.symbolHeightTwips = renderer.heightTwips();
    label.labelWidthTwips = labelWidthTwips;
    return label;
}

LabelDescription RecordLabel::label() const
{
    return describeLabel(LabelForm::Main, renderer, plan.widthTwips, product, true, plan.isbnHeader, appearance);
}

std::optional<RecordLabel> makeRecordLabel(const ViewUpdateState &state, const LabelAppearance &appearance)
{
    RecordLabel made;
    made.plan = planMainViewUpdate(state);
    if (!made.plan.update)
        return std::nullopt;
    appearance.applyTo(made.renderer);
    if (prepareRenderer(made.plan, made.renderer) != PlanApplied::Handed || !made.renderer.hasSymbol())
        return std::nullopt;
    made.product = state.product;
    made.appearance = appearance;
    return made;
}

} // namespace Kelbrix

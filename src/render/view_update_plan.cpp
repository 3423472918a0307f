#include "render/view_update_plan.h"

#include "barcode/check_characters.h"
#include "render/barcode_renderer.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The decisions both updates share once the width and height are known.
ViewUpdatePlan plan(const ViewUpdateState &state, bool defined, double widthTwips, double heightTwips)
{
    ViewUpdatePlan result;
    // Nothing to show without an entry or a product, or for a type the edition cannot make.
    if (state.entry.isEmpty() && state.product.isEmpty())
        return result;
    if (!typeCodeBelongsToEdition(state.typeCode, state.edition))
        return result;
    const TypeInfo *type = findType(state.typeCode);
    if (!type)
        return result;

    result.update = true;
    result.type = *type;
    result.rendererSymbology = type->rendererSymbology;
    result.widthTwips = type->symbology == Symbology::Code39 ? code39WidthTwips(int(state.entry.size())) : widthTwips;
    result.heightTwips = heightTwips;
    const qsizetype n = state.entry.size();

    if (type->symbology == Symbology::Isbn) {
        // The symbol is the EAN-13 of "978" and the nine ISBN digits; the renderer adds the
        // check digit, the typed ISBN check character is not used.
        const QString data = isbnToEanData(state.entry);
        if (data.isEmpty()) {
            result.isbnRefused = true;
            return result;
        }
        result.handData = true;
        result.data = data;
        result.supplement = type->supplement ? state.supplement : QString();
        result.isbnHeader = u"ISBN "_s + state.entry;
        result.compose = n == 13;
        return result;
    }

    if (type->symbology == Symbology::Code39) {
        result.handData = !state.entry.isEmpty();
        result.data = state.entry;
        result.compose = result.handData;
        return result;
    }

    // EAN, UPC and SCC-14: an entry without its check digit is handed over as it is; a longer
    // one is cut to its data, and the box receives the data completed by the renderer. A
    // shorter one makes no symbol.
    const int length = type->entryLength;
    if (n < length)
        return result;
    result.handData = true;
    result.data = state.entry.left(length);
    result.supplement = type->supplement ? state.supplement : QString();
    if (defined && type->code == u"E80 "_s && n > 7)
        result.rendererTypeName = u"EAN 8"_s;
    result.completeEntry = n > length;
    result.showText = !defined && result.completeEntry && type->symbology == Symbology::Scc14;
    result.compose = true;
    return result;
}

} // namespace

ViewUpdatePlan planMainViewUpdate(const ViewUpdateState &state)
{
    const TypeInfo *type = findType(state.typeCode);
    return plan(state, false, type ? type->widthTwips : 0, kMainSymbolHeightTwips);
}

ViewUpdatePlan planDefinedViewUpdate(const ViewUpdateState &state, double definedWidthTwips, double definedHeightTwips)
{
    if (!(definedWidthTwips > 0) || !(definedHeightTwips > 0))
        return {};
    return plan(state, true, definedWidthTwips, definedHeightTwips);
}

PlanApplied applyViewUpdatePlan(const ViewUpdatePlan &plan, BarcodeRenderer &renderer)
{
    if (!renderer.setSymbology(plan.rendererSymbology))
        return PlanApplied::Refused;
    if (!plan.handData)
        return PlanApplied::NotHanded;
    if (!plan.rendererTypeName.isEmpty())
        renderer.setTypeName(plan.rendererTypeName);
    if (!renderer.setData(plan.data) || !renderer.setSupplement(plan.supplement))
        return PlanApplied::Refused;
    if (plan.showText)
        renderer.setShowText(true);
    return PlanApplied::Handed;
}

} // namespace Kelbrix

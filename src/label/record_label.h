#pragma once

#include "label/label_layout.h"
#include "render/barcode_renderer.h"
#include "render/view_update_plan.h"

#include <optional>

namespace Kelbrix {

/// Sets \a renderer up for \a plan as the main view does: the plan's box, its symbology, data
/// and supplement (see applyViewUpdatePlan), and the header space of the type (room at the top
/// for the ISBN header). The appearance is the caller's, applied before.
PlanApplied prepareRenderer(const ViewUpdatePlan &plan, BarcodeRenderer &renderer);

/// The label of \a form drawn from \a renderer: its symbol box the renderer's, as wide as
/// \a labelWidthTwips, with \a product under it while \a productLineOn, the ISBN header of
/// \a isbnHeader (empty for the other types), in \a appearance.
LabelDescription describeLabel(LabelForm form, const BarcodeRenderer &renderer, double labelWidthTwips,
                               const QString &product, bool productLineOn, const QString &isbnHeader,
                               const LabelAppearance &appearance);

/// A barcode's renderer and its main label, made as the main window makes them.
struct RecordLabel {
    ViewUpdatePlan plan;
    BarcodeRenderer renderer;
    QString product;
    LabelAppearance appearance;

    /// The main label; it points at this object's renderer, so it lives no longer than this.
    LabelDescription label() const;
};

/// The renderer and main label of the barcode \a state holds (a list record, a row of a file) in
/// \a appearance, exactly as the main view makes them when the record is loaded; its product line
/// is on. nullopt when it makes no barcode: a type the edition cannot make, an entry the type
/// refuses, nothing to draw.
std::optional<RecordLabel> makeRecordLabel(const ViewUpdateState &state, const LabelAppearance &appearance);

} // namespace Kelbrix

#pragma once

#include "barcode/edition.h"
#include "barcode/type_catalogue.h"

#include <QString>

namespace Kelbrix {

class BarcodeRenderer;

/// Height of the main renderer's symbol, in twips; the label adds its lines around it.
inline constexpr double kMainSymbolHeightTwips = 900;

/// What the view update reads: the TypeCode and the entry boxes.
struct ViewUpdateState {
    QString typeCode;
    Edition edition = Edition::Alla;
    QString entry;      ///< the barcode box
    QString supplement; ///< the supplement box
    QString product;    ///< the product box
};

/// What one view update does to its renderer and label, decided from the state alone. The
/// window carries it out in this order: size the renderer and the label, select the options
/// of \a type, set the symbology, hand over the data, complete the entry, compose.
struct ViewUpdatePlan {
    /// False when nothing changes: entry and product both empty, a type the edition cannot
    /// make, a TypeCode that is no type, or a defined size that is not set.
    bool update = false;
    TypeInfo type{};            ///< the type shown; its options are selected
    double widthTwips = 0;      ///< renderer and label width
    double heightTwips = 0;     ///< renderer height
    int rendererSymbology = 0;  ///< set before the data
    bool handData = false;      ///< the renderer gets data and supplement below
    QString data;               ///< without check digit (ISBN: "978" and the nine ISBN digits)
    QString supplement;         ///< empty for types without add-on
    QString rendererTypeName;   ///< named member "TypeName" set before the data; empty: left alone
    bool showText = false;      ///< named member "ShowText" set after the data
    bool isbnRefused = false;   ///< the ISBN entry has not 9 digits and 3 dividers: nothing is handed over
    bool completeEntry = false; ///< the entry box receives the renderer's data with its check digit
    bool compose = false;       ///< the label is composed from the renderer
    QString isbnHeader;         ///< "ISBN " and the entry for the ISBN types; empty otherwise
};

/// The main view update: width from the type catalogue (Code 39: 250 per character + 800).
ViewUpdatePlan planMainViewUpdate(const ViewUpdateState &state);

/// The defined-size view update: the defined width and height (Code 39 keeps its own width);
/// no update while either is not positive.
ViewUpdatePlan planDefinedViewUpdate(const ViewUpdateState &state, double definedWidthTwips, double definedHeightTwips);

/// What applying a plan to a renderer came to.
enum class PlanApplied {
    Handed,    ///< the renderer took the symbology and the data the plan hands over
    NotHanded, ///< the renderer took the symbology; the plan hands no data over
    Refused,   ///< the renderer refused the symbology, the data or the supplement
};

/// Gives \a renderer what \a plan hands it, in the plan's order: the symbology; then, when the
/// plan hands data over, the type name, the data, the supplement and the shown text. Sizing the
/// renderer, completing the entry and composing the label are the caller's.
PlanApplied applyViewUpdatePlan(const ViewUpdatePlan &plan, BarcodeRenderer &renderer);

} // namespace Kelbrix

#pragma once

#include "sheet/label_template.h"
#include "sheet/sheet_printer.h"

#include <QList>
#include <QString>

namespace Kelbrix {

class SettingsStore;

/// The calibration saved for \a printer. All printers' calibrations are kept in the value
/// "LabelCalibrations", a JSON object from each printer's name to "x y scale" (millimetres, millimetres,
/// percent, with a decimal point); a value that is missing, is not three numbers or lies out
/// of range (offsets -50 to 50 mm, scale 90 to 110 %) reads as no calibration (0, 0, 100).
SheetCalibration storedCalibration(const SettingsStore &settings, const QString &printer);
void storeCalibration(SettingsStore &settings, const QString &printer, const SheetCalibration &calibration);

/// The user's own templates, in the order saved. Entries that are not sound templates
/// (templateProblem) or have no name are skipped. A template named like a built-in one, or
/// like an earlier one of the user's (letter case and blanks aside), is kept under its name
/// with " (own)", " (own 2)", ... added, so that it is never lost and never hides another.
QList<LabelTemplate> storedTemplates(const SettingsStore &settings);
/// Saves \a templates as one JSON array in the value "LabelTemplates", lengths in millimetres.
void storeTemplates(SettingsStore &settings, const QList<LabelTemplate> &templates);

/// The built-in templates followed by the user's own.
QList<LabelTemplate> availableTemplates(const SettingsStore &settings);

/// What the label window showed when it was last closed.
struct SheetChoices {
    QString templateName; ///< empty when none was chosen
    int startAt = 1;      ///< 1 to 1000
    int copies = 1;       ///< 1 to 999
};

/// The last choices of the label window, kept in the values "LabelTemplate", "LabelStart" and
/// "LabelCopies"; a value out of range or not a whole number reads as
/// its default.
SheetChoices storedChoices(const SettingsStore &settings);
void storeChoices(SettingsStore &settings, const SheetChoices &choices);

} // namespace Kelbrix

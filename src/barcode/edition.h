#pragma once

#include <QString>
#include <QStringList>

namespace Kelbrix {

/// The three builds of the program: every type, EAN types only, UPC types only.
enum class Edition { Alla, Ean, Upc };

/// The edition this program was built as (set by the build option KELBRIX_EDITION).
Edition buildEdition();

/// "ALLA", "EAN" or "UPC".
QString editionCode(Edition edition);

/// Parses an edition code; anything unknown gives the full edition.
Edition editionFromCode(const QString &code);

/// The title every window caption starts with, "Kelbrix. " and its edition variants.
QString editionTitle(Edition edition);

/// The edition's help document name.
QString editionHelpFile(Edition edition);

/// Names of the type option buttons the edition hides.
QStringList editionHiddenTypeOptions(Edition edition);

/// False for a TypeCode the edition cannot make: UPC codes in the EAN edition, EAN and ISBN
/// codes in the UPC edition.
bool typeCodeBelongsToEdition(const QString &typeCode, Edition edition);

} // namespace Kelbrix

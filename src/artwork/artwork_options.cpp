#include "artwork/artwork_options.h"

#include "base/units.h"
#include "settings/settings_store.h"

#include <QCoreApplication>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

const QString kMagnificationName = u"ArtMagnification"_s;
const QString kModuleName = u"ArtXDimension"_s;
const QString kModuleUnitName = u"ArtXUnit"_s;
const QString kBwrName = u"ArtBWR"_s;
const QString kMarksName = u"ArtQuietMarks"_s;
const QString kTransparentName = u"ArtTransparent"_s;

// The stored value when it is a finite number, \a fallback otherwise.
double storedNumber(const SettingsStore &store, const QString &name, double fallback)
{
    bool ok = false;
    const double value = store.value(name).trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : fallback;
}

} // namespace

double ArtworkOptions::moduleMmFor(bool eanUpc) const
{
    return eanUpc ? kNominalModuleMm * magnification / 100.0 : moduleMm;
}

QString ArtworkOptions::problem(bool eanUpc) const
{
    // Every comparison is written so that a value that is not a number fails it.
    if (eanUpc && !(magnification >= kMinMagnification && magnification <= kMaxMagnification))
        return QCoreApplication::translate("ArtworkOptions", "The magnification must be from 80 to 200 %, not %1 %.")
            .arg(decimalText(magnification, 1));
    if (!eanUpc && !(moduleMm >= kMinModuleMm && moduleMm <= kMaxModuleMm))
        return QCoreApplication::translate("ArtworkOptions",
                                           "The X-dimension must be from 0.100 to 2.540 mm, not %1 mm.")
            .arg(decimalText(moduleMm, 3));
    if (!(bwrMm >= 0 && bwrMm <= kMaxBwrMm))
        return QCoreApplication::translate("ArtworkOptions",
                                           "The bar width reduction must be from 0 to 0.100 mm, not %1 mm.")
            .arg(decimalText(bwrMm, 3));
    const double module = moduleMmFor(eanUpc);
    if (!(bwrMm < module))
        return QCoreApplication::translate("ArtworkOptions", "The bar width reduction of %1 mm would leave no bar: "
                                                             "it must be smaller than the X-dimension of %2 mm.")
            .arg(decimalText(bwrMm, 3), decimalText(module, 3));
    return {};
}

void ArtworkOptions::load(const SettingsStore &store)
{
    const ArtworkOptions defaults;
    magnification = storedNumber(store, kMagnificationName, defaults.magnification);
    moduleMm = storedNumber(store, kModuleName, defaults.moduleMm);
    moduleInMils = store.value(kModuleUnitName).trimmed() == u"mils"_s;
    bwrMm = storedNumber(store, kBwrName, defaults.bwrMm);
    quietZoneMarks = store.value(kMarksName).trimmed() == u"1"_s;
    transparentBackground = store.value(kTransparentName).trimmed() == u"1"_s;
}

void ArtworkOptions::save(SettingsStore &store) const
{
    store.setValue(kMagnificationName, QString::number(magnification));
    store.setValue(kModuleName, QString::number(moduleMm));
    store.setValue(kModuleUnitName, moduleInMils ? u"mils"_s : u"mm"_s);
    store.setValue(kBwrName, QString::number(bwrMm));
    store.setValue(kMarksName, quietZoneMarks ? u"1"_s : u"0"_s);
    store.setValue(kTransparentName, transparentBackground ? u"1"_s : u"0"_s);
}

} // namespace Kelbrix

#include "logistic/logistic_settings.h"

#include "settings/settings_store.h"

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

LogisticSettings readLogisticSettings(const SettingsStore &settings)
{
    LogisticSettings values;
    values.supplier = settings.value(u"LogisticSupplier"_s);
    values.customer = settings.value(u"LogisticCustomer"_s);
    values.carrier = settings.value(u"LogisticCarrier"_s);
    values.size = logisticSizeFromName(settings.value(u"LogisticSize"_s)).value_or(LogisticSize::A6);
    values.prefix = settings.value(u"LogisticPrefix"_s);
    values.extension = settings.value(u"LogisticExtension"_s);
    return values;
}

void writeLogisticSettings(SettingsStore &settings, const LogisticSettings &values)
{
    settings.setValue(u"LogisticSupplier"_s, values.supplier);
    settings.setValue(u"LogisticCustomer"_s, values.customer);
    settings.setValue(u"LogisticCarrier"_s, values.carrier);
    settings.setValue(u"LogisticSize"_s, logisticSizeName(values.size));
    settings.setValue(u"LogisticPrefix"_s, values.prefix);
    settings.setValue(u"LogisticExtension"_s, values.extension);
}

} // namespace Kelbrix

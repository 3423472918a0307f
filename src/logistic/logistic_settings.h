#pragma once

#include "logistic/logistic_label.h"

#include <QString>

namespace Kelbrix {

class SettingsStore;

/// What the logistic label keeps from run to run: its free blocks, its size and the company
/// prefix and extension digit its SSCCs are taken under.
struct LogisticSettings {
    QString supplier;
    QString customer;
    QString carrier;
    LogisticSize size = LogisticSize::A6;
    QString prefix;
    QString extension;
};

/// The values of \a settings (a loaded store); missing ones are the defaults.
LogisticSettings readLogisticSettings(const SettingsStore &settings);
/// Sets the values of \a values in \a settings, for its next save.
void writeLogisticSettings(SettingsStore &settings, const LogisticSettings &values);

} // namespace Kelbrix

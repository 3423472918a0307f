#pragma once

#include "barcode/edition.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace Kelbrix {

/// The application name the settings of \a edition are kept under, beside the organisation
/// "Quorran": "Barcode", "EAN" or "UPC". On Windows that is the registry key
/// HKEY_CURRENT_USER\Software\Quorran\<name>; elsewhere the file
/// $XDG_CONFIG_HOME/Quorran/<name>.conf.
QString settingsKeyName(Edition edition);

/// Reads the text value \a name of the edition's settings. Returns an empty text when the
/// value is missing or is not a single text.
QString ReadRegistryValue(Edition edition, const QString &name);

/// Writes the text value \a name of the edition's settings.
void WriteRegistryValue(Edition edition, const QString &name, const QString &text);

/// Every value the program keeps, in the order it reads and writes them.
const QStringList &settingNames();

/// The user's settings for one run: read once at start-up, written once at exit.
///
/// Values are kept as the texts they are stored as. A value nobody changed during the run is
/// written back as it was read, so settings of windows the program does not show yet are
/// never lost.
class SettingsStore {
public:
    explicit SettingsStore(Edition edition);

    /// Reads every value, in table order. Missing values read as empty texts.
    void load();
    /// Writes every value, in table order, and makes sure they reach the disk. Returns false
    /// when the settings could not be written.
    bool save() const;

    /// The text of \a name as read (or as set since); empty when missing.
    QString value(const QString &name) const;
    void setValue(const QString &name, const QString &text);

    Edition edition() const { return m_edition; }

private:
    Edition m_edition;
    QHash<QString, QString> m_values;
};

} // namespace Kelbrix

#pragma once

#include "barcode/edition.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

namespace Kelbrix {

/// The application name the settings of \a edition are kept under, beside the organisation
/// "Quorran": "Barcode", "EAN" or "UPC". On Windows that is the registry key
/// HKEY_CURRENT_USER\Software\Quorran\<name>; elsewhere the file
/// $XDG_CONFIG_HOME/Quorran/<name>.conf.
QString settingsKeyName(Edition edition);

/// The file the settings of \a edition are kept in (where QSettings keeps them on this
/// platform, in the same INI form).
QString settingsFilePath(Edition edition);

/// The largest settings file that is read: 1 MiB. The program's own values take under 2 KB;
/// the cap leaves room for hand edits and values of other programs many hundred times over,
/// while a file past it (a mistake or an attack) is never read into memory.
inline constexpr qint64 kMaxSettingsFileSize = qint64(1) << 20;

/// Reads the text value \a name of the edition's settings, as plain text (see SettingsFile).
/// Returns an empty text when the value or the file is missing, or the file cannot be read.
QString ReadRegistryValue(Edition edition, const QString &name);

/// Writes the text value \a name of the edition's settings; false when it could not be written.
bool WriteRegistryValue(Edition edition, const QString &name, const QString &text);

/// Every value the program keeps, in the order it reads and writes them.
const QStringList &settingNames();

/// The user's settings for one run: read once at start-up, written once at exit.
///
/// Values are kept as the texts they are stored as. A value nobody changed during the run is
/// written back as it was read, so settings of windows the program does not show yet are
/// never lost.
class SettingsStore {
public:
    /// What load() found.
    enum class LoadOutcome {
        Read,       ///< the file was read (its values may still be missing or unrecognised)
        Missing,    ///< there is no file yet: every value is missing
        TooLarge,   ///< the file is larger than kMaxSettingsFileSize: not read, and kept as it is
        NotRegular, ///< the path holds no regular file (a FIFO, device, folder): not opened, kept
        Unreadable, ///< the file could not be read (permissions, I/O): kept as it is
    };

    explicit SettingsStore(Edition edition);

    /// Reads the settings file once, with the size cap, and every value from it as plain text.
    /// Missing values, and all values when the file is not read, read as empty texts.
    LoadOutcome load();
    /// A sentence for the status bar after a load that started with the defaults because the
    /// file was not read; empty otherwise.
    QString loadProblem() const { return m_loadProblem; }

    /// Writes every value changed since load() into the file, keeping everything else in it as
    /// it was, through the save helper. A file that load() refused (too large, no regular
    /// file, unreadable) is left as it is and the save fails. Returns false when the settings
    /// were not written; saveProblem() then says why.
    bool save();
    QString saveProblem() const { return m_saveProblem; }

    /// The text of \a name as read (or as set since); empty when missing.
    QString value(const QString &name) const;
    void setValue(const QString &name, const QString &text);

    Edition edition() const { return m_edition; }

private:
    Edition m_edition;
    QHash<QString, QString> m_values;
    QHash<QString, QString> m_read;
    QByteArray m_file;
    LoadOutcome m_outcome = LoadOutcome::Missing;
    QString m_loadProblem;
    QString m_saveProblem;
};

} // namespace Kelbrix

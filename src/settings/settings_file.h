#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace Kelbrix {

/// The settings file's text, in the INI form QSettings reads and writes on this platform:
/// "key=value" lines, keys with characters outside letters, digits, "_", "-" and "." written
/// as %XX or %UXXXX, values with backslash escapes and double quotes where they need them.
/// Only the top-level ("General") values are the program's; every other line is kept as it
/// was read.
class SettingsFile {
public:
    /// Reads \a bytes. Never fails: a line that is no "key=value" is kept but means nothing.
    explicit SettingsFile(const QByteArray &bytes = {});

    /// The value of the top-level key \a name as plain text: the escapes of the INI form are
    /// undone, a leading "@@" stands for "@", and nothing else is interpreted, so a value Qt
    /// would rebuild as an object ("@Variant(...)") or read as a list ("a, b") is returned as
    /// the text it is written as. nullopt-like: \a found tells whether the key is there.
    QString value(const QString &name, bool *found = nullptr) const;

    /// Sets the top-level key \a name to \a text: its line is rewritten in place, or added to
    /// the top-level section when there is none.
    void setValue(const QString &name, const QString &text);

    /// The file's text: every line as read except those set since.
    QByteArray bytes() const;

    /// \a name as a key of the INI form, and \a text as a value of it.
    static QByteArray escapedKey(const QString &name);
    static QByteArray escapedValue(const QString &text);
    /// The key and plain-text value of one written form; inverse of the two above.
    static QString unescapedKey(QByteArrayView key);
    static QString unescapedValue(QByteArrayView value);

private:
    QList<QByteArray> m_lines;
    QHash<QString, qsizetype> m_lineOfKey; ///< top-level keys: the index of their last line
    qsizetype m_topLevelEnd = 0;           ///< where a new top-level line goes
    bool m_hasGeneralHeader = false;
};

} // namespace Kelbrix

#pragma once

#include "barcode/edition.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Kelbrix {

/// Most SSCCs one take reserves.
inline constexpr qint64 kMaxSsccTake = 1'000'000;

/// The SSCCs of one take, or why none was taken (then ssccs is empty).
struct SsccTake {
    QStringList ssccs; ///< the 18 digits of each, in the order of their serial references
    QString error;
    bool ok() const { return error.isEmpty(); }
};

/// One SSCC issued, as the log keeps it.
struct SsccLogEntry {
    QString time;    ///< when it was taken, ISO 8601 with the offset from UTC: 2025-03-14T09:26:53+01:00
    QString sscc;    ///< its 18 digits
    QString purpose; ///< what it was taken for, as the user said
};

/// What readLog() found.
struct SsccLog {
    QList<SsccLogEntry> entries;
    int damagedLines = 0; ///< lines left out: cut short by a stop, or not of the log's form
    QString error;        ///< why the log could not be read at all; empty otherwise
};

/// The SSCCs taken on this account, kept so that none is ever issued twice. Two files in one
/// folder:
///
/// - the counter file, sscc.txt: the next serial reference of each company prefix and
///   extension digit, one "PREFIX EXTENSION NEXT" line each, under a first line that names the
///   form and above a last line with the sum of the lines before it. It is rewritten whole by
///   the safe save (temporary file, sync, rename) before a take hands out its numbers, so a
///   crash or a stop can leave a gap in the numbers but never a repeat. A file that is not of
///   that form, or whose sum does not match, is refused and never counted again from the start.
/// - the log, sscc-log.txt: a line for every SSCC issued, "TIME<tab>SSCC<tab>PURPOSE", appended
///   and synced with the take.
///
/// A lock file beside them (sscc.txt.lock) keeps the takes of programs running at once apart.
class SsccStore {
public:
    /// The store kept in \a folder.
    explicit SsccStore(const QString &folder);

    /// The store beside the settings of \a edition, in the folder of settingsFilePath(). Every
    /// edition keeps its settings in that one folder, so all of them draw on the same counters: an
    /// SSCC belongs to the company prefix, not to the build of the program that made it.
    static SsccStore forEdition(Edition edition);

    QString counterPath() const;
    QString logPath() const;

    /// Reserves the next \a count SSCCs of company prefix \a prefix and extension digit
    /// \a extension, 1 to kMaxSsccTake, the first of a prefix and extension new to the store at
    /// serial reference 0. Each is logged with \a purpose, in which "{n}" stands for the SSCC's
    /// place in the take (1 for the first) and control characters become spaces. The counter is
    /// saved and the log synced before the SSCCs are returned. Refused, with a sentence saying
    /// why and nothing taken: what makeSscc() refuses, a count out of range, a take that would run
    /// past the last serial reference of the prefix (the message says how many remain), a prefix
    /// that begins like one already counted under the same extension (their SSCCs could be the
    /// same), a damaged counter file, a missing one beside a log that shows SSCCs taken, another
    /// program holding the lock for over ten seconds, and a counter or log that cannot be written.
    SsccTake takeSsccs(const QString &prefix, const QString &extension, qint64 count,
                       const QString &purpose = {}) const;

    /// Every whole line of the log, oldest first. A missing log holds no entry.
    SsccLog readLog() const;

private:
    QString m_folder;
};

} // namespace Kelbrix

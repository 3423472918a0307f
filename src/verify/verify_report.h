#pragma once

#include "verify/label_verdict.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Kelbrix {

/// Collects the verdict of every file an export writes and gives the text shown at its end:
/// how many files were checked and which of them did not scan.
class VerifyReport {
public:
    /// Records the verdict of the file \a fileName (shown as given, usually without its folder).
    void add(const QString &fileName, const LabelVerdict &verdict);

    /// Files that were read back, whatever the outcome.
    int checked() const { return m_checked; }
    /// Files whose type the reader cannot read.
    int notChecked() const { return m_notChecked; }
    /// Files that were read back and did not scan as made, each as "name: what was found".
    const QStringList &failures() const { return m_failures; }
    /// True when no checked file failed.
    bool allScan() const { return m_failures.isEmpty(); }

    /// The end text: "3 files checked: all scan.", or the count, how many did not scan and one
    /// line per such file; a last line counts the files that were not checked.
    QString summary() const;

private:
    int m_checked = 0;
    int m_notChecked = 0;
    QStringList m_failures;
};

} // namespace Kelbrix

#pragma once

#include "list/list_record.h"

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QProgressBar;
class QWidget;

namespace Kelbrix {

class BarcodeList;
class ExportLock;

/// The main window's commands that bring records in from elsewhere and take them out:
/// File > "&Import..." (a CSV file, through the column mapping and the report), File >
/// "E&xport..." (the list as a CSV file) and Edit > "&Number Sequence..." (numbers under a GS1
/// company prefix). Import and Number Sequence change the list, so a running export locks them;
/// Export is enabled by the window's command rules.
class CsvCommands : public QObject {
    Q_OBJECT
public:
    /// Puts "mnuImport" and "mnuExport" into \a fileMenu before \a fileBefore and "mnuSequence"
    /// into \a editMenu before \a editBefore, and connects them. \a window is the parent of the
    /// windows they open; \a list is what they fill and export; \a progress (may be null) shows
    /// the progress of a long import.
    CsvCommands(QWidget *window, QMenu *fileMenu, QAction *fileBefore, QMenu *editMenu, QAction *editBefore,
                BarcodeList &list, ExportLock &lock, QProgressBar *progress);

private:
    void importCsv();
    void exportCsv();
    void numberSequence();

    QWidget *m_window;
    BarcodeList &m_list;
    QProgressBar *m_progress;
};

/// Export: asks for a CSV file name (proposing \a proposed when it is not empty) and saves
/// \a records there; a failure is told and leaves the old file as it was.
void exportRecordsAsCsv(const QList<ListRecord> &records, const QString &proposed = QString());

/// Asked before \a records are saved as the QZ2 list file \a path, under \a title: when any
/// record holds GS1 data, which QZ2 list files do not keep, "Save as CSV" exports them as CSV
/// instead (proposing \a path ending in .csv), "Save as QZ2" saves without it, Cancel saves
/// nothing. True when the QZ2 file is to be written.
bool qz2SaveConfirmed(const QList<ListRecord> &records, const QString &path, const QString &title);

} // namespace Kelbrix

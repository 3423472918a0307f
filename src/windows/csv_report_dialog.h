#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace Kelbrix {

/// The report of a CSV import before its records are appended: what is imported and each
/// refused row. OK appends, Cancel appends nothing; "Save &Report..." saves the text as a
/// text file.
class CsvReportDialog : public QDialog {
    Q_OBJECT
public:
    CsvReportDialog(const QString &report, QWidget *parent = nullptr);

private:
    void saveReport();

    QPlainTextEdit *txtReport = nullptr;
};

} // namespace Kelbrix

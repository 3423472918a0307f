// The report of a CSV import, shown before anything is appended.
#include "windows/csv_report_dialog.h"

#include "widgets/named.h"
#include "base/safe_save.h"
#include "base/user_prompt.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QIODevice>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

CsvReportDialog::CsvReportDialog(const QString &report, QWidget *parent) : QDialog(parent)
{
    setObjectName(u"frmCsvReport"_s);
    setWindowTitle(QCoreApplication::translate("CsvReportDialog", "Import"));
    txtReport = named(new QPlainTextEdit(report, this), u"txtReport"_s);
    txtReport->setReadOnly(true);
    txtReport->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    named(buttons->button(QDialogButtonBox::Ok), u"cmdOk"_s)
        ->setText(QCoreApplication::translate("CsvReportDialog", "&Import"));
    named(buttons->button(QDialogButtonBox::Cancel), u"cmdCancel"_s);
    auto *save = named(buttons->addButton(QCoreApplication::translate("CsvReportDialog", "Save &Report..."),
                                          QDialogButtonBox::ActionRole),
                       u"cmdSaveReport"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(save, &QPushButton::clicked, this, &CsvReportDialog::saveReport);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QCoreApplication::translate("CsvReportDialog", "Import the accepted rows? Cancel imports nothing."), this));
    layout->addWidget(txtReport, 1);
    layout->addWidget(buttons);
    resize(640, 400);
}

void CsvReportDialog::saveReport()
{
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.title = QCoreApplication::translate("CsvReportDialog", "Save Report");
    request.filter = QCoreApplication::translate("CsvReportDialog", "Text file (*.txt);;All files (*)");
    request.extensionFromFilter = true;
    const QString path = userPrompt().chooseFile(request);
    if (path.isEmpty())
        return;
    const QByteArray bytes = txtReport->toPlainText().toUtf8();
    const SaveResult saved =
        saveFileSafely(path, [&bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); });
    if (!saved.ok)
        ask(saved.message, applicationTitle(), PromptIcon::Critical, PromptButtons::Ok);
}

} // namespace Kelbrix

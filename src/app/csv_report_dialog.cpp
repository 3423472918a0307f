// The report of a CSV import, shown before anything is appended.
#include "app/csv_report_dialog.h"

#include "app/named.h"
#include "base/safe_save.h"
#include "base/user_prompt.h"

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
    setWindowTitle(u"Import"_s);
    txtReport = named(new QPlainTextEdit(report, this), u"txtReport"_s);
    txtReport->setReadOnly(true);
    txtReport->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    named(buttons->button(QDialogButtonBox::Ok), u"cmdOk"_s)->setText(u"&Import"_s);
    named(buttons->button(QDialogButtonBox::Cancel), u"cmdCancel"_s);
    auto *save = named(buttons->addButton(u"Save &Report..."_s, QDialogButtonBox::ActionRole), u"cmdSaveReport"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(save, &QPushButton::clicked, this, &CsvReportDialog::saveReport);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Import the accepted rows? Cancel imports nothing."_s, this));
    layout->addWidget(txtReport, 1);
    layout->addWidget(buttons);
    resize(640, 400);
}

void CsvReportDialog::saveReport()
{
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.title = u"Save Report"_s;
    request.filter = u"Text file (*.txt);;All files (*)"_s;
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

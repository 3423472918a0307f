// "Save &As": the one dialog where the user picks what to write, dispatched on the name's
// last three letters to the list file, the image list as rich text, TIFF or bitmaps; the
// bitmap batch over the selected records, and "Barcode (*.bmp)" re-saving the label.
#include "mainwindow/form1.h"

#include "label/record_label.h"

#include "widgets/busy_progress.h"
#include "windows/frm_bar_size.h"
#include "mainwindow/parameter_windows.h"
#include "mainwindow/image_list_edit.h"
#include "mainwindow/label_mime.h"
#include "base/runtime_errors.h"
#include "base/safe_save.h"
#include "base/user_prompt.h"
#include "export/export_file_name.h"
#include "export/record_batch.h"
#include "list/image_list_document.h"
#include "list/list_files.h"

#include <QCoreApplication>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void Form1::onSaveAs()
{
    chkModulus43->setChecked(false);
    const QList<std::pair<int, ListRecord>> selected = selectedListRecords();
    const qsizetype count = selected.size();

    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.title = QCoreApplication::translate("Form1", "Save As");
    const QString tif = QCoreApplication::translate("Form1", "TIFF (*.TIF)");
    const QString bmp = QCoreApplication::translate("Form1", "Windows Bitmap (*.BMP)");
    const QString qz2 = QCoreApplication::translate("Form1", "Save Barcode List (*.QZ2)");
    const QString rtf = QCoreApplication::translate("Form1", "Save Barcode Images List (*.RTF)");
    // With records selected the image types come first: exporting them is the likely wish. The
    // vector artwork of the label follows every other type.
    QStringList filters = count >= 1 ? QStringList{tif, bmp, qz2, rtf} : QStringList{qz2, tif, bmp, rtf};
    filters << u"SVG (*.svg)"_s << u"PDF (*.pdf)"_s << u"EPS (*.eps)"_s;
    request.filter = filters.join(u";;"_s);
    request.selectedFilter = filters.first();
    // With several records the name only points at the folder: the images are named per
    // record and copy.
    if (count >= 2) {
        request.presetName = u"Product_Barcode_Copies Click on Save"_s;
        request.presetNameFilters = {tif, bmp};
    }
    request.extensionFromFilter = true;
    const QString path = userPrompt().chooseFile(request);
    if (path.isEmpty())
        return;

    const QString kind = path.right(3).toUpper();
    if (kind == u"QZ2"_s) {
        currentListFile = path;
        refreshCommands();
        if (listCount() > 0) {
            const ListWriteResult written = saveListFile(path, listRecords());
            if (!written.ok)
                ask(written.message, QCoreApplication::translate("Form1", "Save As"), PromptIcon::Exclamation,
                    PromptButtons::Ok);
        }
    } else if (kind == u"RTF"_s) {
        currentBitmapFile = path;
        refreshCommands();
        const SaveResult saved = saveRtfFile(path, RTF1->imageList());
        if (saved.ok)
            RTF1->document()->setModified(false);
        else
            ask(saved.message, QCoreApplication::translate("Form1", "Save As"), PromptIcon::Exclamation,
                PromptButtons::Ok);
    } else if (kind == u"BMP"_s) {
        saveAsBitmap(path, selected);
    } else if (kind == u"TIF"_s) {
        if (selected.size() <= 1 && refuseStaleLabel())
            return;
        QList<int> numbers;
        for (const auto &[number, record] : selected)
            numbers.append(number);
        saveAsTiff(path, numbers);
    } else if (const std::optional<ArtworkFormat> format = artworkFormatForPath(path)) {
        saveAsArtwork(path, *format);
    } else {
        setHint(QCoreApplication::translate(
                    "Form1", "Nothing was saved: %1 does not end in .qz2, .rtf, .bmp, .tif, .svg, .pdf or .eps.")
                    .arg(QFileInfo(path).fileName()));
    }
}

bool Form1::saveLabelBitmap(const QString &path)
{
    // A standard Windows bitmap, its header holding the label's resolution.
    const QImage image = currentLabel().image;
    const SaveResult saved = saveFileSafely(path, [&image](QIODevice &device) { return image.save(&device, "BMP"); });
    // A bitmap that cannot be written is a run-time error of Save As, with the file and the
    // reason under its message.
    if (!saved.ok)
        ReportRuntimeError(saved.runtimeError, saved.message);
    return saved.ok;
}

void Form1::saveAsBitmap(const QString &path, const QList<std::pair<int, ListRecord>> &selected)
{
    currentBitmapFile = path;
    refreshCommands();
    if (TxtStreck->text().isEmpty() || barcodeMade != 1) {
        ask(QCoreApplication::translate("Form1", "You must make a Barcode in order to save it as a BMP file."),
            QCoreApplication::translate("Form1", "No Barcode BMP to Save"), PromptIcon::Exclamation, PromptButtons::Ok,
            3005);
        return;
    }
    if (selected.size() >= 2) {
        ExportSelectedAsBitmaps(path, selected);
        return;
    }
    if (refuseStaleLabel())
        return;
    const int copies = copiesValue();
    if (copies == 1) {
        saveLabelBitmap(path);
        return;
    }
    const QString folder = QFileInfo(path).absolutePath();
    BusyProgress busy(ProgressBar1, copies);
    for (int n = 1; n <= copies; ++n) {
        if (!saveLabelBitmap(exportFileName(folder, txtProduct->text(), TxtStreck->text(), n, 2, u".bmp")))
            return;
        setHint(QCoreApplication::translate("Form1", "Now Saveing...%1 ,Copy %2")
                    .arg(txtProduct->text(), QString::number(n)));
        busy.step(n);
    }
}

void Form1::ExportSelectedAsBitmaps(QString path, const QList<std::pair<int, ListRecord>> &selected)
{
    BatchStopRequest = BatchStop::Running;
    ListItemInWork = 0;
    if (path.toUpper().endsWith(u".BMP"_s))
        path.chop(4);
    const QString folder = QFileInfo(path).absolutePath();
    auto busy = std::make_unique<BusyProgress>(ProgressBar1, qint64(selected.size()) * std::max(copiesValue(), 1));
    QList<int> indexes;
    for (int i = 0; i < selected.size(); ++i)
        indexes << i;
    QString product;
    QString barcode;
    BatchSteps steps;
    steps.startRecord = [&](int i) {
        loadRecordForBatch(selected[i].first, selected[i].second);
        product = txtProduct->text();
        barcode = TxtStreck->text();
        return RecordStart{BatchStep::Done, copiesValue()};
    };
    steps.stopRequested = [this] { return batchStopConfirmed(); };
    steps.makeCopy = [&](const BatchCopy &copy) {
        // A bitmap that cannot be saved ends the batch; the user was told which.
        if (!saveLabelBitmap(exportFileName(folder, product, barcode, copy.copy, 2, u".bmp")))
            return BatchStep::Stop;
        setHint(QCoreApplication::translate("Form1", "Saveing.... %1, Copy=%2")
                    .arg(selected[copy.record].second.product, QString::number(copy.copy)));
        busy->step(copy.number);
        return BatchStep::Done;
    };
    runRecordBatch(indexes, steps);
    busy.reset();
    ListItemInWork = 0;
    BatchStopRequest = BatchStop::Idle;
}

std::optional<LabelLayout> Form1::labelArtwork(QString *error) const
{
    const bool defined = chkDefined->isChecked();
    const frmBarSize *size = m_windows->sizeWindow();
    const BarcodeRenderer &renderer = defined ? Barcode1x : Barcode1;
    ArtworkRequest request;
    request.label = describeLabel(LabelForm::Main, renderer, renderer.widthTwips(), txtProduct->text(),
                                  Option1->isChecked(), isbnHeader(), size->appearance());
    request.options = size->artworkOptions();
    // A defined size wins: the symbol fills its width, whatever the magnification says.
    if (defined)
        request.definedWidthMm = size->settings().millimetres().width();
    return makeArtwork(request, error);
}

void Form1::saveAsArtwork(const QString &path, ArtworkFormat format)
{
    if (TxtStreck->text().isEmpty() || barcodeMade != 1) {
        ask(tr("You must make a Barcode in order to save it as artwork."),
            QCoreApplication::translate("Form1", "Save As"), PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    if (refuseStaleLabel())
        return;
    QString error;
    const std::optional<LabelLayout> artwork = labelArtwork(&error);
    if (!artwork) {
        ask(error, QCoreApplication::translate("Form1", "Save As"), PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    const SaveResult saved = saveArtwork(path, *artwork, format);
    if (!saved.ok)
        ask(saved.message, QCoreApplication::translate("Form1", "Save As"), PromptIcon::Exclamation, PromptButtons::Ok);
}

void Form1::onSaveBitmap()
{
    chkModulus43->setChecked(false);
    // The name may be that of an image list saved as rich text; a bitmap never overwrites it.
    if (currentBitmapFile.isEmpty() || currentBitmapFile.right(3).toUpper() != u"BMP"_s) {
        onSaveAs();
        return;
    }
    if (refuseStaleLabel())
        return;
    if (ask(QCoreApplication::translate("Form1", "Save as %1 ?").arg(currentBitmapFile),
            QCoreApplication::translate("Form1", "Save Barcode ?."), PromptIcon::Question, PromptButtons::YesNo,
            3016) == PromptAnswer::No)
        return;
    saveLabelBitmap(currentBitmapFile);
}

} // namespace Kelbrix

// "Save &As": the one dialog where the user picks what to write, dispatched on the name's
// last three letters to the list file, the image list as rich text, TIFF or bitmaps; the
// bitmap batch over the selected records, and "Barcode (*.bmp)" re-saving the label.
#include "mainwindow/save_as_commands.h"

#include "mainwindow/batch_runner.h"
#include "mainwindow/csv_commands.h"
#include "mainwindow/entry_panel.h"
#include "mainwindow/form1.h"
#include "mainwindow/image_list_panel.h"
#include "mainwindow/label_panel.h"
#include "mainwindow/list_panel.h"
#include "mainwindow/main_menu.h"

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

SaveAsCommands::SaveAsCommands(Form1 &form) : QObject(&form), m_form(form)
{
}

void SaveAsCommands::connectHandlers()
{
    connect(m_form.menus().action(u"mnuAs"_s), &QAction::triggered, this, &SaveAsCommands::onSaveAs);
    connect(m_form.menus().action(u"mnuSBMP"_s), &QAction::triggered, this, &SaveAsCommands::onSaveBitmap);
}

void SaveAsCommands::onSaveAs()
{
    m_form.entry().uncheckModulus43();
    const QList<std::pair<int, ListRecord>> selected = m_form.list().selectedRecords();
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
        if (!qz2SaveConfirmed(m_form.list().records(), path, QCoreApplication::translate("Form1", "Save As")))
            return;
        m_form.list().setListFileName(path);
        m_form.refreshCommands();
        if (m_form.list().count() > 0) {
            const ListWriteResult written = saveListFile(path, m_form.list().records());
            if (!written.ok)
                ask(written.message, QCoreApplication::translate("Form1", "Save As"), PromptIcon::Exclamation,
                    PromptButtons::Ok);
        }
    } else if (kind == u"RTF"_s) {
        currentBitmapFile = path;
        m_form.refreshCommands();
        ImageListEdit *images = m_form.images().edit();
        const SaveResult saved = saveRtfFile(path, images->imageList());
        if (saved.ok)
            images->document()->setModified(false);
        else
            ask(saved.message, QCoreApplication::translate("Form1", "Save As"), PromptIcon::Exclamation,
                PromptButtons::Ok);
    } else if (kind == u"BMP"_s) {
        saveAsBitmap(path, selected);
    } else if (kind == u"TIF"_s) {
        if (selected.size() <= 1 && m_form.label().refuseStaleLabel())
            return;
        QList<int> numbers;
        for (const auto &[number, record] : selected)
            numbers.append(number);
        saveAsTiff(path, numbers);
    } else if (const std::optional<ArtworkFormat> format = artworkFormatForPath(path)) {
        saveAsArtwork(path, *format);
    } else {
        m_form.setHint(QCoreApplication::translate(
                           "Form1", "Nothing was saved: %1 does not end in .qz2, .rtf, .bmp, .tif, .svg, .pdf or .eps.")
                           .arg(QFileInfo(path).fileName()));
    }
}

bool SaveAsCommands::saveLabelBitmap(const QString &path)
{
    // A standard Windows bitmap, its header holding the label's resolution.
    const QImage image = m_form.label().currentLabel().image;
    const SaveResult saved = saveFileSafely(path, [&image](QIODevice &device) { return image.save(&device, "BMP"); });
    // A bitmap that cannot be written is a run-time error of Save As, with the file and the
    // reason under its message.
    if (!saved.ok)
        ReportRuntimeError(saved.runtimeError, saved.message);
    return saved.ok;
}

void SaveAsCommands::saveAsBitmap(const QString &path, const QList<std::pair<int, ListRecord>> &selected)
{
    currentBitmapFile = path;
    m_form.refreshCommands();
    if (m_form.entry().barcode().isEmpty() || !m_form.isBarcodeMade()) {
        ask(QCoreApplication::translate("Form1", "You must make a Barcode in order to save it as a BMP file."),
            QCoreApplication::translate("Form1", "No Barcode BMP to Save"), PromptIcon::Exclamation, PromptButtons::Ok,
            3005);
        return;
    }
    if (selected.size() >= 2) {
        ExportSelectedAsBitmaps(path, selected);
        return;
    }
    if (m_form.label().refuseStaleLabel())
        return;
    const int copies = m_form.entry().copiesValue();
    if (copies == 1) {
        saveLabelBitmap(path);
        return;
    }
    const QString folder = QFileInfo(path).absolutePath();
    BusyProgress busy(m_form.progressBar(), copies);
    for (int n = 1; n <= copies; ++n) {
        // Each copy is its own label, for the serial number of its 2D symbol.
        m_form.label().setLabelIndex(n - 1);
        const bool saved =
            saveLabelBitmap(exportFileName(folder, m_form.entry().product(), m_form.entry().barcode(), n, 2, u".bmp"));
        if (!saved)
            break;
        m_form.setHint(QCoreApplication::translate("Form1", "Now Saveing...%1 ,Copy %2")
                           .arg(m_form.entry().product(), QString::number(n)));
        busy.step(n);
    }
    m_form.label().setLabelIndex(0);
}

void SaveAsCommands::ExportSelectedAsBitmaps(QString path, const QList<std::pair<int, ListRecord>> &selected)
{
    BatchRunner &batch = m_form.batch();
    batch.begin();
    if (path.toUpper().endsWith(u".BMP"_s))
        path.chop(4);
    const QString folder = QFileInfo(path).absolutePath();
    auto busy = std::make_unique<BusyProgress>(m_form.progressBar(),
                                               qint64(selected.size()) * std::max(m_form.entry().copiesValue(), 1));
    QList<int> indexes;
    for (int i = 0; i < selected.size(); ++i)
        indexes << i;
    QString product;
    QString barcode;
    BatchSteps steps;
    steps.startRecord = [&](int i) {
        batch.loadRecord(selected[i].first, selected[i].second);
        product = m_form.entry().product();
        barcode = m_form.entry().barcode();
        return RecordStart{BatchStep::Done, m_form.entry().copiesValue()};
    };
    steps.stopRequested = [&batch] { return batch.stopConfirmed(); };
    steps.makeCopy = [&](const BatchCopy &copy) {
        // Every bitmap of the batch is its own label, for the serial number of its 2D symbol.
        m_form.label().setLabelIndex(copy.number - 1);
        // A bitmap that cannot be saved ends the batch; the user was told which.
        if (!saveLabelBitmap(exportFileName(folder, product, barcode, copy.copy, 2, u".bmp")))
            return BatchStep::Stop;
        m_form.setHint(QCoreApplication::translate("Form1", "Saveing.... %1, Copy=%2")
                           .arg(selected[copy.record].second.product, QString::number(copy.copy)));
        busy->step(copy.number);
        return BatchStep::Done;
    };
    runRecordBatch(indexes, steps);
    m_form.label().setLabelIndex(0);
    busy.reset();
    batch.end();
}

void SaveAsCommands::saveAsArtwork(const QString &path, ArtworkFormat format)
{
    if (m_form.entry().barcode().isEmpty() || !m_form.isBarcodeMade()) {
        ask(QCoreApplication::translate("Form1", "You must make a Barcode in order to save it as artwork."),
            QCoreApplication::translate("Form1", "Save As"), PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    if (m_form.label().refuseStaleLabel())
        return;
    QString error;
    const std::optional<LabelLayout> artwork = m_form.label().labelArtwork(&error);
    if (!artwork) {
        ask(error, QCoreApplication::translate("Form1", "Save As"), PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    const SaveResult saved = saveArtwork(path, *artwork, format);
    if (!saved.ok)
        ask(saved.message, QCoreApplication::translate("Form1", "Save As"), PromptIcon::Exclamation, PromptButtons::Ok);
}

void SaveAsCommands::onSaveBitmap()
{
    m_form.entry().uncheckModulus43();
    // The name may be that of an image list saved as rich text; a bitmap never overwrites it.
    if (currentBitmapFile.isEmpty() || currentBitmapFile.right(3).toUpper() != u"BMP"_s) {
        onSaveAs();
        return;
    }
    if (m_form.label().refuseStaleLabel())
        return;
    if (ask(QCoreApplication::translate("Form1", "Save as %1 ?").arg(currentBitmapFile),
            QCoreApplication::translate("Form1", "Save Barcode ?."), PromptIcon::Question, PromptButtons::YesNo,
            3016) == PromptAnswer::No)
        return;
    saveLabelBitmap(currentBitmapFile);
}

} // namespace Kelbrix

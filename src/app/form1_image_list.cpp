// The label leaving the main window: "&Copy Barcode", the picture's pop-up menu and dragging,
// and the barcode image list RTF1 with ">>", "Paste Barcode", clearing, loading, and the
// batch that moves the selected records' labels in.
#include "app/form1.h"

#include "app/busy_progress.h"
#include "app/image_list_edit.h"
#include "app/label_mime.h"
#include "base/units.h"
#include "base/user_prompt.h"
#include "export/batch_stop.h"
#include "export/record_batch.h"
#include "app/label_picture.h"

#include <QAction>
#include <QBuffer>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDrag>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSvgGenerator>
#include <QTextDocument>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

QWidget *Form1::buildImageList()
{
    RTF1 = new ImageListEdit(centralWidget() ? centralWidget() : this);
    RTF1->setMinimumHeight(fontMetrics().height() * 8);
    return RTF1;
}

void Form1::connectImageList()
{
    m_hints.insert(RTF1, u"This is the Barcode Image List (Saves as *.RTF, can be loaded in to MS Word)"_s);
    RTF1->setMouseTracking(true);
    RTF1->installEventFilter(this);

    connect(mnuCopy, &QAction::triggered, this, &Form1::copyLabel);
    connect(mnuCopy2, &QAction::triggered, this, &Form1::copyLabel);
    for (LabelPicture *picture : {picTST, Pstrk}) {
        connect(picture, &LabelPicture::rightButtonPressed, this,
                [this](const QPoint &position) { mnuCopyit->popup(position); });
    }
    connect(picTST, &LabelPicture::dragStarted, this, &Form1::dragLabel);
    connect(RTF1, &ImageListEdit::rightButtonPressed, this,
            [this](const QPoint &position) { mnuIMGPaste->popup(position); });
    connect(cmdToRTF1, &QPushButton::clicked, this, &Form1::onMoveToImageList);
    connect(mnuPasteIMG, &QAction::triggered, this, &Form1::onPasteImage);
    connect(mnuClearBar, &QAction::triggered, this, &Form1::onClearImageList);
    connect(mnuAs, &QAction::triggered, this, &Form1::onSaveAs);
    connect(mnuSBMP, &QAction::triggered, this, &Form1::onSaveBitmap);
    for (QAction *action : {mnuCopy, mnuCopy2, mnuPasteIMG})
        action->setEnabled(true);
}

LabelData Form1::currentLabel() const
{
    // The defined-size label when "&Use Defined Barcode" is checked, else the main label; an
    // image of one device pixel per image pixel, with the label's resolution recorded in it.
    const LabelPicture *picture = chkDefined->isChecked() ? picTST1 : picTST;
    LabelData label;
    label.image = picture->image();
    label.image.setDevicePixelRatio(1);
    const double dpi = label.image.width() > 0 && picture->widthTwips() > 0
                           ? label.image.width() * kTwipsPerInch / picture->widthTwips()
                           : logicalDpiX();
    label.image.setDotsPerMeterX(dotsPerMetre(dpi));
    label.image.setDotsPerMeterY(dotsPerMetre(dpi));
    label.widthTwips = picture->widthTwips();
    label.heightTwips = picture->heightTwips();
    label.svg = labelDrawing(label);
    return label;
}

QByteArray Form1::labelDrawing(const LabelData &label) const
{
    // A label that is only the symbol (no product line, no ISBN header) also goes out as a
    // drawing, which scales without losing a bar.
    const bool productLine = Option1->isChecked() && !txtProduct->text().trimmed().isEmpty();
    const bool isbn = TypeCode.startsWith(u"ISB"_s);
    const BarcodeRenderer &renderer = chkDefined->isChecked() ? Barcode1x : Barcode1;
    if (productLine || isbn || !renderer.hasSymbol() || label.widthTwips <= 0 || label.heightTwips <= 0)
        return {};
    const QSizeF size(twipsToPixels(label.widthTwips, kDefaultDotsPerInch),
                      twipsToPixels(label.heightTwips, kDefaultDotsPerInch));
    const QSizeF symbol(twipsToPixels(std::min(renderer.widthTwips(), label.widthTwips), kDefaultDotsPerInch),
                        twipsToPixels(std::min(renderer.heightTwips(), label.heightTwips), kDefaultDotsPerInch));
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&svg);
        generator.setSize(size.toSize());
        generator.setViewBox(QRectF(QPointF(0, 0), size));
        generator.setResolution(int(kDefaultDotsPerInch)); // so the drawing states the label's size
        QPainter painter(&generator);
        painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
        renderer.draw(painter, QRectF(QPointF(0, 0), symbol));
    }
    return svg.data();
}

void Form1::copyLabel()
{
    if (refuseStaleLabel())
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(labelMimeData(currentLabel()));
}

void Form1::dragLabel()
{
    if (refuseStaleLabel())
        return;
    // The drag leaves the label on the clipboard as well.
    const LabelData label = currentLabel();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(labelMimeData(label));
    auto *drag = new QDrag(picTST);
    drag->setMimeData(labelMimeData(label));
    drag->setPixmap(QPixmap::fromImage(picTST->image()));
    drag->exec(Qt::CopyAction);
}

int Form1::copiesValue() const
{
    int value = 0;
    for (QChar c : txtCopies->text()) {
        if (c < u'0' || c > u'9')
            break;
        value = std::min(value * 10 + c.digitValue(), 50);
    }
    return value;
}

void Form1::pasteLabelIntoImageList()
{
    // Label and spacer go in through the clipboard, as any pasted picture does; the clipboard
    // is left holding the spacer.
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(labelMimeData(currentLabel()));
    RTF1->paste();
    LabelData spacer;
    spacer.image = picMellan->image();
    spacer.image.setDevicePixelRatio(1);
    spacer.widthTwips = picMellan->widthTwips();
    spacer.heightTwips = picMellan->heightTwips();
    clipboard->clear();
    clipboard->setMimeData(labelMimeData(spacer));
    RTF1->paste();
}

void Form1::onMoveToImageList()
{
    if (selectedListRecords().size() > 1) {
        AddSelectedToImageList();
        return;
    }
    if (refuseStaleLabel())
        return;
    for (QAction *action : {mnuClearBar, mnuPbarcode, mnuAs})
        action->setEnabled(true);
    barcodeMade = 0;
    if (chkDefined->isChecked() && DefinedWidth > 0)
        UpdateDefinedBarcodeView();
    const int copies = copiesValue();
    QCoreApplication::processEvents();
    for (int n = 1; n <= copies; ++n)
        pasteLabelIntoImageList();
}

void Form1::MoveLabelToImageList()
{
    for (QAction *action : {mnuClearBar, mnuPbarcode, mnuAs})
        action->setEnabled(true);
    pasteLabelIntoImageList();
}

void Form1::onPasteImage()
{
    // Only a label that exists can be pasted.
    if (!cmdToRTF1->isEnabled())
        return;
    onMoveToImageList();
}

void Form1::onClearImageList()
{
    if (ask(u"Do you want to clear Barcode Image List ?"_s, u"Clear Barcodes."_s, PromptIcon::Question,
            PromptButtons::YesNo, 3008) == PromptAnswer::No)
        return;
    RTF1->clear();
    mnuClearBar->setEnabled(false);
    mnuPbarcode->setEnabled(false);
}

void Form1::loadImageList(const QString &path)
{
    // What the user put into the image list since it was loaded or saved is not lost unasked.
    const bool hasContent = RTF1->pictureCount() > 0 || !RTF1->document()->isEmpty();
    if (hasContent && RTF1->document()->isModified() &&
        ask(u"The Barcode Image List has changes that are not saved. Do you want to replace it with "_s +
                QFileInfo(path).fileName() + u" ?"_s,
            u"Load"_s, PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::No)
        return;

    RtfReadResult read;
    {
        BusyProgress busy(ProgressBar1);
        read = readRtfFile(path);
    }
    // A file that could not be read at all leaves the list as it was. One read in part replaces
    // it with what was read, unless the user keeps the list there is.
    bool replace = read.ok() || !read.document.isEmpty();
    if (!read.ok()) {
        if (replace && hasContent) {
            replace = ask(read.message + u"\nOnly part of the file could be read. Do you want to keep the Barcode "
                                         u"Image List you have instead ?"_s,
                          u"Load"_s, PromptIcon::Exclamation, PromptButtons::YesNo) == PromptAnswer::No;
        } else {
            ask(read.message, u"Load"_s, PromptIcon::Exclamation, PromptButtons::Ok);
        }
    }
    if (replace) {
        RTF1->setImageList(read.document);
        // Only a whole file counts as saved: the part of a damaged one is not on disk anywhere.
        RTF1->document()->setModified(!read.ok());
        mnuPbarcode->setEnabled(true);
        mnuClearBar->setEnabled(true);
    }
}

QList<std::pair<int, ListRecord>> Form1::selectedListRecords() const
{
    QList<std::pair<int, ListRecord>> selected;
    for (const int number : selectedRecordNumbers())
        selected.append({number, listRecord(number)});
    return selected;
}

void Form1::loadRecordForBatch(int number, const ListRecord &record)
{
    // As a user loading the record would: its type selects the options, its fields fill the
    // entry, and the barcode is made.
    ListItemInWork = qint16(number);
    showRecord(record);
    barcodeMade = 1;
}

bool Form1::batchStopConfirmed()
{
    QCoreApplication::processEvents();
    return confirmBatchStop(BatchStopRequest);
}

void Form1::AddSelectedToImageList()
{
    const QList<std::pair<int, ListRecord>> selected = selectedListRecords();
    BatchStopRequest = BatchStop::Running;
    ListItemInWork = 0;
    {
        BusyProgress busy(ProgressBar1, qint64(selected.size()) * std::max(copiesValue(), 1));
        QList<int> indexes;
        for (int i = 0; i < selected.size(); ++i)
            indexes << i;
        BatchSteps steps;
        steps.startRecord = [&](int i) {
            loadRecordForBatch(selected[i].first, selected[i].second);
            return RecordStart{BatchStep::Done, copiesValue()};
        };
        steps.stopRequested = [this] { return batchStopConfirmed(); };
        steps.makeCopy = [&](const BatchCopy &copy) {
            for (QAction *action : {mnuClearBar, mnuPbarcode, mnuAs})
                action->setEnabled(true);
            if (chkDefined->isChecked() && DefinedWidth > 0)
                UpdateDefinedBarcodeView();
            pasteLabelIntoImageList();
            setHint(u"Saveing.... "_s + selected[copy.record].second.product + u", Copy="_s +
                    QString::number(copy.copy));
            busy.step(copy.number);
            return BatchStep::Done;
        };
        runRecordBatch(indexes, steps);
    }
    ListItemInWork = 0;
    BatchStopRequest = BatchStop::Idle;
    setHint(u"Press F1 for Help"_s);
}

} // namespace Kelbrix

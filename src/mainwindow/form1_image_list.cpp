// The label as it leaves the main window (the picture with its resolution and its vector
// artwork), moving it into the barcode image list with ">>", and the batch
// that moves the selected records' labels in.
#include "mainwindow/form1.h"
#include "mainwindow/hint_panel.h"

#include "widgets/busy_progress.h"
#include "mainwindow/image_list_edit.h"
#include "mainwindow/label_mime.h"
#include "label/vector_writers.h"
#include "base/units.h"
#include "base/user_prompt.h"
#include "export/batch_stop.h"
#include "export/record_batch.h"
#include "widgets/label_picture.h"

#include <QCoreApplication>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDrag>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

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
    // The drawing is the label's vector artwork, sized as the size window says.
    if (const std::optional<LabelLayout> artwork = labelArtwork(nullptr))
        label.svg = svgLabel(*artwork);
    return label;
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
    barcodeMade = 0;
    refreshCommands();
    if (chkDefined->isChecked() && DefinedWidth > 0)
        UpdateDefinedBarcodeView();
    const int copies = copiesValue();
    QCoreApplication::processEvents();
    for (int n = 1; n <= copies; ++n)
        pasteLabelIntoImageList();
}

void Form1::MoveLabelToImageList()
{
    pasteLabelIntoImageList();
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
    ListItemInWork = number;
    showRecord(record);
    barcodeMade = 1;
    refreshCommands();
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
            refreshCommands();
            if (chkDefined->isChecked() && DefinedWidth > 0)
                UpdateDefinedBarcodeView();
            pasteLabelIntoImageList();
            setHint(QCoreApplication::translate("Form1", "Saveing.... %1, Copy=%2")
                        .arg(selected[copy.record].second.product, QString::number(copy.copy)));
            busy.step(copy.number);
            return BatchStep::Done;
        };
        runRecordBatch(indexes, steps);
    }
    ListItemInWork = 0;
    BatchStopRequest = BatchStop::Idle;
    m_hints->show("Form1", QT_TRANSLATE_NOOP("Form1", "Press F1 for Help"));
}

} // namespace Kelbrix

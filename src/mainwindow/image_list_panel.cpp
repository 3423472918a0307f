// The label leaving the main window: "&Copy Barcode", the picture's pop-up menu and dragging;
// and the barcode image list RTF1: ">>", its pop-up "Paste Barcode", clearing, loading, and the
// batch that moves the selected records' labels in.
#include "mainwindow/image_list_panel.h"

#include "base/user_prompt.h"
#include "export/batch_stop.h"
#include "export/record_batch.h"
#include "list/image_list_document.h"
#include "mainwindow/batch_runner.h"
#include "mainwindow/entry_panel.h"
#include "mainwindow/form1.h"
#include "mainwindow/hint_panel.h"
#include "mainwindow/image_list_edit.h"
#include "mainwindow/label_mime.h"
#include "mainwindow/label_panel.h"
#include "mainwindow/list_panel.h"
#include "mainwindow/main_menu.h"
#include "widgets/busy_progress.h"
#include "widgets/label_picture.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDrag>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

ImageListPanel::ImageListPanel(Form1 &form) : QObject(&form), m_form(form)
{
}

ImageListEdit *ImageListPanel::build(QWidget *parent)
{
    RTF1 = new ImageListEdit(parent);
    RTF1->setMinimumHeight(m_form.fontMetrics().height() * 8);
    return RTF1;
}

bool ImageListPanel::hasContent() const
{
    return RTF1 && !RTF1->document()->isEmpty();
}

void ImageListPanel::connectHandlers()
{
    m_form.hints().setHint(
        RTF1, "Form1",
        QT_TRANSLATE_NOOP("Form1", "This is the Barcode Image List (Saves as *.RTF, can be loaded in to MS Word)"));

    const MainMenu &menus = m_form.menus();
    LabelPanel &label = m_form.label();
    connect(menus.action(u"mnuCopy"_s), &QAction::triggered, this, &ImageListPanel::copyLabel);
    connect(menus.action(u"mnuCopy2"_s), &QAction::triggered, this, &ImageListPanel::copyLabel);
    for (LabelPicture *picture : {label.picture(), label.symbolPicture()}) {
        connect(picture, &LabelPicture::rightButtonPressed, this,
                [&menus](const QPoint &position) { menus.menu(u"mnuCopyit"_s)->popup(position); });
    }
    connect(label.picture(), &LabelPicture::dragStarted, this, &ImageListPanel::dragLabel);
    connect(RTF1, &ImageListEdit::rightButtonPressed, this,
            [&menus](const QPoint &position) { menus.menu(u"mnuIMGPaste"_s)->popup(position); });
    connect(label.moveButton(), &QPushButton::clicked, this, &ImageListPanel::onMoveToImageList);
    connect(menus.action(u"mnuPasteIMG"_s), &QAction::triggered, this, &ImageListPanel::pasteLabel);
    connect(menus.action(u"mnuClearBar"_s), &QAction::triggered, this, &ImageListPanel::clear);
    for (const char16_t *name : {u"mnuCopy", u"mnuCopy2", u"mnuPasteIMG"})
        menus.action(QString::fromUtf16(name))->setEnabled(true);
}

void ImageListPanel::copyLabel()
{
    if (m_form.label().refuseStaleLabel())
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(labelMimeData(m_form.label().currentLabel()));
}

void ImageListPanel::dragLabel()
{
    LabelPanel &panel = m_form.label();
    if (panel.refuseStaleLabel())
        return;
    // The drag leaves the label on the clipboard as well.
    const LabelData label = panel.currentLabel();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(labelMimeData(label));
    auto *drag = new QDrag(panel.picture());
    drag->setMimeData(labelMimeData(label));
    drag->setPixmap(QPixmap::fromImage(panel.picture()->image()));
    drag->exec(Qt::CopyAction);
}

void ImageListPanel::pasteLabel()
{
    // Only a label that exists can be pasted.
    if (!m_form.label().moveButton()->isEnabled())
        return;
    onMoveToImageList();
}

void ImageListPanel::clear()
{
    if (ask(QCoreApplication::translate("ImageListCommands", "Do you want to clear Barcode Image List ?"),
            QCoreApplication::translate("ImageListCommands", "Clear Barcodes."), PromptIcon::Question,
            PromptButtons::YesNo, 3008) == PromptAnswer::No)
        return;
    RTF1->clear();
}

void ImageListPanel::load(const QString &path)
{
    // What the user put into the image list since it was loaded or saved is not lost unasked.
    const bool hadContent = RTF1->pictureCount() > 0 || !RTF1->document()->isEmpty();
    if (hadContent && RTF1->document()->isModified() &&
        ask(QCoreApplication::translate(
                "ImageListCommands",
                "The Barcode Image List has changes that are not saved. Do you want to replace it with %1 ?")
                .arg(QFileInfo(path).fileName()),
            QCoreApplication::translate("ImageListCommands", "Load"), PromptIcon::Question,
            PromptButtons::YesNo) == PromptAnswer::No)
        return;

    RtfReadResult read;
    {
        BusyProgress busy(m_form.progressBar());
        read = readRtfFile(path);
    }
    // A file that could not be read at all leaves the list as it was. One read in part replaces
    // it with what was read, unless the user keeps the list there is.
    bool replace = read.ok() || !read.document.isEmpty();
    if (!read.ok()) {
        if (replace && hadContent) {
            replace = ask(read.message + QCoreApplication::translate("ImageListCommands",
                                                                     "\nOnly part of the file could be read. Do you "
                                                                     "want to keep the Barcode Image List you have "
                                                                     "instead ?"),
                          QCoreApplication::translate("ImageListCommands", "Load"), PromptIcon::Exclamation,
                          PromptButtons::YesNo) == PromptAnswer::No;
        } else {
            ask(read.message, QCoreApplication::translate("ImageListCommands", "Load"), PromptIcon::Exclamation,
                PromptButtons::Ok);
        }
    }
    if (replace) {
        RTF1->setImageList(read.document);
        // Only a whole file counts as saved: the part of a damaged one is not on disk anywhere.
        RTF1->document()->setModified(!read.ok());
        m_form.refreshCommands();
    }
}

void ImageListPanel::MoveLabelToImageList()
{
    // Label and spacer go in through the clipboard, as any pasted picture does; the clipboard
    // is left holding the spacer.
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(labelMimeData(m_form.label().currentLabel()));
    RTF1->paste();
    const LabelPicture *picMellan = m_form.label().spacer();
    LabelData spacer;
    spacer.image = picMellan->image();
    spacer.image.setDevicePixelRatio(1);
    spacer.widthTwips = picMellan->widthTwips();
    spacer.heightTwips = picMellan->heightTwips();
    clipboard->clear();
    clipboard->setMimeData(labelMimeData(spacer));
    RTF1->paste();
}

void ImageListPanel::onMoveToImageList()
{
    if (m_form.list().selectedRecords().size() > 1) {
        AddSelectedToImageList();
        return;
    }
    LabelPanel &label = m_form.label();
    if (label.refuseStaleLabel())
        return;
    m_form.setBarcodeMade(false);
    m_form.refreshCommands();
    if (label.usesDefined() && label.hasDefinedSize())
        label.UpdateDefinedBarcodeView();
    const int copies = m_form.entry().copiesValue();
    QCoreApplication::processEvents();
    for (int n = 1; n <= copies; ++n)
        MoveLabelToImageList();
}

void ImageListPanel::AddSelectedToImageList()
{
    const QList<std::pair<int, ListRecord>> selected = m_form.list().selectedRecords();
    BatchRunner &batch = m_form.batch();
    batch.begin();
    {
        BusyProgress busy(m_form.progressBar(), qint64(selected.size()) * std::max(m_form.entry().copiesValue(), 1));
        QList<int> indexes;
        for (int i = 0; i < selected.size(); ++i)
            indexes << i;
        BatchSteps steps;
        steps.startRecord = [&](int i) {
            batch.loadRecord(selected[i].first, selected[i].second);
            return RecordStart{BatchStep::Done, m_form.entry().copiesValue()};
        };
        steps.stopRequested = [&batch] { return batch.stopConfirmed(); };
        steps.makeCopy = [&](const BatchCopy &copy) {
            m_form.refreshCommands();
            LabelPanel &label = m_form.label();
            if (label.usesDefined() && label.hasDefinedSize())
                label.UpdateDefinedBarcodeView();
            MoveLabelToImageList();
            m_form.setHint(QCoreApplication::translate("Form1", "Saveing.... %1, Copy=%2")
                               .arg(selected[copy.record].second.product, QString::number(copy.copy)));
            busy.step(copy.number);
            return BatchStep::Done;
        };
        runRecordBatch(indexes, steps);
    }
    batch.end();
    m_form.hints().show("Form1", QT_TRANSLATE_NOOP("Form1", "Press F1 for Help"));
}

} // namespace Kelbrix

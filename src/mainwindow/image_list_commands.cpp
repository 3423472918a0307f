// The label leaving the main window: "&Copy Barcode", the picture's pop-up menu and dragging;
// and the barcode image list RTF1: ">>", its pop-up "Paste Barcode", clearing and loading.
#include "mainwindow/image_list_commands.h"

#include "widgets/busy_progress.h"
#include "mainwindow/form1.h"
#include "mainwindow/hint_panel.h"
#include "mainwindow/image_list_edit.h"
#include "mainwindow/label_mime.h"
#include "base/user_prompt.h"
#include "list/image_list_document.h"
#include "widgets/label_picture.h"

#include <QCoreApplication>
#include <QAction>
#include <QClipboard>
#include <QDrag>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

void ImageListCommands::connect(Form1 &form)
{
    form.m_hints->setHint(
        form.RTF1, "Form1",
        QT_TRANSLATE_NOOP("Form1", "This is the Barcode Image List (Saves as *.RTF, can be loaded in to MS Word)"));

    QObject::connect(form.mnuCopy, &QAction::triggered, &form, [&form] { copyLabel(form); });
    QObject::connect(form.mnuCopy2, &QAction::triggered, &form, [&form] { copyLabel(form); });
    for (LabelPicture *picture : {form.picTST, form.Pstrk}) {
        QObject::connect(picture, &LabelPicture::rightButtonPressed, &form,
                         [&form](const QPoint &position) { form.mnuCopyit->popup(position); });
    }
    QObject::connect(form.picTST, &LabelPicture::dragStarted, &form, [&form] { dragLabel(form); });
    QObject::connect(form.RTF1, &ImageListEdit::rightButtonPressed, &form,
                     [&form](const QPoint &position) { form.mnuIMGPaste->popup(position); });
    QObject::connect(form.cmdToRTF1, &QPushButton::clicked, &form, &Form1::onMoveToImageList);
    QObject::connect(form.mnuPasteIMG, &QAction::triggered, &form, [&form] { pasteLabel(form); });
    QObject::connect(form.mnuClearBar, &QAction::triggered, &form, [&form] { clear(form); });
    for (QAction *action : {form.mnuCopy, form.mnuCopy2, form.mnuPasteIMG})
        action->setEnabled(true);
}

void ImageListCommands::copyLabel(Form1 &form)
{
    if (form.refuseStaleLabel())
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(labelMimeData(form.currentLabel()));
}

void ImageListCommands::dragLabel(Form1 &form)
{
    if (form.refuseStaleLabel())
        return;
    // The drag leaves the label on the clipboard as well.
    const LabelData label = form.currentLabel();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(labelMimeData(label));
    auto *drag = new QDrag(form.picTST);
    drag->setMimeData(labelMimeData(label));
    drag->setPixmap(QPixmap::fromImage(form.picTST->image()));
    drag->exec(Qt::CopyAction);
}

void ImageListCommands::pasteLabel(Form1 &form)
{
    // Only a label that exists can be pasted.
    if (!form.cmdToRTF1->isEnabled())
        return;
    form.onMoveToImageList();
}

void ImageListCommands::clear(Form1 &form)
{
    if (ask(QCoreApplication::translate("ImageListCommands", "Do you want to clear Barcode Image List ?"),
            QCoreApplication::translate("ImageListCommands", "Clear Barcodes."), PromptIcon::Question,
            PromptButtons::YesNo, 3008) == PromptAnswer::No)
        return;
    form.RTF1->clear();
}

void ImageListCommands::load(Form1 &form, const QString &path)
{
    // What the user put into the image list since it was loaded or saved is not lost unasked.
    const bool hasContent = form.RTF1->pictureCount() > 0 || !form.RTF1->document()->isEmpty();
    if (hasContent && form.RTF1->document()->isModified() &&
        ask(QCoreApplication::translate(
                "ImageListCommands",
                "The Barcode Image List has changes that are not saved. Do you want to replace it with %1 ?")
                .arg(QFileInfo(path).fileName()),
            QCoreApplication::translate("ImageListCommands", "Load"), PromptIcon::Question,
            PromptButtons::YesNo) == PromptAnswer::No)
        return;

    RtfReadResult read;
    {
        BusyProgress busy(form.ProgressBar1);
        read = readRtfFile(path);
    }
    // A file that could not be read at all leaves the list as it was. One read in part replaces
    // it with what was read, unless the user keeps the list there is.
    bool replace = read.ok() || !read.document.isEmpty();
    if (!read.ok()) {
        if (replace && hasContent) {
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
        form.RTF1->setImageList(read.document);
        // Only a whole file counts as saved: the part of a damaged one is not on disk anywhere.
        form.RTF1->document()->setModified(!read.ok());
        form.refreshCommands();
    }
}

} // namespace Kelbrix

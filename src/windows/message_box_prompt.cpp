#include "windows/message_box_prompt.h"

#include "windows/help_window.h"
#include "windows/page_preview_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

namespace {

// The first extension a filter such as "TIFF (*.TIF)" names, in lower case ("tif").
QString firstExtension(const QString &filter)
{
    static const QRegularExpression pattern(u"\\*\\.(\\w+)"_s);
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

QMessageBox::Icon boxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Exclamation:
        return QMessageBox::Warning;
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    case PromptIcon::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

// The buttons of a message box, in the order their names give them.
QList<QMessageBox::StandardButton> boxButtons(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::OkCancel:
        return {QMessageBox::Ok, QMessageBox::Cancel};
    case PromptButtons::YesNo:
        return {QMessageBox::Yes, QMessageBox::No};
    case PromptButtons::YesNoCancel:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case PromptButtons::RetryCancel:
        return {QMessageBox::Retry, QMessageBox::Cancel};
    case PromptButtons::Ok:
        break;
    }
    return {QMessageBox::Ok};
}

PromptAnswer toAnswer(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    case QMessageBox::Retry:
        return PromptAnswer::Retry;
    default:
        return PromptAnswer::Ok;
    }
}

} // namespace

PromptAnswer MessageBoxPrompt::ask(const PromptRequest &request)
{
    const QList<QMessageBox::StandardButton> buttons = boxButtons(request.buttons);
    QMessageBox::StandardButtons flags;
    for (QMessageBox::StandardButton button : buttons)
        flags |= button;
    QMessageBox box(boxIcon(request.icon), request.title, QString(), flags, QApplication::activeWindow());
    for (qsizetype i = 0; i < std::min(buttons.size(), request.buttonTexts.size()); ++i)
        box.button(buttons[i])->setText(request.buttonTexts[i]);
    // Messages carry file names, products and barcodes as the user typed them: a text such
    // as "<h1>" is shown as written, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(request.text);
    // Window-modal, so the help window (a top-level window of its own) stays usable while
    // the box waits for its answer.
    box.setWindowModality(Qt::WindowModal);
    QPushButton *help = nullptr;
    if (request.helpContext != 0)
        help = box.addButton(QMessageBox::Help);
    // A message box closes on any button; the Help button shows the help and the question
    // is put again, so Help never answers it.
    for (;;) {
        box.exec();
        if (help && box.clickedButton() == help) {
            HelpWindow::showContext(request.helpContext);
            continue;
        }
        break;
    }
    if (!box.clickedButton())
        return request.buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    return toAnswer(box.standardButton(box.clickedButton()));
}

QString MessageBoxPrompt::chooseFile(const FileRequest &request)
{
    QString selected = request.selectedFilter;
    QWidget *parent = QApplication::activeWindow();
    if (request.mode == FileRequest::Mode::Open)
        return QFileDialog::getOpenFileName(parent, request.title, request.directory, request.filter, &selected);

    // The save dialog asks before it overwrites a file, and accepts only existing folders.
    QFileDialog dialog(parent, request.title, request.directory);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filter.split(u";;"_s));
    const auto filterChosen = [&dialog, &request](const QString &filter) {
        if (request.extensionFromFilter) {
            dialog.setDefaultSuffix(firstExtension(filter));
        }
        if (request.presetName.isEmpty())
            return;
        if (request.presetNameFilters.contains(filter)) {
            dialog.selectFile(request.presetName);
        } else if (auto *name = dialog.findChild<QLineEdit *>(u"fileNameEdit"_s);
                   name && name->text() == request.presetName) {
            // selectFile() cannot empty the name box; Qt's own dialog has it as a child.
            name->clear();
        }
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, filterChosen);
    if (!selected.isEmpty())
        dialog.selectNameFilter(selected);
    filterChosen(dialog.selectedNameFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool MessageBoxPrompt::choosePrinter(QPrinter &printer, const PrintRequest &request)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
    options.setFlag(QAbstractPrintDialog::PrintSelection, request.selectionAvailable);
    options.setFlag(QAbstractPrintDialog::PrintPageRange, request.pageRangeAvailable);
    options.setFlag(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOptions(options);
    if (request.selectionAvailable)
        printer.setPrintRange(QPrinter::Selection);
    return dialog.exec() == QDialog::Accepted;
}

void MessageBoxPrompt::previewPrint(QPrinter &printer, const std::function<void(QPrinter &printer)> &paint)
{
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter *target) { paint(*target); });
    dialog.exec();
}

bool MessageBoxPrompt::previewPages(QPrinter &printer, const PagePreviewRequest &request)
{
    PagePreviewDialog dialog(printer.pageLayout(), request, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

} // namespace Kelbrix

namespace Kelbrix {

std::optional<FontChoice> MessageBoxPrompt::chooseFont(const FontRequest &request)
{
    QFont initial(request.initial.family);
    if (request.initial.pointSize > 0)
        initial.setPointSizeF(request.initial.pointSize);
    initial.setBold(request.initial.bold);
    initial.setItalic(request.initial.italic);
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, QApplication::activeWindow(), request.title);
    if (!ok)
        return std::nullopt;
    return FontChoice{font.family(), font.pointSizeF(), font.bold(), font.italic()};
}

std::optional<quint32> MessageBoxPrompt::chooseColor(const ColorRequest &request)
{
    const QColor color =
        QColorDialog::getColor(QColor::fromRgb(request.initialRgb), QApplication::activeWindow(), request.title);
    if (!color.isValid())
        return std::nullopt;
    return quint32(color.rgb() & 0xFFFFFF);
}

} // namespace Kelbrix

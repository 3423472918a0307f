#pragma once

#include "base/user_prompt.h"

#include <QImage>
#include <QList>
#include <QQueue>

namespace Kelbrix::Test {

/// A UserPrompt that answers from queues and keeps everything it was asked. Installed for
/// the lifetime of the object; the previous prompt comes back when it is destroyed.
class RecordingPrompt final : public UserPrompt {
public:
    RecordingPrompt();
    ~RecordingPrompt() override;

    PromptAnswer ask(const PromptRequest &request) override;
    QString chooseFile(const FileRequest &request) override;
    std::optional<FontChoice> chooseFont(const FontRequest &request) override;
    std::optional<quint32> chooseColor(const ColorRequest &request) override;
    bool choosePrinter(QPrinter &printer, const PrintRequest &request) override;
    bool previewPages(QPrinter &printer, const PagePreviewRequest &request) override;

    /// An answer to the print dialog: a PDF file to print into (empty: the dialog is
    /// cancelled), the copies and whether only the selection is printed.
    struct PrintChoice {
        QString pdfFile;
        int copies = 1;
        bool selectionOnly = false;
    };
    /// Print dialog answers given in turn; when empty the dialog is cancelled.
    QQueue<PrintChoice> printChoices;
    QList<PrintRequest> printRequests;
    /// Paged previews: the pages each one had, the pages (from 0) painted from them in turn, each
    /// onto an image of 96 dpi of an A4 page, and whether to answer "Print".
    QList<int> previewPageCounts;
    QList<int> previewPagesToPaint;
    QList<QImage> previewPageImages;
    bool previewPrints = false;

    /// Answers given in turn; when the queue is empty a question gets its first button.
    QQueue<PromptAnswer> answers;
    /// File paths given in turn; when empty the dialog is cancelled.
    QQueue<QString> files;

    /// Fonts and colours chosen in turn; when empty the dialog is cancelled.
    QQueue<FontChoice> fonts;
    QQueue<quint32> colors;

    QList<PromptRequest> asked;
    /// The answer each question of asked got.
    QList<PromptAnswer> given;
    QList<FontRequest> fontRequests;
    QList<FileRequest> fileRequests;

    /// Texts of every question asked, in order.
    QStringList texts() const;
    void clear();

private:
    UserPrompt *m_previous;
};

} // namespace Kelbrix::Test

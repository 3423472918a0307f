#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QPaintDevice;
class QPainter;
class QPrinter;

namespace Kelbrix {

enum class PromptIcon { NoIcon, Information, Question, Exclamation, Critical };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry };

/// One message box: its text, title, icon, buttons and the help context its Help button
/// opens (0 for no Help button).
struct PromptRequest {
    QString text;
    QString title;
    PromptIcon icon = PromptIcon::NoIcon;
    PromptButtons buttons = PromptButtons::Ok;
    int helpContext = 0;
    /// Captions that replace the standard ones, in the order the buttons are named ("Yes",
    /// "No", "Cancel" for YesNoCancel); empty keeps the standard captions.
    QStringList buttonTexts;
};

/// One file dialog.
struct FileRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString title;
    QString directory; ///< folder, or a file path to propose
    QString filter;    ///< Qt filter text, e.g. "Barcode list (*.qz2);;All files (*)"
    QString selectedFilter;
    /// While one of these filters is chosen, the name box shows presetName; choosing another
    /// filter empties it (save dialogs only).
    QStringList presetNameFilters;
    QString presetName;
    /// A name given without an extension gets the first extension of the chosen filter (save
    /// dialogs only).
    bool extensionFromFilter = false;
};

/// A font as the font dialog shows and returns it.
struct FontChoice {
    QString family;
    double pointSize = 9;
    bool bold = false;
    bool italic = false;
};

/// One font dialog, preset with \a initial.
struct FontRequest {
    QString title;
    FontChoice initial;
};

/// One colour dialog, preset with \a initialRgb (0xRRGGBB).
struct ColorRequest {
    QString title;
    quint32 initialRgb = 0xFFFFFF;
};

/// One print dialog.
struct PrintRequest {
    QString title;
    /// Offers the "Selection" range and preselects it (text is selected in the document).
    bool selectionAvailable = false;
    /// Offers the page range ("Pages from ... to"); listings always print every page.
    bool pageRangeAvailable = false;
};

/// A print preview whose pages are painted one at a time, when shown, so that a document of
/// thousands of pages costs no more than the page on the screen.
struct PagePreviewRequest {
    QString title;
    int pageCount = 0;
    /// Paints page \a page (from 0) with \a painter, laid out for \a device (an image of the
    /// printable area of one page).
    std::function<void(QPainter &painter, const QPaintDevice &device, int page)> paintPage;
};

/// The one place the program asks the user anything. The program installs an implementation
/// that shows real dialogs; tests install one that answers from a queue and records what was
/// asked.
class UserPrompt {
public:
    virtual ~UserPrompt();
    virtual PromptAnswer ask(const PromptRequest &request) = 0;
    /// The chosen file path, or an empty text when the user cancelled.
    virtual QString chooseFile(const FileRequest &request) = 0;
    /// The chosen font, or nullopt when the user cancelled. Cancels unless overridden.
    virtual std::optional<FontChoice> chooseFont(const FontRequest &request);
    /// The chosen colour (0xRRGGBB), or nullopt when the user cancelled. Cancels unless
    /// overridden.
    virtual std::optional<quint32> chooseColor(const ColorRequest &request);
    /// Shows the print dialog for \a printer, which takes the user's choices (printer or PDF
    /// file, copies, range). False when the user cancelled; nothing may be printed then.
    /// The default cancels.
    virtual bool choosePrinter(QPrinter &printer, const PrintRequest &request);
    /// Shows the print preview of what \a paint draws onto \a printer; the user may print
    /// from it. The default shows nothing.
    virtual void previewPrint(QPrinter &printer, const std::function<void(QPrinter &printer)> &paint);
    /// Shows the pages of \a request in the page size of \a printer, painting each only when it is
    /// shown. True when the user asked to print. The default shows nothing.
    virtual bool previewPages(QPrinter &printer, const PagePreviewRequest &request);
};

/// The installed prompt. Until one is installed, questions are answered with their first
/// button and file dialogs are cancelled.
UserPrompt &userPrompt();

/// Installs \a prompt (not owned) and returns the one it replaces; nullptr restores the
/// default.
UserPrompt *setUserPrompt(UserPrompt *prompt);

/// Shorthand for userPrompt().ask(...).
PromptAnswer ask(const QString &text, const QString &title, PromptIcon icon, PromptButtons buttons,
                 int helpContext = 0);

/// Yes/No questions treat every answer but No as Yes.
inline bool answeredYes(PromptAnswer answer)
{
    return answer != PromptAnswer::No;
}

/// The application title, used as the title of boxes that have none of their own.
QString applicationTitle();

} // namespace Kelbrix

#include "base/user_prompt.h"

#include <QDebug>

using namespace Qt::Literals::StringLiterals;

namespace Kelbrix {

UserPrompt::~UserPrompt() = default;

std::optional<FontChoice> UserPrompt::chooseFont(const FontRequest &)
{
    return std::nullopt;
}

std::optional<quint32> UserPrompt::chooseColor(const ColorRequest &)
{
    return std::nullopt;
}

bool UserPrompt::choosePrinter(QPrinter &, const PrintRequest &)
{
    return false;
}

void UserPrompt::previewPrint(QPrinter &, const std::function<void(QPrinter &)> &)
{
}

bool UserPrompt::previewPages(QPrinter &, const PagePreviewRequest &)
{
    return false;
}

namespace {

// Used before the program installs its dialogs (and by command-line runs): answers with the
// first button and says on the console what it was asked.
class DefaultPrompt final : public UserPrompt {
public:
    PromptAnswer ask(const PromptRequest &request) override
    {
        qWarning().noquote() << request.title << u":"_s << request.text;
        switch (request.buttons) {
        case PromptButtons::YesNo:
        case PromptButtons::YesNoCancel:
            return PromptAnswer::Yes;
        case PromptButtons::RetryCancel:
            return PromptAnswer::Cancel;
        case PromptButtons::Ok:
        case PromptButtons::OkCancel:
            break;
        }
        return PromptAnswer::Ok;
    }
    QString chooseFile(const FileRequest &) override { return {}; }
};

DefaultPrompt g_defaultPrompt;
UserPrompt *g_prompt = &g_defaultPrompt;

} // namespace

UserPrompt &userPrompt()
{
    return *g_prompt;
}

UserPrompt *setUserPrompt(UserPrompt *prompt)
{
    UserPrompt *previous = g_prompt;
    g_prompt = prompt ? prompt : &g_defaultPrompt;
    return previous;
}

PromptAnswer ask(const QString &text, const QString &title, PromptIcon icon, PromptButtons buttons, int helpContext)
{
    return userPrompt().ask(PromptRequest{text, title, icon, buttons, helpContext, {}});
}

QString applicationTitle()
{
    return u"Kelbrix"_s;
}

} // namespace Kelbrix

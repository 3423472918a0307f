#pragma once

#include "base/user_prompt.h"

namespace Kelbrix {

/// The program's UserPrompt: real message boxes, file, font and colour dialogs. A box with a help context
/// has a Help button that opens the help window at that context and leaves the box open.
class MessageBoxPrompt final : public UserPrompt {
public:
    PromptAnswer ask(const PromptRequest &request) override;
    QString chooseFile(const FileRequest &request) override;
    std::optional<FontChoice> chooseFont(const FontRequest &request) override;
    std::optional<quint32> chooseColor(const ColorRequest &request) override;
    bool choosePrinter(QPrinter &printer, const PrintRequest &request) override;
    void previewPrint(QPrinter &printer, const std::function<void(QPrinter &printer)> &paint) override;
    bool previewPages(QPrinter &printer, const PagePreviewRequest &request) override;
};

} // namespace Kelbrix

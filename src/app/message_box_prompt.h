#pragma once

#include "base/user_prompt.h"

namespace Kelbrix {

/// The program's UserPrompt: real message boxes and file dialogs. A box with a help context
/// has a Help button that opens the help window at that context and leaves the box open.
class MessageBoxPrompt final : public UserPrompt {
public:
    PromptAnswer ask(const PromptRequest &request) override;
    QString chooseFile(const FileRequest &request) override;
};

} // namespace Kelbrix
